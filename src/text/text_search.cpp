// FindText: the first occurrence of a target at a character start.

#include <cstdint>

#include "text/char_search.h"
#include "text/text_ops.h"

namespace quorrin {

std::int32_t FindText(const Text& text, const Text& target, bool ignoreCase) {
  return FindText(text, target, 1, ignoreCase);
}

std::int32_t FindText(const Text& text, const Text& target, std::int32_t start,
                      bool ignoreCase) {
  const std::int32_t origin = start <= 1 ? 0 : start - 1;
  if (origin >= text.size()) return -1;
  // Found "at the start of the text", not at `start`: callers rely on it.
  if (target.empty()) return 1;
  const std::size_t found = internal::FindAtCharacterStart(
      text.view(), target.view(), static_cast<std::size_t>(origin), ignoreCase);
  return found == internal::kNotFound ? -1
                                      : static_cast<std::int32_t>(found) + 1;
}

}  // namespace quorrin
