// Lets GoogleTest show a Text as its bytes, with every byte outside printable
// ASCII escaped, so a failure names the exact bytes that differ.

#ifndef QUORRIN_TESTS_TEXT_TEXT_PRINTER_H_
#define QUORRIN_TESTS_TEXT_TEXT_PRINTER_H_

#include <cstdio>
#include <ostream>
#include <string_view>

#include "text/text.h"

namespace quorrin {

inline void PrintEscapedBytes(std::string_view bytes, std::ostream* out) {
  *out << '\'';
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
      *out << c;
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      *out << escaped;
    }
  }
  *out << '\'';
}

inline void PrintTo(const Text& text, std::ostream* out) {
  PrintEscapedBytes(text.view(), out);
}

inline void PrintTo(const Bytes& bytes, std::ostream* out) {
  PrintEscapedBytes(bytes.view(), out);
}

}  // namespace quorrin

#endif  // QUORRIN_TESTS_TEXT_TEXT_PRINTER_H_
