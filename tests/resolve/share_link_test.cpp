#include "resolve/share_link.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/last_result.h"
#include "support/scripted_platform.h"

namespace quorrin {
namespace {

using scripted::Call;
using scripted::CallsNamed;
using scripted::CallsOfRequest;
using scripted::OnlyNamed;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr char kPlayPrefix[] =
    "https://aweme.snssdk.com/aweme/v1/play/?video_id=";
constexpr char kMobileAgent[] =
    " Mozilla/5.0 (Linux; Android 6.0; Nexus 5 Build/MRA58N) "
    "AppleWebKit/537.36 (KHTML, like Gecko) Chrome/71.0.3578.80 Mobile "
    "Safari/537.36";

class ResolveShareLinkTest : public scripted::ScriptedPlatformTest {
 protected:
  // The service: the share page, then the play endpoint's redirect answer.
  void Serve(const std::string& page, const std::string& answer) {
    script().responses.push_back({page, "HTTP/1.1 200 OK"});
    script().responses.push_back(
        {answer, "HTTP/1.1 302 Found\r\nLocation: https://v.example/x"});
  }

  static std::string OpenedUrl(int request) {
    const std::vector<Call> opens = OnlyNamed(CallsOfRequest(request), "Open");
    return opens.empty() ? "(not opened)" : opens[0].args[1];
  }
};

TEST_F(ResolveShareLinkTest, ResolvesThroughThePlayEndpoint) {
  Serve("<html>.../aweme/v1/playwm/?video_id=abc123&ratio=720p&line=0...",
        "<a href=\"https://v.example/video.mp4\">Found</a>.");
  const Text link = "https://v.example.com/AbCd/";
  EXPECT_EQ(ResolveShareLink(link).view(), "https://v.example/video.mp4");

  EXPECT_THAT(CallsNamed("Open"),
              ElementsAre(Call{"Open", {"GET", link.c_str(), "false"}},
                          Call{"Open",
                               {"GET",
                                "https://aweme.snssdk.com/aweme/v1/play/"
                                "?video_id=abc123&line=0",
                                "false"}}));
}

TEST_F(ResolveShareLinkTest, FollowsTheShareLinkWithTheDefaultHeaders) {
  Serve("", "");
  ResolveShareLink("http://v.example.com/s/");
  const std::vector<Call> first = CallsOfRequest(1);
  EXPECT_THAT(OnlyNamed(first, "SetOption"), IsEmpty());
  EXPECT_EQ(OnlyNamed(first, "SetTimeouts")[0].args[0], "15000");
  const std::vector<Call> headers = OnlyNamed(first, "SetRequestHeader");
  ASSERT_EQ(headers.size(), 5u);
  EXPECT_EQ(headers[0], (Call{"SetRequestHeader",
                              {"Referer", " http://v.example.com/s/"}}));
}

TEST_F(ResolveShareLinkTest, AsksThePlayEndpointAsAMobileWithoutRedirects) {
  Serve("v1/playwm/?video_id=x&", "");
  ResolveShareLink("http://v.example.com/s/");
  const std::vector<Call> second = CallsOfRequest(2);
  EXPECT_THAT(
      OnlyNamed(second, "SetRequestHeader"),
      ElementsAre(Call{"SetRequestHeader", {"user-agent", kMobileAgent}}));
  EXPECT_THAT(OnlyNamed(second, "SetOption"),
              ElementsAre(Call{"SetOption", {"6", "0"}}));
  EXPECT_EQ(OnlyNamed(second, "SetTimeouts")[0].args[0], "15000");
  // The play host's own stored cookies.
  EXPECT_EQ(OnlyNamed(second, "LookupStoreCookies")[1].args[0],
            "http://snssdk.com");
  EXPECT_TRUE(CallsOfRequest(3).empty());
}

TEST_F(ResolveShareLinkTest, TakesTheIdentifierAfterTheFirstMarker) {
  const struct {
    const char* page;
    const char* identifier;
  } cases[] = {
      {"a/v1/playwm/?video_id=x9y8&line=0", "x9y8"},
      {"v1/playwm/?video_id=first&v1/playwm/?video_id=second&", "first"},
      // ASCII letter case is folded in the markers.
      {"V1/PLAYWM/?VIDEO_ID=x1&", "x1"},
      // No "&" after the marker, or no marker: the second request still goes.
      {"v1/playwm/?video_id=x1", ""},
      {"no marker at all", ""},
      {"", ""},
      // Escapes in the page go into the address as they stand.
      {"v1/playwm/?video_id=a%2Fb&amp;x", "a%2Fb"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.page);
    scripted::ResetScriptedPlatform();
    Serve(c.page, "");
    ResolveShareLink("http://v.example.com/s/");
    EXPECT_EQ(OpenedUrl(2),
              std::string(kPlayPrefix) + c.identifier + "&line=0");
  }
}

TEST_F(ResolveShareLinkTest, TakesTheAddressBetweenHrefQuoteAndTheNextQuote) {
  const struct {
    const char* answer;
    const char* address;
  } cases[] = {
      {"<a href=\"X\">Found</a>.", "X"},
      {"<A HREF=\"Y\">", "Y"},
      // Entities and escapes are not decoded.
      {"<a href=\"https://v.example/p?a=1&amp;b=%20\">",
       "https://v.example/p?a=1&amp;b=%20"},
      {"<a href=\"\">", ""},
      {"<a href=\"unterminated", ""},
      {"<a href=X>", ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    scripted::ResetScriptedPlatform();
    Serve("v1/playwm/?video_id=1&", c.answer);
    EXPECT_EQ(ResolveShareLink("http://v.example.com/s/").view(),
              std::string_view(c.address));
  }
}

TEST_F(ResolveShareLinkTest, RequestsTheLinkExactlyAsGiven) {
  const char* links[] = {"", " http://v.example.com/s/ ",
                         "\thttp://v.example.com/s/"};
  for (const char* link : links) {
    SCOPED_TRACE(std::string("'") + link + "'");
    scripted::ResetScriptedPlatform();
    Serve("", "");
    ResolveShareLink(link);
    EXPECT_EQ(OpenedUrl(1), link);
    EXPECT_EQ(OpenedUrl(2), std::string(kPlayPrefix) + "&line=0");
  }
}

TEST_F(ResolveShareLinkTest, GivesNothingWhenNoRequestObjectCanBeMade) {
  script().createSucceeds = false;
  EXPECT_EQ(ResolveShareLink("http://v.example.com/s/").view(), "");
  EXPECT_EQ(CallsNamed("Create").size(), 2u);
}

class FakeControls : public platform::ResolveControls {
 public:
  Text link;
  std::vector<std::string> shown;

  Text Read编辑框1() const override { return link; }
  void Write编辑框2(const Text& text) override {
    shown.emplace_back(text.view());
  }
};

class OnResolveClickTest : public ResolveShareLinkTest {
 protected:
  void SetUp() override {
    ResolveShareLinkTest::SetUp();
    LastResult = Text();
  }
  void TearDown() override { LastResult = Text(); }
};

TEST_F(OnResolveClickTest, ReplacesTheLastResultOnEveryClick) {
  Serve("v1/playwm/?video_id=1&", "href=\"first\"");
  Serve("", "");  // no identifier, and no address in the answer
  Serve("v1/playwm/?video_id=3&", "href=\"third\"");
  FakeControls controls;
  controls.link = " http://v.example.com/s/";

  OnResolveClick(controls);
  EXPECT_EQ(LastResult.view(), "first");
  OnResolveClick(controls);
  EXPECT_EQ(LastResult.view(), "");
  OnResolveClick(controls);
  EXPECT_EQ(LastResult.view(), "third");

  EXPECT_THAT(controls.shown, ElementsAre("first", "", "third"));
  EXPECT_EQ(OpenedUrl(1), " http://v.example.com/s/");
  EXPECT_EQ(OpenedUrl(5), " http://v.example.com/s/");
}

}  // namespace
}  // namespace quorrin
