#include "web/cookie_store_bridge.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "support/scripted_platform.h"

namespace quorrin {
namespace {

using scripted::Call;
using scripted::CallsNamed;
using ::testing::ElementsAre;

struct HostCase {
  const char* url;
  bool twoLabels;
  bool keepPort;
  const char* host;
};

TEST(UrlHostTest, TakesTheHostOutOfUrlsAndBareHosts) {
  const HostCase cases[] = {
      {"https://A.B.C:81/d", false, false, "a.b.c"},
      {"https://A.B.C:81/d", true, false, "b.c"},
      {"https://A.B.C:81/d", false, true, "a.b.c:81"},
      {"https://A.B.C:81/d", true, true, "b.c:81"},
      {"http://www.example.com", false, false, "www.example.com"},
      {"A.B.C", false, false, "a.b.c"},
      {"A.B.C", true, false, "b.c"},
      // A single label has no two to keep.
      {"Localhost", true, false, "localhost"},
      {"http://localhost:8080/x", true, false, "localhost"},
      {"", true, false, ""},
      // Another scheme is not one: its colon cuts the "host".
      {"ftp://a.b/c", false, false, "ftp"},
  };
  for (const HostCase& c : cases) {
    SCOPED_TRACE(std::string(c.url) + (c.twoLabels ? " twoLabels" : "") +
                 (c.keepPort ? " keepPort" : ""));
    EXPECT_EQ(UrlHost(c.url, c.twoLabels, c.keepPort).view(),
              std::string_view(c.host));
  }
}

// Only the first bytes of a URL are its scheme; one later on (in a query)
// must not carry the URL's cookies to another site.
TEST(UrlHostTest, RecognisesTheSchemeOnlyAtTheStartIgnoringCase) {
  const HostCase cases[] = {
      {"HTTPS://A.B.C:81/d", false, false, "a.b.c"},
      {"Http://X.Y/", false, false, "x.y"},
      {"https://a.example/r?to=http://other.example/", false, false,
       "a.example"},
      {"https://www.a.example/r?to=http://other.example/", true, false,
       "a.example"},
      {"a.example/?u=https://b.example/", false, false, "a.example"},
  };
  for (const HostCase& c : cases) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(UrlHost(c.url, c.twoLabels, c.keepPort).view(),
              std::string_view(c.host));
  }
}

// The host is the one the request goes to: a query, a fragment or user info
// that looks like another site must not carry that site's cookies there.
TEST(UrlHostTest, TakesTheHostTheRequestGoesTo) {
  const HostCase cases[] = {
      {"http://other.example?.victim.example", true, false, "other.example"},
      {"http://other.example#.victim.example/", true, false, "other.example"},
      {"https://a.example?q=1/x", false, false, "a.example"},
      {"http://victim.example:x@other.example/", true, false, "other.example"},
      {"http://u@v@Other.Example:81/", false, true, "other.example:81"},
      {"http://user@/", false, false, ""},
  };
  for (const HostCase& c : cases) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(UrlHost(c.url, c.twoLabels, c.keepPort).view(),
              std::string_view(c.host));
  }
}

class ReadStoreCookiesTest : public scripted::ScriptedPlatformTest {};

TEST_F(ReadStoreCookiesTest, AsksHttpsThenHttpAndTheHttpAnswerCounts) {
  script().cookieStore["http://example.com"] = "a=1; sid=xyz";
  EXPECT_EQ(ReadStoreCookies("example.com").view(), "a=1; sid=xyz");
  EXPECT_THAT(
      CallsNamed("LookupStoreCookies"),
      ElementsAre(
          Call{"LookupStoreCookies", {"https://example.com", "", "1024"}},
          Call{"LookupStoreCookies", {"http://example.com", "", "1024"}}));
}

TEST_F(ReadStoreCookiesTest, FindsOneCookieByItsWholeName) {
  script().cookieStore["http://www.example.com"] = "ba=7; a=1; sid=xyz; e=x=y";
  const struct {
    const char* name;
    const char* value;
  } cases[] = {
      {"a", "1"},
      {"SID", "xyz"},
      {" sid ", "xyz"},
      {"e", "x=y"},
      // Neither a part of a longer name nor of a value is the name.
      {"b", ""},
      {"x", ""},
      {"absent", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReadStoreCookies("http://www.example.com/p", c.name).view(),
              std::string_view(c.value));
  }
}

TEST_F(ReadStoreCookiesTest, GivesNothingWhenTheCountingLookupFails) {
  script().cookieStore["https://example.com"] = "s=1";
  EXPECT_EQ(ReadStoreCookies("example.com").view(), "");
  EXPECT_EQ(ReadStoreCookies("http://example.com/").view(), "");
}

// An https URL reads the https lookup's own answer, not the http one that
// was asked after it.
TEST_F(ReadStoreCookiesTest, HttpsUrlGetsTheHttpsAnswer) {
  script().cookieStore["https://www.example.com"] = "secure=1; plain=2";
  script().cookieStore["http://www.example.com"] = "plain=2";
  EXPECT_EQ(ReadStoreCookies("https://www.example.com/x").view(),
            "secure=1; plain=2");
  EXPECT_EQ(ReadStoreCookies("HTTPS://www.example.com/x", "secure").view(),
            "1");
}

TEST_F(ReadStoreCookiesTest, AsksAgainAtTheSizeTheStoreNeeds) {
  const std::string longText = "big=" + std::string(2000, 'v');
  script().cookieStore["http://example.com"] = longText;
  EXPECT_EQ(ReadStoreCookies("example.com").view(), longText);
  EXPECT_THAT(
      CallsNamed("LookupStoreCookies"),
      ElementsAre(
          Call{"LookupStoreCookies", {"https://example.com", "", "1024"}},
          Call{"LookupStoreCookies", {"http://example.com", "", "1024"}},
          Call{"LookupStoreCookies", {"http://example.com", "", "2005"}}));
}

TEST_F(ReadStoreCookiesTest, FitsExactlyOneByteShortOfTheBuffer) {
  const std::string text = "k=" + std::string(1021, 'v');  // 1023 bytes
  script().cookieStore["http://example.com"] = text;
  EXPECT_EQ(ReadStoreCookies("example.com").view(), text);
  EXPECT_EQ(CallsNamed("LookupStoreCookies").size(), 2u);

  // One byte more leaves no room for the zero: asked again, read whole.
  scripted::ResetScriptedPlatform();
  const std::string longer = text + "v";
  script().cookieStore["http://example.com"] = longer;
  EXPECT_EQ(ReadStoreCookies("example.com").view(), longer);
  EXPECT_EQ(CallsNamed("LookupStoreCookies").back().args[2], "1025");
}

class WriteStoreCookiesTest : public scripted::ScriptedPlatformTest {};

TEST_F(WriteStoreCookiesTest, WritesEachCookieUntrimmed) {
  const struct {
    const char* url;
    const char* cookieText;
    std::vector<Call> writes;
  } cases[] = {
      {"example.com",
       "a=1; b=x=y;",
       {{"WriteStoreCookie", {"http://example.com", "a", "1"}},
        {"WriteStoreCookie", {"http://example.com", " b", "x=y"}}}},
      {"example.com",
       "flag; c=3",
       {{"WriteStoreCookie", {"http://example.com", " c", "3"}}}},
      // A piece whose only "=" ends it has no value to write; one that ends
      // in a further "=" loses that "=".
      {"example.com",
       "b=; =; a=b=; c=2",
       {{"WriteStoreCookie", {"http://example.com", " a", "b"}},
        {"WriteStoreCookie", {"http://example.com", " c", "2"}}}},
      {"HTTPS://www.Example.com:8443/x",
       "s=1",
       {{"WriteStoreCookie", {"https://www.example.com", "s", "1"}}}},
      {"example.com", "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.url) + " '" + c.cookieText + "'");
    scripted::ResetScriptedPlatform();
    WriteStoreCookies(c.url, c.cookieText);
    EXPECT_EQ(CallsNamed("WriteStoreCookie"), c.writes);
  }
}

TEST_F(WriteStoreCookiesTest, GoesOnAfterARefusedWrite) {
  script().cookieWritesSucceed = false;
  WriteStoreCookies("example.com", "a=1; b=2;");
  EXPECT_EQ(CallsNamed("WriteStoreCookie").size(), 2u);
}

TEST_F(WriteStoreCookiesTest, AWrittenCookieIsReadBack) {
  WriteStoreCookies("example.com", "a=1;");
  EXPECT_EQ(ReadStoreCookies("example.com", "a").view(), "1");
}

}  // namespace
}  // namespace quorrin
