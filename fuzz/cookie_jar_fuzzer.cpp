// The Linux cookie file: its line parser on any file contents, and a write
// and a lookup through the store over such a file, in a folder of its own
// made at start (XDG_DATA_HOME points there, never at the user's own file).
//
// The input, read with FuzzedDataProvider: the URL's host, the cookie's name
// and value (code page 936), then the file's bytes; the last byte chooses
// http or https.
//
// Checked: a parsed line's fields hold what the store can keep and write
// back; a write that succeeds is returned by the next lookup, and leaves
// every other line of the file as it was, byte for byte and in order (only
// the header may be added in front and the one cookie replaced or added); a
// write that fails leaves the file untouched.

#include <dirent.h>
#include <fuzzer/FuzzedDataProvider.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/cookie_jar_lines.h"
#include "platform/linux/cookie_url.h"
#include "platform/linux/utf8_edge.h"
#include "platform/platform.h"
#include "text/text.h"

namespace {

namespace platform = quorrin::platform;
using quorrin::Text;

std::string g_dataHome;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "cookie file: %s\n", what);
  std::abort();
}

std::string JarFolder() { return g_dataHome + "/quorrin"; }
std::string JarFile() { return JarFolder() + "/cookies.txt"; }

void RemoveDataHome() {
  const std::string folder = JarFolder();
  if (DIR* dir = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      // Best effort at exit: a file left behind is only a temporary one.
      static_cast<void>(unlink((folder + "/" + name).c_str()));
    }
    static_cast<void>(closedir(dir));
  }
  static_cast<void>(rmdir(folder.c_str()));
  static_cast<void>(rmdir(g_dataHome.c_str()));
}

void WriteFile(const std::string& path, std::string_view content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  out.close();
  if (!out) Fail("cannot write the file under test");
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail("cannot read the file back");
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

bool Within(std::string_view part, std::string_view whole) {
  return part.data() >= whole.data() &&
         part.data() + part.size() <= whole.data() + whole.size();
}

void CheckParsedLine(std::string_view line) {
  const std::optional<platform::CookieLine> cookie =
      platform::ParseCookieLine(line);
  if (!cookie) return;
  if (!Within(cookie->domain, line) || !Within(cookie->path, line) ||
      !Within(cookie->name, line) || !Within(cookie->value, line)) {
    Fail("a field does not view the line it came from");
  }
  if (cookie->domain.empty() ||
      !platform::IsStorableCookie(cookie->name, cookie->value)) {
    Fail("a parsed cookie is one the store could not keep");
  }
  // Were the store to write this cookie for its domain as a host, the line
  // must read back as the same cookie.
  const std::optional<platform::CookieUrl> asHost =
      platform::ParseCookieUrl("http://" + std::string(cookie->domain));
  if (!asHost ||
      !platform::EqualsIgnoringAsciiCase(asHost->host, cookie->domain)) {
    return;
  }
  const std::string written = platform::FormatHostOnlyCookie(
      cookie->domain, cookie->name, cookie->value);
  const std::optional<platform::CookieLine> back =
      platform::ParseCookieLine(written);
  if (!back || back->domain != cookie->domain || back->name != cookie->name ||
      back->value != cookie->value || back->includeSubdomains ||
      back->path != "/" || back->secure || back->expires != 0) {
    Fail("a cookie written as a line does not read back");
  }
}

// Lookup's answer for `url`, measured first; empty when it finds nothing.
std::string Lookup(const Text& url) {
  std::uint32_t size = 0;
  if (platform::LookupStoreCookies(url, Text(), nullptr, size)) {
    Fail("a lookup without a buffer succeeded");
  }
  if (size == 0) return {};
  std::vector<char> buffer(size, 'x');
  std::uint32_t capacity = size;
  if (!platform::LookupStoreCookies(url, Text(), buffer.data(), capacity)) {
    Fail("a lookup into the buffer it asked for failed");
  }
  if (buffer.back() != '\0' ||
      std::string_view(buffer.data()).size() != size - 1) {
    Fail("a lookup's answer is not as long as it measured");
  }
  return std::string(buffer.data());
}

bool IsSameHostOnlyCookie(std::string_view line, std::string_view host,
                          std::string_view name) {
  const std::optional<platform::CookieLine> cookie =
      platform::ParseCookieLine(line);
  return cookie && !cookie->includeSubdomains && cookie->path == "/" &&
         cookie->name == name &&
         platform::EqualsIgnoringAsciiCase(cookie->domain, host);
}

void CheckWrite(const std::string& before, const std::string& after,
                std::string_view host, std::string_view fileName,
                std::string_view fileValue) {
  std::vector<std::string_view> oldLines = platform::SplitJarLines(before);
  std::vector<std::string_view> newLines = platform::SplitJarLines(after);
  if (newLines.empty() || !platform::IsJarHeader(newLines.front())) {
    Fail("the rewritten file does not begin with a header");
  }
  if (after.back() != '\n') Fail("the rewritten file's last line is cut");
  if (oldLines.empty() || !platform::IsJarHeader(oldLines.front())) {
    newLines.erase(newLines.begin());
  }

  // Every line but the one cookie's, in order and byte for byte (a last
  // line only gains its newline).
  std::vector<std::string_view> oldKept;
  std::vector<std::string_view> newKept;
  for (const std::string_view line : oldLines) {
    if (!IsSameHostOnlyCookie(line, host, fileName)) oldKept.push_back(line);
  }
  std::size_t cookieLines = 0;
  for (const std::string_view line : newLines) {
    if (IsSameHostOnlyCookie(line, host, fileName)) {
      ++cookieLines;
      if (platform::ParseCookieLine(line)->value != fileValue) {
        Fail("the cookie's line holds another value");
      }
    } else {
      newKept.push_back(line);
    }
  }
  if (oldKept != newKept) Fail("a line other than the cookie's changed");
  if (cookieLines != 1) Fail("the cookie is not in the file exactly once");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Every write is flushed to the disk: the test script points TMPDIR at a
  // folder in memory where there is one.
  const char* base = std::getenv("TMPDIR");
  if (base == nullptr || base[0] != '/') base = "/tmp";
  std::string pattern = std::string(base) + "/quorrin-cookie-jar-fuzz-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) Fail("cannot make a folder");
  g_dataHome = pattern;
  if (setenv("XDG_DATA_HOME", g_dataHome.c_str(), 1) != 0 ||
      mkdir(JarFolder().c_str(), 0700) != 0) {
    Fail("cannot point the store at its own folder");
  }
  if (std::atexit(RemoveDataHome) != 0) Fail("cannot arrange the clean-up");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  FuzzedDataProvider input(data, size);
  const bool secure = input.ConsumeBool();
  const std::string host = input.ConsumeRandomLengthString(320);
  const Text name(input.ConsumeRandomLengthString(64));
  const Text value(input.ConsumeRandomLengthString(128));
  const std::string before = input.ConsumeRemainingBytesAsString();

  for (const std::string_view line : platform::SplitJarLines(before)) {
    CheckParsedLine(line);
  }

  WriteFile(JarFile(), before);
  const Text url((secure ? "https://" : "http://") + host);
  static_cast<void>(Lookup(url));  // Only that it neither fails nor lies.

  const bool written = platform::WriteStoreCookie(url, name, value);
  const std::string after = ReadFile(JarFile());
  if (!written) {
    if (after != before) Fail("a write that failed changed the file");
    return 0;
  }

  // The store keeps the trimmed name and value, as UTF-8.
  const std::optional<std::string> fileName =
      platform::GbkToUtf8Exact(TrimSpaces(name.view()));
  const std::optional<std::string> fileValue =
      platform::GbkToUtf8Exact(TrimSpaces(value.view()));
  if (!fileName || !fileValue)
    Fail("a write succeeded with what it can't keep");

  // A lookup for the same URL returns the cookie as it was written.
  const std::string wanted = std::string(TrimSpaces(name.view())) + "=" +
                             std::string(TrimSpaces(value.view()));
  const std::string found = Lookup(url);
  bool returned = false;
  for (std::size_t start = 0; start <= found.size() && !returned;) {
    const std::size_t end = std::min(found.find("; ", start), found.size());
    returned = std::string_view(found).substr(start, end - start) == wanted;
    start = end + 2;
  }
  if (!returned) Fail("a cookie written is not returned by the next lookup");

  const std::optional<platform::CookieUrl> target =
      platform::ParseCookieUrl(url.view());
  if (!target) Fail("a write succeeded for a URL that names no host");
  CheckWrite(before, after, target->host, *fileName, *fileValue);
  return 0;
}
