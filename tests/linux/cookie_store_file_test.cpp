// The cookie store as a file: where it lives, what it looks like, and that
// it never loses or mangles what other programs put there.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>

#include "linux/cookie_test_home.h"
#include "platform/platform.h"
#include "text/text.h"

namespace quorrin::platform {
namespace {

using testing_linux::CookieTestHome;
using testing_linux::ScopedEnv;

constexpr char kHeader[] = "# Netscape HTTP Cookie File\n";

std::optional<std::string> Lookup(const std::string& url) {
  char buffer[8192];
  std::uint32_t size = sizeof buffer;
  if (!LookupStoreCookies(Text(url), Text(), buffer, size)) return {};
  return std::string(buffer);
}

bool Write(const std::string& url, const std::string& name,
           const std::string& value) {
  return WriteStoreCookie(Text(url), Text(name), Text(value));
}

unsigned Mode(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
  return status.st_mode & 07777;
}

std::set<std::string> FolderEntries(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

TEST(CookieStoreFileTest, WritesTheNetscapeFormatForTheUserAlone) {
  CookieTestHome home;
  ASSERT_TRUE(Write("http://www.example.com", "a", "1"));
  ASSERT_TRUE(Write("https://www.example.com/x", "b", "2"));

  EXPECT_EQ(home.ReadFile(), std::string(kHeader) +
                                 "www.example.com\tFALSE\t/\tFALSE\t0\ta\t1\n"
                                 "www.example.com\tFALSE\t/\tFALSE\t0\tb\t2\n");
  EXPECT_EQ(Mode(home.file()), 0600u);
  EXPECT_EQ(Mode(home.folder()), 0700u);
  EXPECT_EQ(Mode(home.data()), 0700u) << "a missing parent is made too";
  // Nothing left behind but the lock file.
  EXPECT_EQ(FolderEntries(home.folder()),
            (std::set<std::string>{"cookies.txt", "cookies.txt.lock"}));
}

TEST(CookieStoreFileTest, FindsTheFolderFromTheEnvironment) {
  struct Case {
    const char* label;
    const char* xdgDataHome;  // null: unset
    const char* expected;     // below the test's root
  };
  const Case cases[] = {
      {"XDG_DATA_HOME", "/data/", "/data/quorrin/cookies.txt"},
      {"XDG_DATA_HOME unset", nullptr, "/.local/share/quorrin/cookies.txt"},
      {"XDG_DATA_HOME empty", "", "/.local/share/quorrin/cookies.txt"},
      // XDG base directory rules: a relative path is ignored.
      {"XDG_DATA_HOME relative", "data", "/.local/share/quorrin/cookies.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    CookieTestHome home;
    std::optional<std::string> xdg;
    if (c.xdgDataHome) {
      xdg = c.xdgDataHome[0] == '/' ? home.root() + c.xdgDataHome
                                    : std::string(c.xdgDataHome);
    }
    ScopedEnv homeEnv("HOME", home.root().c_str());
    ScopedEnv xdgEnv("XDG_DATA_HOME", xdg ? xdg->c_str() : nullptr);
    ASSERT_TRUE(Write("http://example.com", "a", "1"));
    EXPECT_TRUE(std::filesystem::is_regular_file(home.root() + c.expected));
    EXPECT_EQ(Lookup("http://example.com"), "a=1");
  }
}

TEST(CookieStoreFileTest, LookupCreatesNothing) {
  CookieTestHome home;
  EXPECT_FALSE(Lookup("http://example.com"));
  EXPECT_FALSE(std::filesystem::exists(home.data()));
}

TEST(CookieStoreFileTest, OtherLinesAreSkippedWhenReadAndKeptWhenRewritten) {
  CookieTestHome home;
  const std::string longValue(5000, 'v');
  const std::string theirs =
      std::string(kHeader) +
      "# a comment\n"
      "\n"
      "#HttpOnly_example.com\tFALSE\t/\tFALSE\t0\thttponly\t1\n"
      "example.com\tFALSE\t/\tFALSE\t0\tkeep\t1\n"
      "garbage without tabs\n"
      "example.com\tTRUE\t/\tFALSE\t0\tpythonrejects\t1\n"
      "example.com\tFALSE\t/\tFALSE\t0\tlong\t" +
      longValue +
      "\n"
      "example.com\tFALSE\t/\tFALSE\t0\tlatin1\t\xE9t\xE9\n"
      "example.com\tFALSE\t/\tFALSE\t0\temoji\t\xF0\x9F\x98\x80\n"
      ".example.com\tTRUE\t/\tFALSE\t0\tcurl\t2\r\n"
      "example.com\tFALSE\t/\tFALSE\t0\tlast\t3";  // no newline at the end
  home.WriteFile(theirs);

  // One bad line does not stop the ones after it; the ones this store
  // cannot pass on unchanged in code page 936 are left out.
  EXPECT_EQ(Lookup("http://example.com"), "keep=1; curl=2; last=3");

  ASSERT_TRUE(Write("http://example.com", "mine", "4"));
  EXPECT_EQ(home.ReadFile(),
            theirs + "\nexample.com\tFALSE\t/\tFALSE\t0\tmine\t4\n");
  EXPECT_EQ(Lookup("http://example.com"), "keep=1; curl=2; last=3; mine=4");
}

TEST(CookieStoreFileTest, OverwriteReplacesTheFirstCopyAndDropsTheRest) {
  CookieTestHome home;
  home.WriteFile(std::string(kHeader) +
                 "example.com\tFALSE\t/\tTRUE\t1\ta\told\n"
                 "example.com\tFALSE\t/\tFALSE\t0\tb\t2\n"
                 "EXAMPLE.COM\tFALSE\t/\tFALSE\t0\ta\tolder\n"
                 // Not the same cookie: a domain cookie, another path.
                 ".example.com\tTRUE\t/\tFALSE\t0\ta\tdomain\n"
                 "example.com\tFALSE\t/x\tFALSE\t0\ta\tpath\n");
  ASSERT_TRUE(Write("http://example.com", "a", "new"));
  EXPECT_EQ(home.ReadFile(), std::string(kHeader) +
                                 "example.com\tFALSE\t/\tFALSE\t0\ta\tnew\n"
                                 "example.com\tFALSE\t/\tFALSE\t0\tb\t2\n"
                                 ".example.com\tTRUE\t/\tFALSE\t0\ta\tdomain\n"
                                 "example.com\tFALSE\t/x\tFALSE\t0\ta\tpath\n");
}

TEST(CookieStoreFileTest, AFileWithoutHeaderGetsOne) {
  CookieTestHome home;
  home.WriteFile("example.com\tFALSE\t/\tFALSE\t0\tx\t1\n");
  ASSERT_TRUE(Write("http://example.com", "y", "2"));
  EXPECT_EQ(home.ReadFile(), std::string(kHeader) +
                                 "example.com\tFALSE\t/\tFALSE\t0\tx\t1\n"
                                 "example.com\tFALSE\t/\tFALSE\t0\ty\t2\n");
}

TEST(CookieStoreFileTest, KeepsCodePageTextAsUtf8) {
  CookieTestHome home;
  // 中文 in code page 936, kept as UTF-8.
  ASSERT_TRUE(Write("http://example.com", "v", "\xD6\xD0\xCE\xC4"));
  EXPECT_EQ(
      home.ReadFile(),
      std::string(kHeader) +
          "example.com\tFALSE\t/\tFALSE\t0\tv\t\xE4\xB8\xAD\xE6\x96\x87\n");
  EXPECT_EQ(Lookup("http://example.com"), "v=\xD6\xD0\xCE\xC4");
  // A lead byte without its second byte is no character: refused rather
  // than stored as something else.
  EXPECT_FALSE(Write("http://example.com", "w", "ab\xD6"));
  // The limit counts the bytes in the file: 1366 characters of three UTF-8
  // bytes each are more than 4096 bytes there, though 2732 here.
  std::string wide;
  for (int i = 0; i < 1366; ++i) wide += "\xD6\xD0";
  EXPECT_FALSE(Write("http://example.com", "w", wide));
  EXPECT_TRUE(Write("http://example.com", "w", wide.substr(2)));
}

TEST(CookieStoreFileTest, AFileThatCannotBeReadIsNotReplaced) {
  CookieTestHome home;
  std::filesystem::create_directories(home.file());  // a folder in its place
  EXPECT_FALSE(Write("http://example.com", "a", "1"));
  EXPECT_FALSE(Lookup("http://example.com"));
  EXPECT_TRUE(std::filesystem::is_directory(home.file()));
}

TEST(CookieStoreFileTest, WhatADeadWriterLeftIsRemovedNotFollowed) {
  CookieTestHome home;
  home.WriteFile(kHeader);
  // A half-written successor, and one that points elsewhere.
  const std::string victim = home.root() + "/victim";
  std::ofstream(victim) << "untouched";
  ASSERT_EQ(symlink(victim.c_str(), (home.file() + ".new").c_str()), 0);
  ASSERT_TRUE(Write("http://example.com", "a", "1"));
  EXPECT_EQ(Lookup("http://example.com"), "a=1");
  std::ifstream in(victim);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "untouched");
  EXPECT_EQ(FolderEntries(home.folder()),
            (std::set<std::string>{"cookies.txt", "cookies.txt.lock"}));
}

}  // namespace
}  // namespace quorrin::platform
