#include "web/web_request.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "support/scripted_platform.h"

namespace quorrin {
namespace {

using scripted::Call;
using scripted::CallNames;
using scripted::CallsNamed;
using scripted::RecordedCalls;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr char kUrl[] = "http://www.example.com/page";
constexpr char kDesktopAgent[] =
    " Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; Trident/5.0)";

Call Header(const std::string& name, const std::string& value) {
  return Call{"SetRequestHeader", {name, value}};
}

class WebRequestTest : public scripted::ScriptedPlatformTest {
 protected:
  WebRequestParams params;

  WebRequestTest() { params.url = kUrl; }

  void Answer(const std::string& body, const std::string& headers) {
    script().responses.push_back({body, headers});
  }
};

TEST_F(WebRequestTest, RunsOneExchangeInOrder) {
  Answer("body", "HTTP/1.1 200 OK\r\nContent-Length: 4");
  const Bytes body = WebRequest(params);

  EXPECT_EQ(body.view(), "body");
  EXPECT_THAT(
      CallNames(),
      ElementsAre("EnterApartment", "Create", "SetTimeouts", "Open",
                  "LookupStoreCookies", "LookupStoreCookies",
                  "SetRequestHeader", "SetRequestHeader", "SetRequestHeader",
                  "SetRequestHeader", "SetRequestHeader", "SendText",
                  "ResponseBody", "GetallResponseHeaders", "Release",
                  "LeaveApartment"));
  EXPECT_EQ(RecordedCalls()[1],
            (Call{"Create", {"WinHttp.WinHttpRequest.5.1"}}));
  EXPECT_EQ(RecordedCalls()[3], (Call{"Open", {"GET", kUrl, "false"}}));
  EXPECT_EQ(params.method.view(), "GET");
}

TEST_F(WebRequestTest, UpperCasesTheMethodInTheCallersVariable) {
  params.method = "post";
  WebRequest(params);
  EXPECT_EQ(params.method.view(), "POST");
  EXPECT_EQ(CallsNamed("Open")[0], (Call{"Open", {"POST", kUrl, "false"}}));
}

TEST_F(WebRequestTest, SetsTimeoutsInMilliseconds) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  const struct {
    std::int32_t seconds;
    const char* milliseconds;  // null: the object's own time-outs stay
  } cases[] = {
      {-1, nullptr},
      {0, "15000"},
      {-5, "15000"},
      {1, "1000"},
      {3, "3000"},
      {2147483, "2147483000"},
      // Beyond what milliseconds can hold: the longest wait that fits.
      {2147484, "2147483000"},
      {kMax, "2147483000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seconds);
    scripted::ResetScriptedPlatform();
    params.timeoutSeconds = c.seconds;
    WebRequest(params);
    if (c.milliseconds == nullptr) {
      EXPECT_THAT(CallsNamed("SetTimeouts"), IsEmpty());
    } else {
      const std::string ms = c.milliseconds;
      EXPECT_THAT(CallsNamed("SetTimeouts"),
                  ElementsAre(Call{"SetTimeouts", {ms, ms, ms, ms}}));
    }
  }
}

TEST_F(WebRequestTest, StopsRedirectsOnlyWhenAsked) {
  WebRequest(params);
  EXPECT_THAT(CallsNamed("SetOption"), IsEmpty());

  scripted::ResetScriptedPlatform();
  params.noRedirect = true;
  WebRequest(params);
  EXPECT_THAT(CallsNamed("SetOption"),
              ElementsAre(Call{"SetOption", {"6", "0"}}));
  EXPECT_EQ(CallNames()[4], "SetOption");  // right after Open
}

TEST_F(WebRequestTest, SendsTheDefaultHeaderBlockWhenGivenNone) {
  WebRequest(params);
  EXPECT_EQ(params.headers.view(),
            std::string("Referer: ") + kUrl +
                "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nUser-Agent:" +
                kDesktopAgent +
                "\r\nContent-Type: application/x-www-form-urlencoded");
  EXPECT_THAT(
      CallsNamed("SetRequestHeader"),
      ElementsAre(
          Header("Referer", std::string(" ") + kUrl), Header("Accept", " */*"),
          Header("Accept-Language", " zh-cn"),
          Header("User-Agent", kDesktopAgent),
          Header("Content-Type", " application/x-www-form-urlencoded")));
}

TEST_F(WebRequestTest, SplitsEachHeaderLineAtItsFirstColon) {
  const struct {
    const char* headers;
    std::vector<Call> sent;
  } cases[] = {
      {"user-agent: X", {Header("user-agent", " X")}},
      {"A: b:c", {Header("A", " b:c")}},
      // A final ":" is lost; nothing after the first ":" is an empty value.
      {"A:b:", {Header("A", "b")}},
      {"A::", {Header("A", "")}},
      {"X-Empty:", {Header("X-Empty", "")}},
      {":", {Header("", "")}},
      {"no colon here", {}},
      {"A: 1\r\n\r\nskip me\r\nB: 2\r\n",
       {Header("A", " 1"), Header("B", " 2")}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.headers);
    scripted::ResetScriptedPlatform();
    params.headers = c.headers;
    WebRequest(params);
    EXPECT_EQ(CallsNamed("SetRequestHeader"), c.sent);
    EXPECT_EQ(params.headers.view(), c.headers);
  }
}

TEST_F(WebRequestTest, SendsCookiesFirstAndOnlyWhenThereAreAny) {
  params.headers = "A: 1";
  WebRequest(params);
  EXPECT_THAT(CallsNamed("SetRequestHeader"), ElementsAre(Header("A", " 1")));
  EXPECT_EQ(params.cookies.view(), "");

  // Stored cookies of the two-label host, with the caller's laid over them.
  scripted::ResetScriptedPlatform();
  script().cookieStore["http://example.com"] = "a=1; b=2";
  params.cookies = "b=3; c=4";
  WebRequest(params);
  EXPECT_THAT(
      CallsNamed("SetRequestHeader"),
      ElementsAre(Header("Cookie", "a=1; b=3; c=4;"), Header("A", " 1")));
  EXPECT_EQ(CallsNamed("LookupStoreCookies")[1].args[0], "http://example.com");
}

TEST_F(WebRequestTest, PrefersTheByteBody) {
  params.postText = "text";
  params.postBytes = Bytes(std::string_view("by\0tes", 6));
  WebRequest(params);
  EXPECT_THAT(CallsNamed("SendBytes"),
              ElementsAre(Call{"SendBytes", {std::string("by\0tes", 6)}}));
  EXPECT_THAT(CallsNamed("SendText"), IsEmpty());

  scripted::ResetScriptedPlatform();
  params.postBytes = Bytes();
  WebRequest(params);
  EXPECT_THAT(CallsNamed("SendText"), ElementsAre(Call{"SendText", {"text"}}));

  scripted::ResetScriptedPlatform();
  params.postText = Text();
  WebRequest(params);
  EXPECT_THAT(CallsNamed("SendText"), ElementsAre(Call{"SendText", {""}}));
}

TEST_F(WebRequestTest, WalksTheResponseHeaders) {
  const std::string headers =
      "HTTP/1.1 302 Found\r\n"
      "Location: /first\r\n"
      "Set-Cookie: sid=1; Path=/\r\n"
      // Looked for with exact case: this line is no redirect target.
      "location: /ignored\r\n"
      // No ";" after the cookie: only the separator is collected.
      "Set-Cookie: tok=2\r\n"
      "Location:   /second  \r\n"
      "set-cookie: lower=1; Path=/\r\n";
  Answer("", headers);
  params.location = "stale";
  WebRequest(params);

  EXPECT_EQ(params.responseHeaders.view(), headers);
  EXPECT_EQ(params.location.view(), "/second");
  EXPECT_EQ(params.newCookies.view(), "sid=1; ;");
  EXPECT_EQ(params.cookies.view(), "sid=1;");
}

TEST_F(WebRequestTest, FallsBackToTheHeaderTextForTheLocation) {
  Answer("x", "HTTP/1.1 200 OK\r\nServer: s");
  WebRequest(params);
  EXPECT_EQ(params.location.view(), "HTTP/1.1 200 OK\r\nServer: s");

  // Only "Location:" in exact case names a target.
  scripted::ResetScriptedPlatform();
  Answer("x", "HTTP/1.1 302 Found\r\nlocation: /lower");
  params.location = Text();
  WebRequest(params);
  EXPECT_EQ(params.location.view(), "HTTP/1.1 302 Found\r\nlocation: /lower");

  scripted::ResetScriptedPlatform();
  Answer("x", "HTTP/1.1 200 OK\r\nServer: s");
  params.location = "x";
  WebRequest(params);
  EXPECT_EQ(params.location.view(), "x");
}

TEST_F(WebRequestTest, KeepsGoingWhenNoAnswerArrives) {
  script().cookieStore["http://example.com"] = "a=1";
  params.location = "kept";
  params.newCookies = "old=1";
  const Bytes body = WebRequest(params);

  EXPECT_TRUE(body.empty());
  EXPECT_EQ(params.responseHeaders.view(), "");
  EXPECT_EQ(params.location.view(), "kept");
  EXPECT_EQ(params.newCookies.view(), "");
  // The cookie set sent is still written back.
  EXPECT_THAT(
      CallsNamed("WriteStoreCookie"),
      ElementsAre(Call{"WriteStoreCookie", {"http://example.com", "a", "1"}}));
}

TEST_F(WebRequestTest, WritesCookiesBackForTheTwoLabelHost) {
  params.url = "https://www.Example.com:8443/a";
  script().cookieStore["http://example.com"] = "a=1";
  Answer("",
         "HTTP/1.1 200 OK\r\nSet-Cookie: b=2; path=/\r\n"
         "Set-Cookie: a=; path=/");
  WebRequest(params);

  EXPECT_EQ(params.cookies.view(), "b=2;");
  EXPECT_THAT(
      CallsNamed("WriteStoreCookie"),
      ElementsAre(Call{"WriteStoreCookie", {"http://example.com", "b", "2"}}));
  EXPECT_EQ(CallNames()[CallNames().size() - 3], "WriteStoreCookie");
}

TEST_F(WebRequestTest, WritesNothingWhenTheObjectCannotBeMade) {
  script().createSucceeds = false;
  script().cookieStore["http://example.com"] = "a=1";
  params.method = "post";
  params.cookies = "c=1";
  params.newCookies = "n=1";
  params.location = "l";
  params.responseHeaders = "r";
  const Bytes body = WebRequest(params);

  EXPECT_TRUE(body.empty());
  EXPECT_THAT(CallNames(),
              ElementsAre("EnterApartment", "Create", "LeaveApartment"));
  EXPECT_EQ(params.method.view(), "post");
  EXPECT_EQ(params.headers.view(), "");
  EXPECT_EQ(params.cookies.view(), "c=1");
  EXPECT_EQ(params.newCookies.view(), "n=1");
  EXPECT_EQ(params.location.view(), "l");
  EXPECT_EQ(params.responseHeaders.view(), "r");
}

// Leaving an apartment that was never entered would end the thread's own.
TEST_F(WebRequestTest, LeavesTheApartmentOnlyWhenItEnteredIt) {
  script().enterApartmentSucceeds = false;
  Answer("still sent", "");
  EXPECT_EQ(WebRequest(params).view(), "still sent");
  EXPECT_THAT(CallsNamed("LeaveApartment"), IsEmpty());
}

}  // namespace
}  // namespace quorrin
