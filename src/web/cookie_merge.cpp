#include "web/cookie_merge.h"

#include <cstdint>

#include "text/text_ops.h"
#include "web/cookie_item.h"

namespace quorrin {

namespace {

// Canonical input: trimmed, and ending in ";" unless empty.
void TrimAndTerminate(Text& cookies) {
  cookies = TrimText(cookies);
  if (TextLength(cookies) > 0 && CompareText(RightText(cookies, 1), ";") != 0) {
    cookies = ConcatText(cookies, ";");
  }
}

bool EndsWith(const Text& text, const Text& suffix) {
  return TextLength(text) >= TextLength(suffix) &&
         CompareText(RightText(text, TextLength(suffix)), suffix) == 0;
}

}  // namespace

Text MergeCookies(Text& base, Text& update) {
  TrimAndTerminate(base);
  TrimAndTerminate(update);

  // Names are matched whole against the items of base, never searched as a
  // substring: 'b' must not find the "b" inside 'sub=1' and change sub.
  TextArray items = SplitText(base, ";");
  const TextArray pieces = SplitText(update, ";");
  for (std::int32_t i = 1; i <= MemberCount(pieces); ++i) {
    const Text& piece = pieces[i];
    Text name;
    if (!CookieItemName(piece, name)) continue;
    bool replaced = false;
    for (std::int32_t j = 1; j <= MemberCount(items); ++j) {
      Text itemName;
      if (CookieItemName(items[j], itemName) &&
          SameNameIgnoringAsciiCase(itemName, name)) {
        items[j] = piece;
        replaced = true;
      }
    }
    if (!replaced) items.Add(piece);
  }

  // Cleared cookies leave: an empty value, or the value servers send to
  // delete one. An item is judged trimmed, as it would stand in the result,
  // so that a space after "=" cannot keep a cleared cookie.
  base = Text();
  for (std::int32_t i = 1; i <= MemberCount(items); ++i) {
    const Text item = TrimText(items[i]);
    if (EndsWith(item, "=") || EndsWith(item, "=deleted")) continue;
    base = ConcatText(base, item, "; ");
  }
  base = TrimText(base);
  return base;
}

}  // namespace quorrin
