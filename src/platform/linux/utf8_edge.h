// Conversions at the Linux program's edges, where the world speaks UTF-8 and
// the core speaks code page 936: command-line arguments, standard streams,
// the toolkit's widgets.

#ifndef QUORRIN_PLATFORM_LINUX_UTF8_EDGE_H_
#define QUORRIN_PLATFORM_LINUX_UTF8_EDGE_H_

#include <string>
#include <string_view>

#include "text/text.h"

namespace quorrin::platform {

// Invalid UTF-8 becomes U+FFFD first, then '?' like anything code page 936
// cannot hold. The result ends before the first zero byte.
Text Utf8ToGbkText(std::string_view utf8);

// Code page 936 to UTF-8; a byte sequence that is no character of the code
// page becomes U+FFFD.
std::string GbkToUtf8(std::string_view gbk);

}  // namespace quorrin::platform

#endif  // QUORRIN_PLATFORM_LINUX_UTF8_EDGE_H_
