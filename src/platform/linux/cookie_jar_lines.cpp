#include "platform/linux/cookie_jar_lines.h"

#include <array>
#include <charconv>

#include "platform/linux/cookie_url.h"

namespace quorrin::platform {
namespace {

bool IsControlByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7F;
}

bool HasControlByte(std::string_view text) {
  for (const char c : text) {
    if (IsControlByte(c)) return true;
  }
  return false;
}

std::optional<bool> ParseFlag(std::string_view field) {
  if (field == "TRUE") return true;
  if (field == "FALSE") return false;
  return std::nullopt;
}

std::optional<std::int64_t> ParseExpiry(std::string_view field) {
  if (field.empty()) return std::nullopt;
  for (const char c : field) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  std::int64_t seconds = 0;
  const auto [end, error] =
      std::from_chars(field.data(), field.data() + field.size(), seconds);
  if (error != std::errc() || end != field.data() + field.size()) {
    return std::nullopt;
  }
  return seconds;
}

}  // namespace

bool IsStorableCookie(std::string_view name, std::string_view value) {
  return !name.empty() && name.size() + value.size() <= kMaxNameAndValueBytes &&
         name.find_first_of("=;") == std::string_view::npos &&
         value.find(';') == std::string_view::npos && !HasControlByte(name) &&
         !HasControlByte(value);
}

std::optional<CookieLine> ParseCookieLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  // Python's loader takes lines beginning with '$' for comments too.
  if (line.empty() || line.front() == '#' || line.front() == '$') {
    return std::nullopt;
  }

  std::array<std::string_view, 7> fields;
  std::size_t count = 0;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    if (count == fields.size()) return std::nullopt;
    fields[count++] = line.substr(start, tab - start);
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  if (count != fields.size()) return std::nullopt;

  CookieLine cookie;
  std::string_view domain = fields[0];
  const std::optional<bool> includeSubdomains = ParseFlag(fields[1]);
  const std::optional<bool> secure = ParseFlag(fields[3]);
  const std::optional<std::int64_t> expires = ParseExpiry(fields[4]);
  if (!includeSubdomains || !secure || !expires) return std::nullopt;
  // Python's loader rejects the whole file over a line where the two
  // disagree; such a line is no cookie to us either.
  if (domain.empty() || *includeSubdomains != (domain.front() == '.')) {
    return std::nullopt;
  }
  if (*includeSubdomains) domain.remove_prefix(1);
  if (domain.empty() || domain.size() > kMaxHostBytes ||
      domain.find(' ') != std::string_view::npos || HasControlByte(domain) ||
      HasControlByte(fields[2]) || !IsStorableCookie(fields[5], fields[6])) {
    return std::nullopt;
  }

  cookie.domain = domain;
  cookie.includeSubdomains = *includeSubdomains;
  cookie.path = fields[2];
  cookie.secure = *secure;
  cookie.expires = *expires;
  cookie.name = fields[5];
  cookie.value = fields[6];
  return cookie;
}

bool DomainMatches(const CookieLine& cookie, std::string_view host) {
  if (EqualsIgnoringAsciiCase(cookie.domain, host)) return true;
  if (!cookie.includeSubdomains || host.size() <= cookie.domain.size()) {
    return false;
  }
  const std::size_t dot = host.size() - cookie.domain.size() - 1;
  return host[dot] == '.' &&
         EqualsIgnoringAsciiCase(host.substr(dot + 1), cookie.domain);
}

std::string FormatHostOnlyCookie(std::string_view host, std::string_view name,
                                 std::string_view value) {
  std::string line;
  line.reserve(host.size() + name.size() + value.size() + 24);
  line.append(host);
  line.append("\tFALSE\t/\tFALSE\t0\t");
  line.append(name);
  line.push_back('\t');
  line.append(value);
  return line;
}

bool IsJarHeader(std::string_view line) {
  return line.starts_with(kJarHeaderLine) ||
         line.starts_with("# HTTP Cookie File");
}

std::vector<std::string_view> SplitJarLines(std::string_view content) {
  std::vector<std::string_view> lines;
  while (!content.empty()) {
    const std::size_t newline = content.find('\n');
    lines.push_back(content.substr(0, newline));
    if (newline == std::string_view::npos) break;
    content.remove_prefix(newline + 1);
  }
  return lines;
}

}  // namespace quorrin::platform
