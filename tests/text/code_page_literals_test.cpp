// The system's own texts are code page 936 bytes at run time while the
// sources are UTF-8; each literal is written as escaped bytes. This checks a
// few of them against the bytes the characters have in code page 936.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "text/extract.h"
#include "text/fatal_error.h"

namespace quorrin {
namespace {

std::string FromHex(std::string_view hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 3) {
    bytes.push_back(static_cast<char>(
        std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
  }
  return bytes;
}

TEST(CodePageLiteralsTest, MatchTheirCodePage936Bytes) {
  const struct {
    const char* characters;
    std::string_view literal;
    const char* hex;
  } cases[] = {
      {"#引号", kQuoteToken, "23 D2 FD BA C5"},
      {"数组成员引用下标超出定义范围", kMemberNumberTooLargeMessage,
       "CA FD D7 E9 B3 C9 D4 B1 D2 FD D3 C3 CF C2 B1 EA B3 AC B3 F6 B6 A8 D2 "
       "E5 B7 B6 CE A7"},
      {"数组成员引用下标必须大于等于1", kMemberNumberTooSmallMessage,
       "CA FD D7 E9 B3 C9 D4 B1 D2 FD D3 C3 CF C2 B1 EA B1 D8 D0 EB B4 F3 D3 "
       "DA B5 C8 D3 DA 31"},
      {"分配 %d 字节内存失败!", kAllocationFailedFormat,
       "B7 D6 C5 E4 20 25 64 20 D7 D6 BD DA C4 DA B4 E6 CA A7 B0 DC 21"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.characters);
    EXPECT_EQ(std::string(c.literal), FromHex(c.hex));
  }
}

TEST(CodePageLiteralsTest, FatalErrorBoxText) {
  char box[256];
  // 运行时出错!\r\n\r\n错误代码：7\r\n\r\n错误信息：x\r\n
  EXPECT_EQ(std::string(ComposeFatalErrorText(7, "x", box, sizeof box)),
            FromHex("D4 CB D0 D0 CA B1 B3 F6 B4 ED 21 0D 0A 0D 0A "
                    "B4 ED CE F3 B4 FA C2 EB A3 BA 37 0D 0A 0D 0A "
                    "B4 ED CE F3 D0 C5 CF A2 A3 BA 78 0D 0A"));
  // Code 0 and no message leave their lines out.
  EXPECT_EQ(std::string(ComposeFatalErrorText(0, "", box, sizeof box)),
            FromHex("D4 CB D0 D0 CA B1 B3 F6 B4 ED 21 0D 0A 0D 0A"));
  // Each line stands on its own: a code without a message, a message
  // without a code.
  EXPECT_EQ(std::string(ComposeFatalErrorText(12, nullptr, box, sizeof box)),
            FromHex("D4 CB D0 D0 CA B1 B3 F6 B4 ED 21 0D 0A 0D 0A "
                    "B4 ED CE F3 B4 FA C2 EB A3 BA 31 32 0D 0A 0D 0A"));
  EXPECT_EQ(std::string(ComposeFatalErrorText(0, "m", box, sizeof box)),
            FromHex("D4 CB D0 D0 CA B1 B3 F6 B4 ED 21 0D 0A 0D 0A "
                    "B4 ED CE F3 D0 C5 CF A2 A3 BA 6D 0D 0A"));
  // A box too small is cut, and still ends with its zero.
  char small[5];
  EXPECT_EQ(std::string(ComposeFatalErrorText(1, "x", small, sizeof small)),
            FromHex("D4 CB D0 D0"));
}

}  // namespace
}  // namespace quorrin
