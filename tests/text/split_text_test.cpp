#include <gtest/gtest.h>

#include <vector>

#include "text/text_ops.h"
#include "text_printer.h"

namespace quorrin {
namespace {

std::vector<Text> Members(const TextArray& array) {
  std::vector<Text> members;
  for (std::int32_t i = 1; i <= MemberCount(array); ++i) {
    members.push_back(array[i]);
  }
  return members;
}

struct SplitCase {
  const char* label;
  Text text;
  Text delimiter;
  std::vector<Text> expected;
};

TEST(SplitTextTest, Members) {
  const SplitCase cases[] = {
      {"two members", "a;b", ";", {"a", "b"}},
      // Pinned on purpose: a trailing delimiter adds no empty member, while
      // a leading one, or two in a row, do.
      {"trailing delimiter", "a;b;", ";", {"a", "b"}},
      {"leading delimiter", ";a", ";", {"", "a"}},
      {"two in a row", "a;;b", ";", {"a", "", "b"}},
      {"two in a row at the end", "a;;", ";", {"a", ""}},
      {"delimiter alone", ";", ";", {""}},
      {"no delimiter", "abc", ";", {"abc"}},
      {"empty text", "", ";", {}},
      {"empty delimiter", "a;b", "", {"a;b"}},
      {"longer delimiter", "a; b; c", "; ", {"a", "b", "c"}},
      {"case matters", "aXbxc", "x", {"aXb", "c"}},
      // B0 3B is one character: its second byte is not a delimiter.
      {"delimiter as a second byte", "\xB0;a;b", ";", {"\xB0;a", "b"}},
      {"after a two-byte character", "\xB0\xB1;a", ";", {"\xB0\xB1", "a"}},
      {"broken last character kept", "a;\xB0", ";", {"a", "\xB0"}},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Members(SplitText(c.text, c.delimiter)), c.expected);
  }
}

TEST(SplitTextTest, NameWithoutValueHasOneMember) {
  const TextArray parts = SplitText("name=", "=");
  ASSERT_EQ(MemberCount(parts), 1);
  EXPECT_EQ(parts[1], Text("name"));
}

}  // namespace
}  // namespace quorrin
