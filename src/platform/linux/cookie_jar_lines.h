// The lines of a Netscape cookie file, the format curl, wget and Python's
// http.cookiejar read and write: which lines this store understands as
// cookies, and the one kind of line it writes.
//
// A cookie line holds seven fields separated by tabs: domain,
// include-subdomains ("TRUE" exactly when the domain begins with '.'), path,
// secure ("TRUE" or "FALSE"), expiry in seconds since the epoch (0 for a
// session cookie), name, value. Everything else (comments, "#HttpOnly_"
// lines, lines of other shapes) is not understood: the store neither reads
// nor changes it.

#ifndef QUORRIN_PLATFORM_LINUX_COOKIE_JAR_LINES_H_
#define QUORRIN_PLATFORM_LINUX_COOKIE_JAR_LINES_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin::platform {

// The first line of every file this store writes. Python's loader refuses a
// file that does not begin with it (or with "# HTTP Cookie File").
inline constexpr std::string_view kJarHeaderLine =
    "# Netscape HTTP Cookie File";

// curl drops a cookie whose name and value together are longer.
inline constexpr std::size_t kMaxNameAndValueBytes = 4096;

// One cookie line's fields, viewing the line they came from.
struct CookieLine {
  // Without the leading '.' of a domain cookie.
  std::string_view domain;
  bool includeSubdomains = false;
  std::string_view path;
  bool secure = false;
  std::int64_t expires = 0;
  std::string_view name;
  std::string_view value;
};

// True when `name` and `value` (UTF-8) can be a cookie of the file and of a
// "name=value; ..." text: a name that is not empty and holds no '=' or ';', a
// value without ';', no control byte in either, at most
// kMaxNameAndValueBytes together.
bool IsStorableCookie(std::string_view name, std::string_view value);

// The cookie `line` holds, or nothing when the line is not one this store
// understands (see the file comment; also an expiry that is no decimal
// number, a domain with spaces or control bytes, and anything
// IsStorableCookie refuses). One CR before the line's end is ignored.
//   ParseCookieLine(".example.com\tTRUE\t/\tFALSE\t0\ta\t1")->domain
//       == "example.com"
std::optional<CookieLine> ParseCookieLine(std::string_view line);

// True when the cookie is meant for `host` (lower case) by its domain: a
// host-only cookie for exactly that host, a domain cookie for the domain
// itself and every name below it. ASCII case ignored.
bool DomainMatches(const CookieLine& cookie, std::string_view host);

// The line, without its newline, of a host-only session cookie for `host`
// with path "/", not secure.
std::string FormatHostOnlyCookie(std::string_view host, std::string_view name,
                                 std::string_view value);

// True when `line` is a header Python's loader accepts.
bool IsJarHeader(std::string_view line);

// The file's lines without their '\n'; a last line without one counts too,
// an empty file has none.
std::vector<std::string_view> SplitJarLines(std::string_view content);

}  // namespace quorrin::platform

#endif  // QUORRIN_PLATFORM_LINUX_COOKIE_JAR_LINES_H_
