// Trimming the two kinds of space at both ends of a text.

#include <cstddef>
#include <string_view>

#include "text/text_ops.h"

namespace quorrin {

namespace {

// The full-width space of code page 936.
constexpr unsigned char kWideSpaceByte = 0xA1;

// The length of the space character at `i` (1 or 2), or 0 when the
// character there is something else. `i` is a character start.
std::size_t SpaceLengthAt(std::string_view bytes, std::size_t i) {
  const auto byte = static_cast<unsigned char>(bytes[i]);
  if (byte == ' ') return 1;
  if (byte == kWideSpaceByte && i + 1 < bytes.size() &&
      static_cast<unsigned char>(bytes[i + 1]) == kWideSpaceByte) {
    return 2;
  }
  return 0;
}

}  // namespace

Text TrimText(const Text& text) {
  const std::string_view bytes = text.view();
  std::size_t begin = 0;
  while (begin < bytes.size()) {
    const std::size_t space = SpaceLengthAt(bytes, begin);
    if (space == 0) break;
    begin += space;
  }
  // Walk the rest to know where characters start; `end` trails behind the
  // run of spaces that is current when the walk stops.
  std::size_t end = begin;
  for (std::size_t i = begin; i < bytes.size();) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte >= 0x80 && i + 1 == bytes.size()) {
      // A broken last character goes, but the spaces before it stay.
      end = i;
      break;
    }
    const std::size_t space = SpaceLengthAt(bytes, i);
    const std::size_t length = space != 0 ? space : (byte >= 0x80 ? 2 : 1);
    i += length;
    if (space == 0) end = i;
  }
  return Text(bytes.substr(begin, end - begin));
}

}  // namespace quorrin
