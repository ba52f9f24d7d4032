#include "text/extract.h"

#include <cstdint>

#include "text/text_ops.h"

namespace quorrin {

namespace {

// Writes '"' for every "#引号" into the caller's marker, leaving a marker
// without one untouched.
void RewriteQuoteTokens(Text& marker) {
  if (FindText(marker, kQuoteToken, /*ignoreCase=*/false) == -1) return;
  marker = ReplaceText(marker, kQuoteToken, "\"", 1, kAllOccurrences,
                       /*caseSensitive=*/true);
}

}  // namespace

Text MiddleText(const Text& text, Text& leftMarker, Text& rightMarker,
                std::int32_t startPosition, bool caseSensitive) {
  RewriteQuoteTokens(leftMarker);
  RewriteQuoteTokens(rightMarker);
  const bool ignoreCase = !caseSensitive;
  const std::int32_t left =
      FindText(text, leftMarker, startPosition, ignoreCase);
  if (left == -1) return Text();
  // The rest is searched in place rather than cut out first: a search that
  // begins at the rest's first byte walks it exactly as a search of the cut
  // rest would, so only the position changes meaning.
  const std::int32_t restStart = left + TextLength(leftMarker);
  // An empty right marker is found at 1 whenever anything is left: nothing
  // lies before it.
  if (rightMarker.empty()) return Text();
  const std::int32_t right = FindText(text, rightMarker, restStart, ignoreCase);
  if (right == -1) return Text();
  return MidText(text, restStart, right - restStart);
}

Text FindBetween(const Text& text, std::int32_t& position,
                 const Text& leftMarker, Text& startMarker, bool useStartMarker,
                 const Text& rightMarker, bool ignoreCase, bool includeLeft) {
  const std::int32_t left = FindText(text, leftMarker, position, ignoreCase);
  position = left;
  if (left == -1) return Text();

  std::int32_t anchor = left;
  if (useStartMarker) {
    anchor = FindText(text, startMarker, left, ignoreCase);
  } else {
    startMarker = leftMarker;
  }
  if (anchor == -1) {
    position = -1;
    return Text();
  }
  const std::int32_t anchorEnd = anchor + TextLength(startMarker);
  std::int32_t right = FindText(text, rightMarker, anchorEnd, ignoreCase);
  if (right == -1) right = TextLength(text) + 1;
  if (!includeLeft) position = anchorEnd;
  return MidText(text, position, right - position);
}

}  // namespace quorrin
