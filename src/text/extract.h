// Taking the text that stands between two markers out of a larger text.
//
// MiddleText is the plain form; FindBetween the general one, with a position
// passed in and out, an optional second marker and two options. Neither ever
// fails: a marker not found gives the empty text.
//
// The letter-case options have opposite senses, as in FindText and
// ReplaceText: FindBetween folds case when `ignoreCase` is true, MiddleText
// when `caseSensitive` is false. Both fold when the option is left out.

#ifndef QUORRIN_TEXT_EXTRACT_H_
#define QUORRIN_TEXT_EXTRACT_H_

#include <cstdint>

#include "text/text.h"

namespace quorrin {

// Lets a caller write a marker holding a double quote: MiddleText replaces
// each occurrence with one '"'. 引号 ("quotation mark"), code page 936 bytes.
inline constexpr char kQuoteToken[] = "#\xD2\xFD\xBA\xC5";

// The bytes between the first `leftMarker` at or after `startPosition` and
// the first `rightMarker` after it; empty when either is missing.
// MiddleText("a=1&b=2&", "b=", "&") == "2". Rewrites "#引号" in the caller's
// marker variables to '"'.
Text MiddleText(const Text& text, Text& leftMarker, Text& rightMarker,
                std::int32_t startPosition = 0, bool caseSensitive = false);

// From `leftMarker` (or, with `includeLeft` false, from just after the start
// marker) up to the next `rightMarker`, or to the end of `text` when there is
// none. `position` is where the search begins on entry, and on return where
// the result begins, or -1 when nothing was extracted. With `useStartMarker`
// false the caller's `startMarker` receives a copy of `leftMarker`.
Text FindBetween(const Text& text, std::int32_t& position,
                 const Text& leftMarker, Text& startMarker, bool useStartMarker,
                 const Text& rightMarker, bool ignoreCase = true,
                 bool includeLeft = true);

}  // namespace quorrin

#endif  // QUORRIN_TEXT_EXTRACT_H_
