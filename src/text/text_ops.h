// The operations on Text, Bytes and TextArray.
//
// Positions count bytes from 1; -1 means "not found". An absent value is the
// empty one. Every operation is a pure function returning a fresh value.
//
// Two families, on purpose:
//  - By byte count, blind to characters (they may cut a two-byte character):
//    TextLength, ConcatText, CompareText, LeftText, RightText, MidText.
//  - Walking characters, where a byte of 0x80 or above begins a two-byte
//    character that takes the next byte with it whatever its value, so no
//    match, cut or case change ever starts at a second byte:
//    FindText, ReplaceText, SplitText, TrimText, UpperText, LowerText.
//
// Letter case folds for ASCII letters only, on every byte of the compared
// stretch (second bytes of two-byte characters too); no locale is consulted.

#ifndef QUORRIN_TEXT_TEXT_OPS_H_
#define QUORRIN_TEXT_TEXT_OPS_H_

#include <cstdint>

#include "text/text.h"

namespace quorrin {

// The number of bytes; 0 for the empty text.
std::int32_t TextLength(const Text& text);

// The texts one after the other, nothing between them.
Text ConcatText(const Text& first, const Text& second);
Text ConcatText(const Text& first, const Text& second, const Text& third);

// -1, 0 or 1, comparing bytes as unsigned values; a prefix is the smaller.
std::int32_t CompareText(const Text& a, const Text& b);

// FindText("abcabc", "b", 3, false) == 5; the position counts from the start
// of the whole text, not from `start`. An empty target is found at 1 (not at
// `start`) when the searched range is not empty. `start` left out, or 1 or
// less, is the first byte.
std::int32_t FindText(const Text& text, const Text& target, bool ignoreCase);
std::int32_t FindText(const Text& text, const Text& target, std::int32_t start,
                      bool ignoreCase);

// The first (last) `count` bytes: the whole text when `count` is at least
// its length, empty when it is 0 or less. RightText("abc", 2) == "bc".
Text LeftText(const Text& text, std::int32_t count);
Text RightText(const Text& text, std::int32_t count);
// MidText("abc", 2, 5) == "bc"; empty for a start below 1 or past the end.
Text MidText(const Text& text, std::int32_t start, std::int32_t count);

// One-byte letters a-z to A-Z (A-Z to a-z); two-byte characters, second
// bytes included, and a broken last byte stay as they are.
Text UpperText(const Text& text);
Text LowerText(const Text& text);

// Removes the space 0x20 and the full-width space A1 A1 at both ends, and a
// broken last character; tabs, CR and LF stay.
Text TrimText(const Text& text);

// `count` for "every occurrence"; any negative count means the same.
inline constexpr std::int32_t kAllOccurrences = -1;

// Replaces occurrences of `target` left to right, never overlapping and never
// searching a replacement again: ReplaceText("aa", "a", "aa", ...) is "aaaa".
// The short form deletes every occurrence from the first byte on.
Text ReplaceText(const Text& text, const Text& target, const Text& replacement,
                 std::int32_t start, std::int32_t count, bool caseSensitive);
Text ReplaceText(const Text& text, const Text& target, bool caseSensitive);

// SplitText("a;b;", ";") gives "a", "b": a delimiter at the very end adds no
// empty member, while one at the start, or two in a row, do.
TextArray SplitText(const Text& text, const Text& delimiter);

// `count` spaces (0x20); empty when `count` is 0 or less.
Text BlankText(std::int32_t count);

// The number of bytes; 0 for the empty value.
std::int32_t BytesLength(const Bytes& bytes);
// `count` zero bytes; empty when `count` is 0 or less.
Bytes BlankBytes(std::int32_t count);
// The bytes before the first zero byte.
Text TextFromBytes(const Bytes& bytes);
// 0 when equal; 1 when the lengths differ; else -1 or 1 by the first
// differing byte.
std::int32_t CompareBytes(const Bytes& a, const Bytes& b);

// The number of members; 0 for an array with none.
std::int32_t MemberCount(const TextArray& array);

}  // namespace quorrin

#endif  // QUORRIN_TEXT_TEXT_OPS_H_
