// The per-user cookie store on Linux: a Netscape cookie file in the user's
// data folder, shared with curl, wget and Python's loader.
//
// Names and values arrive in code page 936 but are kept in the file as UTF-8,
// and only when they make the trip both ways unchanged: the other programs
// send the file's bytes as they are, and Python's loader reads the file as
// UTF-8 text and refuses all of it over one byte that is not.
//
// Writers take the lock, read the whole file, and put a whole new file in its
// place; readers take no lock, since a rename shows them the old file or the
// new one and nothing between.

#include <cstdint>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "platform/linux/cookie_jar_file.h"
#include "platform/linux/cookie_jar_lines.h"
#include "platform/linux/cookie_jar_location.h"
#include "platform/linux/cookie_jar_lock.h"
#include "platform/linux/cookie_url.h"
#include "platform/linux/utf8_edge.h"
#include "platform/platform.h"

namespace quorrin::platform {
namespace {

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

bool IsSameHostOnlyCookie(const CookieLine& cookie, std::string_view host,
                          std::string_view name) {
  return !cookie.includeSubdomains && cookie.path == "/" &&
         cookie.name == name && EqualsIgnoringAsciiCase(cookie.domain, host);
}

// `content` with the host-only cookie `name` of `host` set to `value`: the
// first line holding that cookie is replaced in place and any later copy
// dropped, or the cookie is added at the end. Every other line stays as it
// was, byte for byte.
JarBytes SetCookieInJar(std::string_view content, std::string_view host,
                        std::string_view name, std::string_view value) {
  const std::vector<std::string_view> lines = SplitJarLines(content);
  JarBytes next;
  next.reserve(content.size() + host.size() + name.size() + value.size() + 64);
  if (lines.empty() || !IsJarHeader(lines.front())) {
    next.append(kJarHeaderLine);
    next.push_back('\n');
  }
  const std::string cookieLine = FormatHostOnlyCookie(host, name, value);
  bool placed = false;
  for (const std::string_view line : lines) {
    const std::optional<CookieLine> cookie = ParseCookieLine(line);
    if (cookie && IsSameHostOnlyCookie(*cookie, host, name)) {
      if (placed) continue;
      next.append(cookieLine);
      placed = true;
    } else {
      next.append(line);
    }
    next.push_back('\n');
  }
  if (!placed) {
    next.append(cookieLine);
    next.push_back('\n');
  }
  return next;
}

bool IsSentTo(const CookieLine& cookie, const CookieUrl& target,
              std::time_t now) {
  return cookie.path == "/" && (target.secure || !cookie.secure) &&
         (cookie.expires == 0 || cookie.expires > now) &&
         DomainMatches(cookie, target.host);
}

}  // namespace

bool LookupStoreCookies(const Text& url, const Text& cookieName, char* buffer,
                        std::uint32_t& size) {
  // The store this one stands in for takes a name here and ignores it.
  static_cast<void>(cookieName);
  const std::optional<CookieUrl> target = ParseCookieUrl(url.view());
  if (!target) return false;
  const std::optional<JarLocation> location = FindJarLocation();
  if (!location) return false;
  JarBytes content;
  if (ReadJarFile(location->file, content) != JarRead::kRead) return false;
  const std::time_t now = std::time(nullptr);
  if (now == static_cast<std::time_t>(-1)) return false;

  JarBytes found;
  for (const std::string_view line : SplitJarLines(content)) {
    const std::optional<CookieLine> cookie = ParseCookieLine(line);
    if (!cookie || !IsSentTo(*cookie, *target, now)) continue;
    // A cookie the code page cannot carry unchanged would reach the server
    // altered; it is left to the programs that can send it.
    const std::optional<Text> name = Utf8ToGbkExact(cookie->name);
    const std::optional<Text> value = Utf8ToGbkExact(cookie->value);
    if (!name || !value) continue;
    if (!found.empty()) found.append("; ");
    found.append(name->view());
    found.push_back('=');
    found.append(value->view());
  }
  if (found.empty()) return false;

  // The file is far smaller than 4 GiB, and so is what it yields.
  const auto needed = static_cast<std::uint32_t>(found.size() + 1);
  if (buffer == nullptr || size < needed) {
    size = needed;
    return false;
  }
  std::memcpy(buffer, found.data(), found.size());
  buffer[found.size()] = '\0';
  return true;
}

bool WriteStoreCookie(const Text& url, const Text& name, const Text& value) {
  const std::optional<CookieUrl> target = ParseCookieUrl(url.view());
  if (!target) return false;
  const std::optional<std::string> fileName =
      GbkToUtf8Exact(TrimSpaces(name.view()));
  const std::optional<std::string> fileValue =
      GbkToUtf8Exact(TrimSpaces(value.view()));
  // The size limit counts the bytes in the file, so that curl keeps them too.
  if (!fileName || !fileValue || !IsStorableCookie(*fileName, *fileValue)) {
    return false;
  }

  const std::optional<JarLocation> location = FindJarLocation();
  if (!location || !CreateJarFolder(*location)) return false;
  const UniqueFd lock = LockJar(location->lockFile);
  if (!lock) return false;
  JarBytes content;
  if (ReadJarFile(location->file, content) == JarRead::kFailed) return false;
  const JarBytes next =
      SetCookieInJar(content, target->host, *fileName, *fileValue);
  return ReplaceJarFile(*location, std::string_view(next.data(), next.size()));
}

}  // namespace quorrin::platform
