// The header fields a caller set on one request, and how they become the
// header lines and cookies libcurl sends.
//
// Names and values are UTF-8 here; the object converts them at its edge.

#ifndef QUORRIN_PLATFORM_LINUX_HTTP_REQUEST_HEADERS_H_
#define QUORRIN_PLATFORM_LINUX_HTTP_REQUEST_HEADERS_H_

#include <string>
#include <string_view>
#include <vector>

namespace quorrin::platform::http {

// What a request without its own "User-Agent" says it is: the agent string
// of the platform object this one stands in for.
inline constexpr std::string_view kDefaultUserAgent =
    "Mozilla/4.0 (compatible; Win32; WinHttp.WinHttpRequest.5)";

struct HeaderField {
  std::string name;
  std::string value;
};

class RequestHeaders {
 public:
  // Sets the field `name` to `value` without its surrounding whitespace. A
  // field of the same name (ASCII case ignored) is replaced in its place,
  // the new spelling of the name included. Returns false and changes nothing
  // when the name is no token, the value holds a control byte, or the name
  // is Content-Length or Transfer-Encoding: the body's framing is the
  // object's own, and a caller's figure that disagreed with the body would
  // desynchronise the connection.
  //   Set("accept", " */*"); Set("Accept", "text/html")  // one field
  bool Set(std::string_view name, std::string_view value);

  // The value set for `name` (ASCII case ignored), or null.
  const std::string* Find(std::string_view name) const;

  const std::vector<HeaderField>& fields() const { return fields_; }

 private:
  std::vector<HeaderField> fields_;
};

// The lines for libcurl's header list: each field but "Cookie" (which goes
// through the cookie engine) as "Name: value", or "Name;" when the value is
// empty (libcurl would drop a line "Name:"); the default User-Agent when the
// caller set none; and "Accept:", "Content-Type:" and "Expect:", which stop
// libcurl from adding its own, unless the caller set them.
std::vector<std::string> CurlHeaderLines(const RequestHeaders& headers);

struct CookiePair {
  std::string name;
  std::string value;
};

// The cookies of a "Cookie" value: items between ";", trimmed, split at
// their first "=", name and value trimmed. An item with no "=" or an empty
// name names no cookie and is left out.
//   SplitCookieHeader("a=1; b=x=y;") == {{"a", "1"}, {"b", "x=y"}}
std::vector<CookiePair> SplitCookieHeader(std::string_view value);

}  // namespace quorrin::platform::http

#endif  // QUORRIN_PLATFORM_LINUX_HTTP_REQUEST_HEADERS_H_
