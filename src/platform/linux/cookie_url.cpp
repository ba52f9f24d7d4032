#include "platform/linux/cookie_url.h"

#include <cstddef>

namespace quorrin::platform {
namespace {

bool IsHostNameByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_';
}

bool IsIpv6LiteralByte(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') ||
         (c >= 'A' && c <= 'F') || c == ':' || c == '.';
}

}  // namespace

std::optional<CookieUrl> ParseCookieUrl(std::string_view url) {
  CookieUrl parsed;
  if (StartsWithIgnoringAsciiCase(url, "https://")) {
    parsed.secure = true;
    url.remove_prefix(8);
  } else if (StartsWithIgnoringAsciiCase(url, "http://")) {
    url.remove_prefix(7);
  } else {
    return std::nullopt;
  }

  std::string_view authority = url.substr(0, url.find_first_of("/?#"));
  if (const std::size_t at = authority.rfind('@');
      at != std::string_view::npos) {
    authority.remove_prefix(at + 1);
  }

  std::string_view host;
  bool literal = false;
  if (!authority.empty() && authority.front() == '[') {
    const std::size_t close = authority.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    host = authority.substr(1, close - 1);
    literal = true;
  } else {
    host = authority.substr(0, authority.find(':'));
  }

  if (host.empty() || host.size() > kMaxHostBytes || host.front() == '.') {
    return std::nullopt;
  }
  for (const char c : host) {
    if (!(literal ? IsIpv6LiteralByte(c) : IsHostNameByte(c))) {
      return std::nullopt;
    }
    parsed.host.push_back(LowerAscii(c));
  }
  return parsed;
}

}  // namespace quorrin::platform
