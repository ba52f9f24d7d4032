#include "platform/linux/cookie_url.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quorrin::platform {
namespace {

TEST(CookieUrlTest, TakesTheHostAndTheScheme) {
  struct Case {
    const char* url;
    std::optional<std::string> host;
    bool secure;
  };
  const Case cases[] = {
      {"http://example.com", "example.com", false},
      {"https://example.com", "example.com", true},
      {"HTTPS://WWW.Example.COM:81/a/b?c=d#e", "www.example.com", true},
      {"http://example.com?q=1", "example.com", false},
      {"http://example.com#top", "example.com", false},
      {"http://user:pw@example.com/", "example.com", false},
      {"http://127.0.0.1:8080", "127.0.0.1", false},
      {"http://[::1]:8080/", "::1", false},
      {"http://under_score.example", "under_score.example", false},
      // A scheme later in the URL is part of its query.
      {"https://a.example/?next=http://b.example/", "a.example", true},
      // Nothing to take: no scheme at the start, no host, or bytes no host
      // name holds (which would also break the file's fields).
      {"example.com", std::nullopt, false},
      {"ftp://example.com", std::nullopt, false},
      {" http://example.com", std::nullopt, false},
      {"http://", std::nullopt, false},
      {"http:///path", std::nullopt, false},
      {"http://:80", std::nullopt, false},
      {"http://.example.com", std::nullopt, false},
      {"http://exa mple.com", std::nullopt, false},
      {"http://exa\tmple.com", std::nullopt, false},
      {"http://#HttpOnly_x", std::nullopt, false},
      {"http://\xD6\xD0.example", std::nullopt, false},
      {"http://[::1", std::nullopt, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    const std::optional<CookieUrl> parsed = ParseCookieUrl(c.url);
    ASSERT_EQ(parsed.has_value(), c.host.has_value());
    if (!parsed) continue;
    EXPECT_EQ(parsed->host, *c.host);
    EXPECT_EQ(parsed->secure, c.secure);
  }
}

// A longer host could be written but never read back from the file, so each
// later write would add another line for it.
TEST(CookieUrlTest, RefusesHostsLongerThanDnsAllows) {
  const std::string longest = std::string(249, 'a') + ".com";
  ASSERT_EQ(longest.size(), kMaxHostBytes);
  EXPECT_TRUE(ParseCookieUrl("http://" + longest));
  EXPECT_FALSE(ParseCookieUrl("http://a" + longest));
  EXPECT_FALSE(ParseCookieUrl("http://[" + std::string(254, ':') + "]"));
}

}  // namespace
}  // namespace quorrin::platform
