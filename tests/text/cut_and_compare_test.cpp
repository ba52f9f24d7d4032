#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string_view>

#include "text/text_ops.h"
#include "text_printer.h"

namespace quorrin {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(CutTextTest, LeftAndRightClampTheCount) {
  const struct {
    const char* label;
    std::int32_t count;
    Text left;
    Text right;
  } cases[] = {
      {"zero", 0, "", ""},
      {"negative", -1, "", ""},
      {"most negative", kMin, "", ""},
      {"inside", 2, "ab", "bc"},
      {"whole", 3, "abc", "abc"},
      {"beyond", 5, "abc", "abc"},
      {"largest", kMax, "abc", "abc"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(LeftText("abc", c.count), c.left);
    EXPECT_EQ(RightText("abc", c.count), c.right);
  }
}

TEST(CutTextTest, MidClampsAtTheEndAndRefusesBadStarts) {
  const struct {
    const char* label;
    std::int32_t start;
    std::int32_t count;
    Text expected;
  } cases[] = {
      {"cut short at the end", 2, 5, "bc"},
      {"last byte", 3, 1, "c"},
      {"start 0", 0, 2, ""},
      {"start negative", -1, 3, ""},
      {"start past the end", 4, 1, ""},
      {"count 0", 3, 0, ""},
      {"count negative", 1, -2, ""},
      // start - 1 + count would overflow a 32-bit sum.
      {"largest count", 2, kMax, "bc"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(MidText("abc", c.start, c.count), c.expected);
  }
}

TEST(CutTextTest, ByteCountsCutTwoByteCharacters) {
  // These count bytes on purpose and may split a character.
  EXPECT_EQ(LeftText("\xB0\xB1"
                     "a",
                     1),
            Text("\xB0"));
  EXPECT_EQ(RightText("a\xB0\xB1", 1), Text("\xB1"));
  EXPECT_EQ(MidText("\xB0\xB1\xB2\xB3", 2, 2), Text("\xB1\xB2"));
  EXPECT_EQ(TextLength("\xB0\xB1"
                       "a"),
            3);
}

TEST(JoinTextTest, AbsentJoinsAsEmpty) {
  const Text absent;
  EXPECT_EQ(ConcatText("a", absent, "b"), Text("ab"));
  EXPECT_EQ(ConcatText(absent, absent), Text());
  EXPECT_EQ(ConcatText("ab", "cd"), Text("abcd"));
  EXPECT_EQ(TextLength(absent), 0);
}

TEST(CompareTextTest, UnsignedBytesAndPrefixes) {
  const Text absent;
  const struct {
    const char* label;
    Text a;
    Text b;
    std::int32_t expected;
  } cases[] = {
      {"absent and empty", absent, "", 0},
      {"absent and a letter", absent, "a", -1},
      {"equal", "abc", "abc", 0},
      {"prefix is smaller", "ab", "abc", -1},
      {"longer is larger", "abc", "ab", 1},
      {"first difference decides", "abd", "abca", 1},
      // High bytes are larger than ASCII, not negative chars.
      {"high byte above ASCII", "\xB0", "a", 1},
      {"ASCII below high byte", "a", "\xFF", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(CompareText(c.a, c.b), c.expected);
  }
}

TEST(BlankTest, TextsOfSpacesAndBytesOfZeros) {
  const Text blank = BlankText(1024);
  EXPECT_EQ(TextLength(blank), 1024);
  EXPECT_EQ(blank.view().find_first_not_of(' '), std::string_view::npos);
  EXPECT_EQ(BlankText(0), Text());
  EXPECT_EQ(BlankText(-4), Text());

  EXPECT_EQ(BlankBytes(3), Bytes(std::string_view("\0\0\0", 3)));
  EXPECT_EQ(BytesLength(BlankBytes(0)), 0);
  EXPECT_EQ(BytesLength(BlankBytes(-1)), 0);
}

TEST(BytesTest, TextFromBytesStopsAtTheFirstZero) {
  EXPECT_EQ(TextFromBytes(Bytes(std::string_view("ab\0c", 4))), Text("ab"));
  EXPECT_EQ(TextFromBytes(Bytes(std::string_view("a\xB0z"))), Text("a\xB0z"));
  EXPECT_EQ(TextFromBytes(Bytes(std::string_view("\0a", 2))), Text());
  EXPECT_EQ(TextFromBytes(Bytes()), Text());
}

TEST(BytesTest, CompareBytes) {
  const struct {
    const char* label;
    Bytes a;
    Bytes b;
    std::int32_t expected;
  } cases[] = {
      {"absent and empty", Bytes(), Bytes(std::string_view()), 0},
      {"equal with zeros", Bytes(std::string_view("a\0b", 3)),
       Bytes(std::string_view("a\0b", 3)), 0},
      // Any difference in length gives 1, whichever is shorter.
      {"shorter first", Bytes(std::string_view("a")),
       Bytes(std::string_view("ab")), 1},
      {"longer first", Bytes(std::string_view("ab")),
       Bytes(std::string_view("a")), 1},
      {"low byte first", Bytes(std::string_view("\x01")),
       Bytes(std::string_view("\xFF")), -1},
      {"high byte first", Bytes(std::string_view("\xFF")),
       Bytes(std::string_view("\x01")), 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(CompareBytes(c.a, c.b), c.expected);
  }
}

TEST(TextArrayTest, CountsMembers) {
  EXPECT_EQ(MemberCount(TextArray()), 0);
  TextArray array;
  array.Add("a");
  array.Add("");
  EXPECT_EQ(MemberCount(array), 2);
  EXPECT_EQ(array[2], Text());
}

}  // namespace
}  // namespace quorrin
