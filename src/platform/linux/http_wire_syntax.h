// What may go on the wire of an HTTP/1.1 request, checked before libcurl
// sees it: a method or header name that is no token, or a value or URL that
// holds a line break, would let one request smuggle another.
//
// Every function works byte by byte on UTF-8 (or any ASCII-compatible) text;
// only ASCII bytes have meaning, bytes of 0x80 and above are data.

#ifndef QUORRIN_PLATFORM_LINUX_HTTP_WIRE_SYNTAX_H_
#define QUORRIN_PLATFORM_LINUX_HTTP_WIRE_SYNTAX_H_

#include <string>
#include <string_view>

#include "platform/linux/ascii_case.h"

namespace quorrin::platform::http {

// True for a non-empty run of the token characters of RFC 9110 5.6.2, which
// is what a method and a header name must be.
//   IsHttpToken("X-Hop") == true;  IsHttpToken("A B") == false
bool IsHttpToken(std::string_view text);

// True when `value` holds no control byte but horizontal tab (RFC 9110 5.5):
// no CR, LF or zero byte can end the line early.
bool IsHttpFieldValue(std::string_view value);

// `value` without the spaces and tabs around it, which HTTP does not count
// as part of a field value (RFC 9110 5.5).
//   TrimHttpWhitespace(" */*") == "*/*"
std::string_view TrimHttpWhitespace(std::string_view value);

// The URL as it goes to libcurl: bytes of 0x80 and above and spaces after the
// host are percent-encoded (a UTF-8 path or query travels as its bytes'
// escapes); the scheme and host are left to libcurl. Empty when the URL is
// empty or holds a control byte anywhere.
//   WireUrl("http://h/a b?q=\xE4\xB8\xAD") == "http://h/a%20b?q=%E4%B8%AD"
std::string WireUrl(std::string_view url);

}  // namespace quorrin::platform::http

#endif  // QUORRIN_PLATFORM_LINUX_HTTP_WIRE_SYNTAX_H_
