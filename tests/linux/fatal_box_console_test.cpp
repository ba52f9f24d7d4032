// The fatal error's box of quorrin-cli: the message on standard error, as
// UTF-8 where it can be converted, never lost where it cannot.

#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "text/fatal_error.h"

namespace quorrin::platform {
namespace {

std::string Shown(const std::string& message) {
  ::testing::internal::CaptureStderr();
  ShowFatalErrorBox(message.c_str());
  return ::testing::internal::GetCapturedStderr();
}

TEST(FatalBoxConsoleTest, ShowsTheMessageAsUtf8) {
  struct Case {
    const char* label;
    std::string message;
    std::string shown;
  };
  // A message a thousand characters long, the most the error's text holds:
  // 中 is D6 D0 in the code page, E4 B8 AD in UTF-8.
  std::string longest;
  std::string longestUtf8;
  for (int i = 0; i < 511; ++i) {
    longest += "\xD6\xD0";
    longestUtf8 += "\xE4\xB8\xAD";
  }
  const Case cases[] = {
      {"ASCII", "out of memory\r\n", "out of memory\r\n"},
      // 数组成员引用下标必须大于等于1
      {"code page text", kMemberNumberTooSmallMessage,
       "\xE6\x95\xB0\xE7\xBB\x84\xE6\x88\x90\xE5\x91\x98\xE5\xBC\x95\xE7\x94"
       "\xA8\xE4\xB8\x8B\xE6\xA0\x87\xE5\xBF\x85\xE9\xA1\xBB\xE5\xA4\xA7\xE4"
       "\xBA\x8E\xE7\xAD\x89\xE4\xBA\x8E"
       "1"},
      {"a lead byte with no second byte", "a\x81", "a\xEF\xBF\xBD"},
      {"the longest message", longest, longestUtf8},
      // More than the buffer holds in UTF-8: the bytes as they are, whole.
      {"too long to convert", longest + longest + longest,
       longest + longest + longest},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Shown(c.message), c.shown);
  }
}

}  // namespace
}  // namespace quorrin::platform
