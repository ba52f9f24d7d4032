// ASCII letter case for the protocol texts of the Linux back end: URL
// schemes, host names, header names, the ProgID. Only A-Z and a-z fold;
// every other byte, those of UTF-8 and code page 936 included, stays as it
// is, and no locale changes that.

#ifndef QUORRIN_PLATFORM_LINUX_ASCII_CASE_H_
#define QUORRIN_PLATFORM_LINUX_ASCII_CASE_H_

#include <cstddef>
#include <string_view>

namespace quorrin::platform {

// `c` with A-Z lowered.
//   LowerAscii('Q') == 'q';  LowerAscii('\xD6') == '\xD6'
constexpr char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// ASCII letters compared without case, every other byte exactly.
//   EqualsIgnoringAsciiCase("User-Agent", "user-agent") == true
constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

// Whether `text` begins with `prefix`, ASCII letters compared without case.
//   StartsWithIgnoringAsciiCase("HTTPS://a.b/", "https://") == true
constexpr bool StartsWithIgnoringAsciiCase(std::string_view text,
                                           std::string_view prefix) {
  return text.size() >= prefix.size() &&
         EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace quorrin::platform

#endif  // QUORRIN_PLATFORM_LINUX_ASCII_CASE_H_
