// ReplaceText: occurrences replaced left to right in one pass.

#include <cstdint>
#include <string_view>

#include "text/char_search.h"
#include "text/text_ops.h"

namespace quorrin {

Text ReplaceText(const Text& text, const Text& target, bool caseSensitive) {
  return ReplaceText(text, target, Text(), 1, kAllOccurrences, caseSensitive);
}

Text ReplaceText(const Text& text, const Text& target, const Text& replacement,
                 std::int32_t start, std::int32_t count, bool caseSensitive) {
  const std::int32_t origin = start <= 1 ? 0 : start - 1;
  if (text.empty() || target.empty() || count == 0 || origin >= text.size()) {
    return text;
  }
  const std::string_view bytes = text.view();
  const std::size_t targetSize = target.view().size();
  Text result;
  result.Reserve(bytes.size());
  result.Append(bytes.substr(0, static_cast<std::size_t>(origin)));

  std::size_t position = static_cast<std::size_t>(origin);
  for (std::int32_t replaced = 0; count < 0 || replaced < count; ++replaced) {
    const std::size_t found = internal::FindAtCharacterStart(
        bytes, target.view(), position, !caseSensitive);
    if (found == internal::kNotFound) {
      // With a one-byte target the walk reaches a broken last character and
      // drops it; a longer target stops short of it and copies it.
      const std::size_t last = bytes.size() - 1;
      const bool dropBroken =
          targetSize == 1 && position <= last &&
          static_cast<unsigned char>(bytes[last]) >= 0x80 &&
          internal::IsCharacterStart(
              reinterpret_cast<const unsigned char*>(bytes.data()), position,
              last);
      result.Append(bytes.substr(
          position, bytes.size() - position - (dropBroken ? 1 : 0)));
      return result;
    }
    result.Append(bytes.substr(position, found - position));
    result.Append(replacement.view());
    position = found + targetSize;
  }
  result.Append(bytes.substr(position));
  return result;
}

}  // namespace quorrin
