// The host a cookie-store URL names, and whether cookies meant for secure
// connections may go to it.
//
// The store is asked with "http://host" or "https://host", possibly with a
// port, a path, a query or a user name; only the host counts for cookies.

#ifndef QUORRIN_PLATFORM_LINUX_COOKIE_URL_H_
#define QUORRIN_PLATFORM_LINUX_COOKIE_URL_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/linux/ascii_case.h"

namespace quorrin::platform {

// The longest host name DNS allows; the cookie file holds no longer one, so
// the store takes none either.
inline constexpr std::size_t kMaxHostBytes = 253;

struct CookieUrl {
  // Lower-case ASCII; an IPv6 literal without its brackets.
  std::string host;
  // The scheme was https.
  bool secure = false;
};

// Nothing unless `url` begins with "http://" or "https://" (ASCII case
// ignored) and names a host of letters, digits, '-', '.' and '_' that does
// not begin with '.', or an IPv6 literal in brackets, of at most
// kMaxHostBytes.
//   ParseCookieUrl("HTTPS://user@WWW.Example.com:81/a?b")
//       == CookieUrl{"www.example.com", true}
std::optional<CookieUrl> ParseCookieUrl(std::string_view url);

}  // namespace quorrin::platform

#endif  // QUORRIN_PLATFORM_LINUX_COOKIE_URL_H_
