#include "platform/linux/http_wire_syntax.h"

#include <gtest/gtest.h>

namespace quorrin::platform::http {
namespace {

TEST(HttpWireSyntaxTest, TokensAreWhatMethodsAndNamesMayBe) {
  struct Case {
    std::string_view text;
    bool token;
  };
  const Case cases[] = {
      {"GET", true},           {"X-Hop_1.a~!", true}, {"", false},
      {"GET ", false},         {"A:B", false},        {"A\r\nB", false},
      {"\xE4\xB8\xAD", false}, {"a/b", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(IsHttpToken(c.text), c.token);
  }
}

TEST(HttpWireSyntaxTest, FieldValuesHoldNoLineBreak) {
  EXPECT_TRUE(IsHttpFieldValue("a\tb \xE4\xB8\xAD"));
  EXPECT_TRUE(IsHttpFieldValue(""));
  EXPECT_FALSE(IsHttpFieldValue("a\r\nX-Injected: 1"));
  EXPECT_FALSE(IsHttpFieldValue("a\nb"));
  EXPECT_FALSE(IsHttpFieldValue(std::string_view("a\0b", 3)));
}

TEST(HttpWireSyntaxTest, WireUrlEscapesWhatFollowsTheHost) {
  struct Case {
    std::string_view url;
    std::string_view wire;
  };
  const Case cases[] = {
      {"http://h/a b?q=\xE4\xB8\xAD#f", "http://h/a%20b?q=%E4%B8%AD#f"},
      // The host is libcurl's to handle (a name outside ASCII goes through
      // IDN), so it is left as it is.
      {"http://\xE4\xB8\xAD.example/\xE4", "http://\xE4\xB8\xAD.example/%E4"},
      {"https://h:81?x=%41", "https://h:81?x=%41"},
      {"http://h", "http://h"},
      // Without "://" before the path there is no host to skip.
      {"/a b", "/a%20b"},
      // A line break anywhere makes the URL unusable.
      {"http://h/a\r\nHost: x", ""},
      {"http://h\t/", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(WireUrl(c.url), c.wire);
  }
}

}  // namespace
}  // namespace quorrin::platform::http
