// The fatal run-time error: exit status -1 (255 as Linux reports it) and the
// exact code page 936 bytes of the box, which the test program's box writes
// unconverted to standard error.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdint>
#include <string>

#include "text/text_ops.h"

namespace quorrin {
namespace {

// 运行时出错!\r\n\r\n
const std::string kHeading =
    "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n";
// 错误代码：
const std::string kCodeLabel = "\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB\xA3\xBA";
// 错误信息：
const std::string kMessageLabel = "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";

std::string ExpectedBox(const std::string& code, const std::string& message) {
  return kHeading + kCodeLabel + code + "\r\n\r\n" + kMessageLabel + message +
         "\r\n";
}

// 数组成员引用下标超出定义范围
const std::string kAboveCount =
    ExpectedBox("1",
                "\xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xD2\xFD\xD3\xC3\xCF\xC2\xB1"
                "\xEA\xB3\xAC\xB3\xF6\xB6\xA8\xD2\xE5\xB7\xB6\xCE\xA7");
// 数组成员引用下标必须大于等于1
const std::string kBelowOne =
    ExpectedBox("4",
                "\xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xD2\xFD\xD3\xC3\xCF\xC2\xB1"
                "\xEA\xB1\xD8\xD0\xEB\xB4\xF3\xD3\xDA\xB5\xC8\xD3\xDA"
                "1");

TEST(FatalErrorDeathTest, MemberNumberAboveTheCount) {
  const TextArray parts = SplitText("name=", "=");
  EXPECT_EXIT(parts[2], ::testing::ExitedWithCode(255),
              ::testing::Eq(kAboveCount));
  EXPECT_EXIT(TextArray()[1], ::testing::ExitedWithCode(255),
              ::testing::Eq(kAboveCount));
}

TEST(FatalErrorDeathTest, MemberNumberBelowOne) {
  TextArray writable = SplitText("a;b", ";");
  EXPECT_EXIT(writable[0] = "x", ::testing::ExitedWithCode(255),
              ::testing::Eq(kBelowOne));
  const TextArray& readable = writable;
  EXPECT_EXIT(readable[-1], ::testing::ExitedWithCode(255),
              ::testing::Eq(kBelowOne));
  // Checked before the count: an empty array still says "below 1".
  EXPECT_EXIT(TextArray()[0], ::testing::ExitedWithCode(255),
              ::testing::Eq(kBelowOne));
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

// Caps this process's address space far below what the test then asks for.
void CapAddressSpace() {
  constexpr rlim_t kCap = rlim_t{256} << 20;
  const rlimit cap = {kCap, kCap};
  if (setrlimit(RLIMIT_AS, &cap) != 0) std::_Exit(2);
}

TEST(FatalErrorDeathTest, AllocationFailureNamesTheByteCount) {
  if (kAddressSanitizer) {
    GTEST_SKIP() << "AddressSanitizer reserves address space up front, so a "
                    "cap on it cannot make one allocation fail.";
  }
  constexpr std::int32_t kCount = 1536 << 20;  // 1.5 GiB of spaces.
  // The count itself, or one more for the zero that ends a Text.
  // 分配 N 字节内存失败!
  const std::string expected =
      kHeading + kMessageLabel + "\xB7\xD6\xC5\xE4 (" + std::to_string(kCount) +
      "|" + std::to_string(kCount + 1) +
      ") \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!\r\n";
  EXPECT_EXIT(
      {
        CapAddressSpace();
        static_cast<void>(BlankText(kCount));
      },
      ::testing::ExitedWithCode(255), ::testing::MatchesRegex(expected));
}

// A value's length is a signed 32-bit count, so a result longer than that
// cannot be held, as when memory runs out; the count shown is the largest
// one the message can name.
TEST(FatalErrorDeathTest, ResultPastTheLengthLimit) {
  // 分配 2147483647 字节内存失败!
  const std::string expected =
      kHeading + kMessageLabel +
      "\xB7\xD6\xC5\xE4 2147483647 "
      "\xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!\r\n";
  EXPECT_EXIT(
      {
        const Text half = BlankText(1 << 30);
        static_cast<void>(ConcatText(half, half));
      },
      ::testing::ExitedWithCode(255), ::testing::Eq(expected));
}

}  // namespace
}  // namespace quorrin
