// Letter case of one-byte characters; two-byte characters stay as they are.

#include <cstdint>

#include "text/text_ops.h"

namespace quorrin {

namespace {

// Moves the one-byte letters in [low, high] by `shift`, stepping over each
// two-byte character whole so that its second byte never changes.
Text ShiftAsciiLetters(const Text& text, unsigned char low, unsigned char high,
                       int shift) {
  Text::Storage bytes(text.view());
  const std::size_t size = bytes.size();
  for (std::size_t i = 0; i < size; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte >= 0x80) {
      ++i;  // The second byte goes with it; a broken last one stays too.
    } else if (byte >= low && byte <= high) {
      bytes[i] = static_cast<char>(byte + shift);
    }
  }
  return Text(std::string_view(bytes.data(), bytes.size()));
}

}  // namespace

Text UpperText(const Text& text) {
  return ShiftAsciiLetters(text, 'a', 'z', -0x20);
}

Text LowerText(const Text& text) {
  return ShiftAsciiLetters(text, 'A', 'Z', 0x20);
}

}  // namespace quorrin
