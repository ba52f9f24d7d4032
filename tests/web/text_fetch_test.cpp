#include "web/text_fetch.h"

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

Bytes B(std::string_view bytes) { return Bytes(bytes); }

class TextFetchTest : public scripted::ScriptedPlatformTest {};

// Each step asks the size first, then converts into a buffer of exactly that
// size.
TEST_F(TextFetchTest, Utf8ToWideMeasuresThenConverts) {
  EXPECT_EQ(Utf8ToWide(B("ab")).view(), std::string_view("a\0b\0", 4));
  EXPECT_THAT(CallsNamed("Utf8ToUtf16"),
              ElementsAre(Call{"Utf8ToUtf16", {"ab", "2", "null", "0"}},
                          Call{"Utf8ToUtf16", {"ab", "2", "buffer", "2"}}));
}

TEST_F(TextFetchTest, WideToGbkMeasuresThenConverts) {
  EXPECT_EQ(WideToGbk(B(std::string_view("a\0b\0", 4))).view(), "ab");
  const std::string wide("a\0b\0", 4);
  EXPECT_THAT(CallsNamed("Utf16ToGbk"),
              ElementsAre(Call{"Utf16ToGbk", {wide, "2", "null", "0"}},
                          Call{"Utf16ToGbk", {wide, "2", "buffer", "2"}}));
}

TEST_F(TextFetchTest, AnEmptyBodyGivesTheEmptyText) {
  EXPECT_TRUE(Utf8ToWide(Bytes()).empty());
  EXPECT_TRUE(WideToGbk(Bytes()).empty());
  EXPECT_TRUE(Utf8ToLocal(Bytes()).empty());
  // Measured as 0, the buffer is empty: nothing to convert into.
  for (const Call& call : CallsNamed("Utf8ToUtf16")) {
    EXPECT_EQ(call.args[1], "0");
    EXPECT_EQ(call.args[3], "0");
  }
}

TEST_F(TextFetchTest, WideToGbkIgnoresAnOddLastByte) {
  EXPECT_EQ(WideToGbk(B(std::string_view("a\0b", 3))).view(), "a");
  EXPECT_EQ(CallsNamed("Utf16ToGbk")[0].args[1], "1");
}

// A zero byte in the body ends the text: a Text holds none.
TEST_F(TextFetchTest, CutsTheTextAtTheFirstZeroByte) {
  EXPECT_EQ(Utf8ToLocal(B(std::string_view("ab\0cd", 5))).view(), "ab");
  EXPECT_EQ(WideToGbk(B(std::string_view("a\0\0\0b\0", 6))).view(), "a");
}

TEST_F(TextFetchTest, FetchTextDecodesTheBodyAndPassesTheCallersValuesOn) {
  script().responses.push_back({"abc", "HTTP/1.1 200 OK"});
  WebRequestParams params;
  params.url = "http://a.example/";
  EXPECT_EQ(FetchText(params).view(), "abc");
  EXPECT_EQ(params.method.view(), "GET");
  EXPECT_EQ(params.headers.view(),
            "Referer: http://a.example/\r\nAccept: */*\r\nAccept-Language: "
            "zh-cn\r\nUser-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows "
            "NT 6.1; Trident/5.0)\r\nContent-Type: "
            "application/x-www-form-urlencoded");
  EXPECT_EQ(params.responseHeaders.view(), "HTTP/1.1 200 OK");
  EXPECT_EQ(params.location.view(), "HTTP/1.1 200 OK");
}

}  // namespace
}  // namespace quorrin
