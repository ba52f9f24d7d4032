// SplitText: the pieces between exact occurrences of a delimiter.

#include <string_view>

#include "text/char_search.h"
#include "text/text_ops.h"

namespace quorrin {

TextArray SplitText(const Text& text, const Text& delimiter) {
  TextArray members;
  if (text.empty()) return members;
  if (delimiter.empty()) {
    members.Add(text);
    return members;
  }
  const std::string_view bytes = text.view();
  std::size_t position = 0;
  for (;;) {
    const std::size_t found = internal::FindAtCharacterStart(
        bytes, delimiter.view(), position, /*ignoreAsciiCase=*/false);
    if (found == internal::kNotFound) break;
    members.Add(Text(bytes.substr(position, found - position)));
    position = found + delimiter.view().size();
  }
  // A delimiter at the very end leaves nothing after it, and adds no member.
  if (position < bytes.size()) members.Add(Text(bytes.substr(position)));
  return members;
}

}  // namespace quorrin
