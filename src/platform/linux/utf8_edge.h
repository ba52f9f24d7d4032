// Conversions at the Linux program's edges, where the world speaks UTF-8 and
// the core speaks code page 936: command-line arguments, standard streams,
// the toolkit's widgets, the cookie file.
//
// Two kinds: the lenient ones replace what they cannot carry and always give
// a result (for showing text to people); the exact ones give nothing unless
// every character makes the trip and back unchanged (for data that other
// programs must read as it was written).

#ifndef QUORRIN_PLATFORM_LINUX_UTF8_EDGE_H_
#define QUORRIN_PLATFORM_LINUX_UTF8_EDGE_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "text/text.h"

namespace quorrin::platform {

// Invalid UTF-8 becomes U+FFFD first, then '?' like anything code page 936
// cannot hold. The result ends before the first zero byte.
//   Utf8ToGbkText("\xE4\xB8\xAD") == Text("\xD6\xD0")  // 中
Text Utf8ToGbkText(std::string_view utf8);

// Code page 936 to UTF-8; a byte sequence that is no character of the code
// page becomes U+FFFD.
//   GbkToUtf8("a\xD6\xD0") == "a\xE4\xB8\xAD"
std::string GbkToUtf8(std::string_view gbk);

// Code page 936 to UTF-8, or nothing when some bytes are no character of the
// code page or would not come back as the same bytes.
std::optional<std::string> GbkToUtf8Exact(std::string_view gbk);

// UTF-8 to code page 936, or nothing when the UTF-8 is ill-formed, holds a
// zero byte, or holds a character without a code of its own in the code page
// (no '?', no best fit).
std::optional<Text> Utf8ToGbkExact(std::string_view utf8);

// For the fatal error's message, when memory may have run out: `gbk`
// (zero-ended) to UTF-8 in `out`, zero-ended, using no memory that the text
// values' allocator hands out (its failure would raise the fatal error again
// from inside). Returns `out`, or `gbk` itself when the text cannot be
// converted or does not fit in `capacity` bytes. A code page 936 byte
// becomes at most three UTF-8 bytes.
//   char out[64];  GbkToUtf8InBuffer("\xD6\xD0", out, sizeof out)  // "中"
const char* GbkToUtf8InBuffer(const char* gbk, char* out, std::size_t capacity);

}  // namespace quorrin::platform

#endif  // QUORRIN_PLATFORM_LINUX_UTF8_EDGE_H_
