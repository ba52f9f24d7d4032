#include "contract/cookie_store_contract.h"

#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "text/text.h"

namespace quorrin::contract {
namespace {

// The store's answer for `url`, asking again with the size it reports when
// the first buffer is too small; nothing when the lookup fails.
std::optional<std::string> Lookup(const std::string& url) {
  std::vector<char> buffer(64, 'x');
  auto size = static_cast<std::uint32_t>(buffer.size());
  if (!platform::LookupStoreCookies(Text(url), Text(), buffer.data(), size)) {
    if (size <= buffer.size()) return std::nullopt;
    buffer.assign(size, 'x');
    if (!platform::LookupStoreCookies(Text(url), Text(), buffer.data(), size)) {
      ADD_FAILURE() << "failed again with the size it asked for: " << size;
      return std::nullopt;
    }
  }
  return std::string(buffer.data());
}

bool Write(const std::string& url, const std::string& name,
           const std::string& value) {
  return platform::WriteStoreCookie(Text(url), Text(name), Text(value));
}

constexpr std::int64_t kYear2100 = 4102444800;

TEST_P(CookieStoreContract, LookupMatchesHostDomainPathSchemeAndExpiry) {
  const auto now = static_cast<std::int64_t>(std::time(nullptr));
  store().PutRaw({.domain = "www.example.com", .name = "host", .value = "1"});
  store().PutRaw({.domain = ".example.com", .name = "dom", .value = "2"});
  store().PutRaw({.domain = "www.example.com",
                  .secure = true,
                  .name = "sec",
                  .value = "3"});
  store().PutRaw({.domain = "example.com", .name = "apex", .value = "4"});
  store().PutRaw({.domain = "www.example.com",
                  .path = "/app",
                  .name = "deep",
                  .value = "5"});
  store().PutRaw({.domain = "www.example.com",
                  .expires = now - 3600,
                  .name = "old",
                  .value = "6"});
  store().PutRaw({.domain = "www.example.com",
                  .expires = kYear2100,
                  .name = "later",
                  .value = "7"});
  store().PutRaw({.domain = "other.test", .name = "other", .value = "8"});

  struct Case {
    const char* url;
    std::optional<std::string> cookies;
  };
  const Case cases[] = {
      // Host-only cookies, the parent's domain cookie, the ones still
      // valid; neither the secure one nor the one for another path.
      {"http://www.example.com", "host=1; dom=2; later=7"},
      {"https://www.example.com", "host=1; dom=2; sec=3; later=7"},
      // The host, not the port, path or letter case, picks the cookies.
      {"HTTP://WWW.Example.COM:8080/app?x=1", "host=1; dom=2; later=7"},
      // The domain cookie is the apex's too; host-only ones are not a
      // subdomain's.
      {"http://example.com", "dom=2; apex=4"},
      {"http://a.b.www.example.com/", "dom=2"},
      {"http://other.test", "other=8"},
      // A name that merely ends like the domain is another site.
      {"http://notexample.com", std::nullopt},
      {"http://example.com.evil.test", std::nullopt},
      {"http://unknown.test", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(Lookup(c.url), c.cookies);
  }
}

TEST_P(CookieStoreContract, WritesComeBackInOrderForTheirHostOnly) {
  EXPECT_FALSE(Lookup("http://www.example.com"));
  EXPECT_TRUE(Write("http://www.example.com", "a", "1"));
  // Spaces around the name and the value are not part of them.
  EXPECT_TRUE(Write("http://www.example.com", " b ", " x=y "));
  EXPECT_TRUE(Write("http://WWW.EXAMPLE.COM:81/path", "c", ""));

  EXPECT_EQ(Lookup("http://www.example.com"), "a=1; b=x=y; c=");
  // A cookie written without attributes is not secure, so https gets it
  // too; it belongs to the host alone.
  EXPECT_EQ(Lookup("https://www.example.com/"), "a=1; b=x=y; c=");
  EXPECT_FALSE(Lookup("http://example.com"));
  EXPECT_FALSE(Lookup("http://sub.www.example.com"));
}

TEST_P(CookieStoreContract, OverwriteKeepsOneCookieInItsPlace) {
  ASSERT_TRUE(Write("http://example.com", "a", "1"));
  ASSERT_TRUE(Write("http://example.com", "b", "2"));
  ASSERT_TRUE(Write("http://example.com", "a", "3"));
  ASSERT_TRUE(Write("http://example.com", " a", "4 "));
  EXPECT_EQ(Lookup("http://example.com"), "a=4; b=2");
  // Names are case-sensitive.
  ASSERT_TRUE(Write("http://example.com", "A", "5"));
  EXPECT_EQ(Lookup("http://example.com"), "a=4; b=2; A=5");
}

TEST_P(CookieStoreContract, RefusedWritesChangeNothing) {
  ASSERT_TRUE(Write("http://example.com", "keep", "1"));
  struct Case {
    const char* label;
    std::string name;
    std::string value;
  };
  const Case cases[] = {
      {"empty name", "", "1"},
      {"name of spaces", "   ", "1"},
      {"tab in the name", "a\tb", "1"},
      {"tab in the value", "a", "1\t2"},
      {"CR in the value", "a", "1\r"},
      {"LF in the value", "a", "1\nexample.com\tFALSE\t/\tFALSE\t0\tx\ty"},
      {"other control byte", "a", "\x01"},
      {"DEL", "a\x7F", "1"},
      {"name and value over 4096 bytes", "n", std::string(4096, 'v')},
      // Either would read back as other cookies than the one written.
      {"'=' in the name", "a=b", "1"},
      {"';' in the value", "a", "1; admin=1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_FALSE(Write("http://example.com", c.name, c.value));
    EXPECT_EQ(Lookup("http://example.com"), "keep=1");
  }
}

TEST_P(CookieStoreContract, LongestCookieIsKept) {
  const std::string value(4095, 'v');
  ASSERT_TRUE(Write("http://example.com", "n", value));
  EXPECT_EQ(Lookup("http://example.com"), "n=" + value);
}

TEST_P(CookieStoreContract, TooSmallBufferReportsTheSizeNeeded) {
  ASSERT_TRUE(Write("http://example.com", "a", "1"));
  ASSERT_TRUE(Write("http://example.com", "b", "22"));
  const std::string expected = "a=1; b=22";
  const auto needed = static_cast<std::uint32_t>(expected.size() + 1);

  char buffer[32];
  std::memset(buffer, 'x', sizeof buffer);
  // The text fits but its zero does not.
  std::uint32_t size = needed - 1;
  EXPECT_FALSE(platform::LookupStoreCookies(Text("http://example.com"), Text(),
                                            buffer, size));
  EXPECT_EQ(size, needed);
  EXPECT_EQ(std::string(buffer + needed - 1, sizeof buffer - needed + 1),
            std::string(sizeof buffer - needed + 1, 'x'))
      << "wrote past the size it was given";

  size = 0;
  EXPECT_FALSE(platform::LookupStoreCookies(Text("http://example.com"), Text(),
                                            nullptr, size));
  EXPECT_EQ(size, needed);

  size = needed;
  ASSERT_TRUE(platform::LookupStoreCookies(Text("http://example.com"), Text(),
                                           buffer, size));
  EXPECT_EQ(std::string(buffer, needed), expected + '\0');
}

TEST_P(CookieStoreContract, CodePageTextComesBackAsWritten) {
  // 名字 = 中文
  const std::string name = "\xC3\xFB\xD7\xD6";
  const std::string value = "\xD6\xD0\xCE\xC4";
  ASSERT_TRUE(Write("http://example.com", name, value));
  EXPECT_EQ(Lookup("http://example.com"), name + "=" + value);
}

}  // namespace
}  // namespace quorrin::contract
