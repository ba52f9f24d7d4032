// Several processes writing the cookie file at once lose nothing, and no
// reader ever sees a file that is not whole.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "linux/cookie_test_home.h"
#include "platform/linux/cookie_jar_lines.h"
#include "platform/platform.h"
#include "text/text.h"

namespace quorrin::platform {
namespace {

constexpr int kWriters = 6;
constexpr int kCookiesEach = 20;

std::string CookieName(int writer, int cookie) {
  return "w" + std::to_string(writer) + "c" + std::to_string(cookie);
}

int WriteCookies(int writer) {
  for (int cookie = 0; cookie < kCookiesEach; ++cookie) {
    if (!WriteStoreCookie(Text("http://example.com"),
                          Text(CookieName(writer, cookie)), Text("1"))) {
      return 1;
    }
  }
  return 0;
}

// Reads the file over and over until `stopFile` appears: 0 when every
// version seen was whole and held at least as many cookies as the one
// before.
int CheckEveryVersion(const std::string& file, const std::string& stopFile) {
  std::size_t cookiesBefore = 0;
  while (!std::filesystem::exists(stopFile)) {
    std::ifstream in(file, std::ios::binary);
    if (!in) continue;  // not written yet
    const std::string content(std::istreambuf_iterator<char>(in), {});
    const std::vector<std::string_view> lines = SplitJarLines(content);
    if (lines.empty() || lines.front() != kJarHeaderLine ||
        content.back() != '\n') {
      return 2;
    }
    for (std::size_t i = 1; i < lines.size(); ++i) {
      if (!ParseCookieLine(lines[i])) return 3;
    }
    if (lines.size() - 1 < cookiesBefore) return 4;
    cookiesBefore = lines.size() - 1;
  }
  return 0;
}

int WaitForExit(pid_t child) {
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

TEST(CookieStoreConcurrencyTest, WritersInSeveralProcessesLoseNothing) {
  testing_linux::CookieTestHome home;
  const std::string stopFile = home.root() + "/stop";

  const pid_t reader = fork();
  ASSERT_GE(reader, 0);
  if (reader == 0) _exit(CheckEveryVersion(home.file(), stopFile));
  std::vector<pid_t> writers;
  for (int writer = 0; writer < kWriters; ++writer) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(WriteCookies(writer));
    writers.push_back(child);
  }

  for (const pid_t writer : writers) {
    EXPECT_EQ(WaitForExit(writer), 0) << "a write failed";
  }
  std::ofstream(stopFile).put('\n');
  EXPECT_EQ(WaitForExit(reader), 0) << "the reader saw a broken file";

  char buffer[8192];
  std::uint32_t size = sizeof buffer;
  ASSERT_TRUE(
      LookupStoreCookies(Text("http://example.com"), Text(), buffer, size));
  std::set<std::string> found;
  std::string_view text(buffer);
  while (!text.empty()) {
    const std::size_t end = text.find("; ");
    found.insert(std::string(text.substr(0, end)));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 2);
  }
  std::set<std::string> expected;
  for (int writer = 0; writer < kWriters; ++writer) {
    for (int cookie = 0; cookie < kCookiesEach; ++cookie) {
      expected.insert(CookieName(writer, cookie) + "=1");
    }
  }
  EXPECT_EQ(found, expected);
}

}  // namespace
}  // namespace quorrin::platform
