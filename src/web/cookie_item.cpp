#include "web/cookie_item.h"

#include <cstdint>

#include "text/text_ops.h"

namespace quorrin {

bool CookieItemName(const Text& item, Text& name) {
  const std::int32_t equals = FindText(item, "=", false);
  if (equals == -1) return false;
  name = TrimText(LeftText(item, equals - 1));
  return true;
}

bool SameNameIgnoringAsciiCase(const Text& a, const Text& b) {
  if (TextLength(a) != TextLength(b)) return false;
  // Of one length, b found at the very start of a is all of a.
  return TextLength(a) == 0 || FindText(a, b, true) == 1;
}

}  // namespace quorrin
