#include "platform/linux/cookie_jar_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorrin::platform {
namespace {

TEST(CookieJarLinesTest, ReadsTheSevenFields) {
  const auto cookie =
      ParseCookieLine(".Example.com\tTRUE\t/app\tTRUE\t1700000000\tsid\ta=b");
  ASSERT_TRUE(cookie);
  EXPECT_EQ(cookie->domain, "Example.com");
  EXPECT_TRUE(cookie->includeSubdomains);
  EXPECT_EQ(cookie->path, "/app");
  EXPECT_TRUE(cookie->secure);
  EXPECT_EQ(cookie->expires, 1700000000);
  EXPECT_EQ(cookie->name, "sid");
  EXPECT_EQ(cookie->value, "a=b");
}

TEST(CookieJarLinesTest, UnderstandsOnlyWellFormedCookieLines) {
  struct Case {
    const char* label;
    std::string line;
    bool understood;
  };
  const std::string longValue(4095, 'v');
  const Case cases[] = {
      {"host-only", "example.com\tFALSE\t/\tFALSE\t0\ta\t1", true},
      {"empty value", "example.com\tFALSE\t/\tFALSE\t0\ta\t", true},
      {"CR of a CRLF file", "example.com\tFALSE\t/\tFALSE\t0\ta\t1\r", true},
      {"UTF-8 value", "example.com\tFALSE\t/\tFALSE\t0\ta\t\xE4\xB8\xAD", true},
      {"longest name and value",
       "example.com\tFALSE\t/\tFALSE\t0\ta\t" + longValue, true},
      {"over-long", "example.com\tFALSE\t/\tFALSE\t0\tab\t" + longValue, false},
      {"comment", "# example.com\tFALSE\t/\tFALSE\t0\ta\t1", false},
      {"HttpOnly", "#HttpOnly_example.com\tFALSE\t/\tFALSE\t0\ta\t1", false},
      {"dollar line", "$example.com\tFALSE\t/\tFALSE\t0\ta\t1", false},
      {"empty line", "", false},
      {"six fields", "example.com\tFALSE\t/\tFALSE\t0\ta", false},
      {"eight fields", "example.com\tFALSE\t/\tFALSE\t0\ta\t1\t2", false},
      {"lower-case flag", "example.com\tfalse\t/\tFALSE\t0\ta\t1", false},
      {"TRUE without a dot", "example.com\tTRUE\t/\tFALSE\t0\ta\t1", false},
      {"dot with FALSE", ".example.com\tFALSE\t/\tFALSE\t0\ta\t1", false},
      {"only a dot", ".\tTRUE\t/\tFALSE\t0\ta\t1", false},
      {"negative expiry", "example.com\tFALSE\t/\tFALSE\t-1\ta\t1", false},
      {"expiry too large",
       "example.com\tFALSE\t/\tFALSE\t99999999999999999999"
       "\ta\t1",
       false},
      {"empty name", "example.com\tFALSE\t/\tFALSE\t0\t\t1", false},
      {"'=' in the name", "example.com\tFALSE\t/\tFALSE\t0\ta=b\t1", false},
      {"';' in the value", "example.com\tFALSE\t/\tFALSE\t0\ta\t1;b=2", false},
      {"control byte", "example.com\tFALSE\t/\tFALSE\t0\ta\t\x01", false},
      {"space in the domain", "exa mple.com\tFALSE\t/\tFALSE\t0\ta\t1", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(ParseCookieLine(c.line).has_value(), c.understood);
  }
}

TEST(CookieJarLinesTest, DomainMatching) {
  const auto host =
      *ParseCookieLine("www.example.com\tFALSE\t/\tFALSE\t0\ta\t1");
  const auto domain = *ParseCookieLine(".Example.com\tTRUE\t/\tFALSE\t0\ta\t1");
  EXPECT_TRUE(DomainMatches(host, "www.example.com"));
  EXPECT_FALSE(DomainMatches(host, "a.www.example.com"));
  EXPECT_FALSE(DomainMatches(host, "example.com"));
  EXPECT_TRUE(DomainMatches(domain, "example.com"));
  EXPECT_TRUE(DomainMatches(domain, "a.b.example.com"));
  EXPECT_FALSE(DomainMatches(domain, "notexample.com"));
  EXPECT_FALSE(DomainMatches(domain, "com"));
}

TEST(CookieJarLinesTest, SplitsLinesKeepingALastOneWithoutNewline) {
  EXPECT_EQ(SplitJarLines(""), std::vector<std::string_view>{});
  EXPECT_EQ(SplitJarLines("a\n\nb"),
            (std::vector<std::string_view>{"a", "", "b"}));
  EXPECT_EQ(SplitJarLines("a\r\n"), std::vector<std::string_view>{"a\r"});
}

TEST(CookieJarLinesTest, WritesWhatItReads) {
  const std::string line = FormatHostOnlyCookie("example.com", "a", "x=1");
  EXPECT_EQ(line, "example.com\tFALSE\t/\tFALSE\t0\ta\tx=1");
  const auto cookie = ParseCookieLine(line);
  ASSERT_TRUE(cookie);
  EXPECT_FALSE(cookie->includeSubdomains);
  EXPECT_EQ(cookie->value, "x=1");
}

}  // namespace
}  // namespace quorrin::platform
