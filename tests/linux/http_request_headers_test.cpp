#include "platform/linux/http_request_headers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quorrin::platform::http {
namespace {

using ::testing::ElementsAre;

TEST(HttpRequestHeadersTest, LaterSettingReplacesInPlace) {
  RequestHeaders headers;
  EXPECT_TRUE(headers.Set("Referer", " http://a/"));
  EXPECT_TRUE(headers.Set("accept", " */*"));
  EXPECT_TRUE(headers.Set("X-Other", "1"));
  EXPECT_TRUE(headers.Set("Accept", "text/html "));
  ASSERT_EQ(headers.fields().size(), 3u);
  EXPECT_EQ(headers.fields()[1].name, "Accept");
  EXPECT_EQ(headers.fields()[1].value, "text/html");
  ASSERT_NE(headers.Find("ACCEPT"), nullptr);
  EXPECT_EQ(*headers.Find("ACCEPT"), "text/html");
  EXPECT_EQ(headers.Find("Cookie"), nullptr);
}

TEST(HttpRequestHeadersTest, RefusesFieldsThatCannotGoOnTheWire) {
  struct Case {
    std::string_view name;
    std::string_view value;
  };
  const Case cases[] = {
      {"", "x"},
      {"Two Words", "x"},
      {"X-Split", "a\r\nX-Injected: 1"},
      // The body's length is the object's to state.
      {"Content-Length", "5"},
      {"transfer-encoding", "chunked"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RequestHeaders headers;
    headers.Set("X-Kept", "1");
    EXPECT_FALSE(headers.Set(c.name, c.value));
    EXPECT_EQ(headers.fields().size(), 1u);
  }
}

TEST(HttpRequestHeadersTest, CurlLinesSwitchOffCurlsOwnFields) {
  RequestHeaders none;
  EXPECT_THAT(CurlHeaderLines(none),
              ElementsAre("User-Agent: " + std::string(kDefaultUserAgent),
                          "Accept:", "Content-Type:", "Expect:"));

  RequestHeaders set;
  set.Set("user-agent", " Mine");
  set.Set("Accept", " */*");
  set.Set("Content-Type", " application/x-www-form-urlencoded");
  // An empty value needs curl's "Name;" form: "Name:" would remove it.
  set.Set("X-Empty", "");
  // Cookies travel through the cookie engine, not as a line.
  set.Set("Cookie", " a=1");
  EXPECT_THAT(CurlHeaderLines(set),
              ElementsAre("user-agent: Mine", "Accept: */*",
                          "Content-Type: application/x-www-form-urlencoded",
                          "X-Empty;", "Expect:"));
}

TEST(HttpRequestHeadersTest, SplitsCookieValuesIntoPairs) {
  struct Case {
    std::string_view value;
    std::vector<std::pair<std::string, std::string>> pairs;
  };
  const Case cases[] = {
      {"a=1; b=2;", {{"a", "1"}, {"b", "2"}}},
      {" a = 1 ;b=x=y", {{"a", "1"}, {"b", "x=y"}}},
      {"a=", {{"a", ""}}},
      // No "=" or no name: no cookie.
      {"flag; =v; ;", {}},
      {"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const CookiePair& cookie : SplitCookieHeader(c.value)) {
      pairs.emplace_back(cookie.name, cookie.value);
    }
    EXPECT_EQ(pairs, c.pairs);
  }
}

}  // namespace
}  // namespace quorrin::platform::http
