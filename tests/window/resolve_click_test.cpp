// A click on 按钮1 through the toolkit runs the resolver, here over the
// scripted back end: the address lands in 编辑框2 and in LastResult.

// clang-format off
// The test framework before the toolkit's headers, which bring in X's macros
// (None, Bool): those would rename names of the framework.
#include <gtest/gtest.h>
// clang-format on

#include <deque>
#include <memory>
#include <string>

#include "app/last_result.h"
#include "app/main_window_layout.h"
#include "platform/linux/main_window_fltk.h"
#include "resolve/share_link.h"
#include "support/scripted_platform.h"
#include "window/window_test_support.h"

namespace quorrin::platform {
namespace {

using ::quorrin::scripted::Response;

class ResolveClickTest : public scripted::ScriptedPlatformTest {
 protected:
  void SetUp() override {
    ScriptedPlatformTest::SetUp();
    QUORRIN_SKIP_WITHOUT_DISPLAY();
    LastResult = Text();
    main_ = std::make_unique<FltkMainWindow>(kMainWindowLayout, OnResolveClick);
    main_->window().show();
    testing::SettleToolkit();
  }
  void TearDown() override {
    if (main_) {
      main_->window().hide();
      testing::SettleToolkit();
    }
    LastResult = Text();
  }

  std::unique_ptr<FltkMainWindow> main_;
};

// The resolver's two requests, scripted: the page naming the identifier,
// then the play endpoint's answer naming the address.
std::deque<Response> ServiceAnswering(const std::string& id,
                                      const std::string& address) {
  return {
      {"<script>\"https://aweme.snssdk.com/aweme/v1/playwm/?video_id=" + id +
           "&ratio=720p&line=0\"</script>",
       ""},
      {"<a href=\"" + address + "\">Found</a>.", ""},
  };
}

TEST_F(ResolveClickTest, ClickOnTheButtonResolvesTheLinkIntoTheSecondBox) {
  FltkMainWindow& main = *main_;
  script().responses = ServiceAnswering("v1", "https://video.test/1.mp4");
  main.编辑框1().value("https://v.douyin.com/AbCdEf1/");
  main.编辑框2().buffer()->text("an earlier address");

  testing::Click(main.按钮1());

  EXPECT_EQ(testing::TextOf(main.编辑框2()), "https://video.test/1.mp4");
  EXPECT_EQ(LastResult, Text("https://video.test/1.mp4"));
  const auto opens = scripted::CallsNamed("Open");
  ASSERT_EQ(opens.size(), 2u);
  EXPECT_EQ(opens[0].args[1], "https://v.douyin.com/AbCdEf1/");
  EXPECT_EQ(opens[1].args[1],
            "https://aweme.snssdk.com/aweme/v1/play/?video_id=v1&line=0");
}

TEST_F(ResolveClickTest, EachClickReplacesTheResultAndThreeLeaveOnlyTheThird) {
  FltkMainWindow& main = *main_;
  for (const char* id : {"1", "2", "3"}) {
    for (Response& r : ServiceAnswering(
             id, std::string("https://video.test/") + id + ".mp4")) {
      script().responses.push_back(r);
    }
  }
  for (const char* shown :
       {"https://video.test/1.mp4", "https://video.test/2.mp4",
        "https://video.test/3.mp4"}) {
    SCOPED_TRACE(shown);
    testing::Click(main.按钮1());
    EXPECT_EQ(testing::TextOf(main.编辑框2()), shown);
    EXPECT_EQ(LastResult, Text(shown));
  }
  EXPECT_EQ(scripted::CallsNamed("Open").size(), 6u);
}

// A failed resolution still replaces the result: the box and LastResult
// both end up empty.
TEST_F(ResolveClickTest, ClickWithoutAnswersEmptiesTheSecondBox) {
  FltkMainWindow& main = *main_;
  LastResult = Text("https://video.test/old.mp4");
  main.编辑框2().buffer()->text("https://video.test/old.mp4");
  testing::Click(main.按钮1());
  EXPECT_EQ(testing::TextOf(main.编辑框2()), "");
  EXPECT_TRUE(LastResult.empty());
}

}  // namespace
}  // namespace quorrin::platform
