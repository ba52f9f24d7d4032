// FindText, ReplaceText and SplitText skip the byte-by-byte walk for speed.
// This holds them, and TrimText, against a plain walk written straight from
// the rules (char_walk_model.h, which the fuzz targets share), over
// many small texts rich in what trips a shortcut: runs of high bytes, letters
// in both cases, spaces and delimiters as second bytes, broken last bytes.

#include "char_walk_model.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "text/text_ops.h"
#include "text_printer.h"

namespace quorrin {
namespace {

using char_walk_model::ModelFind;
using char_walk_model::ModelReplace;
using char_walk_model::ModelSplit;
using char_walk_model::ModelTrim;

std::vector<Text> Members(const TextArray& array) {
  std::vector<Text> members;
  for (std::int32_t i = 1; i <= MemberCount(array); ++i) {
    members.push_back(array[i]);
  }
  return members;
}

class CharWalkModelTest : public ::testing::Test {
 protected:
  std::string RandomText(std::size_t maxLength) {
    // Few distinct bytes, so that targets occur often and at every parity.
    static constexpr char kAlphabet[] = {'a',    'A',    ';',    ' ',
                                         '\xB0', '\xA1', '\xFF', '\x80'};
    std::uniform_int_distribution<std::size_t> length(0, maxLength);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 1);
    std::string text(length(random_), ' ');
    for (char& c : text) c = kAlphabet[pick(random_)];
    return text;
  }
  std::int32_t RandomInt(std::int32_t low, std::int32_t high) {
    return std::uniform_int_distribution<std::int32_t>(low, high)(random_);
  }

  std::mt19937 random_{20240611};
};

TEST_F(CharWalkModelTest, FindTextAgreesWithAPlainWalk) {
  for (int round = 0; round < 20000; ++round) {
    const std::string text = RandomText(48);
    const std::string target = RandomText(3);
    const std::int32_t start =
        RandomInt(-1, static_cast<std::int32_t>(text.size()) + 2);
    const bool ignoreCase = RandomInt(0, 1) == 1;
    SCOPED_TRACE(::testing::PrintToString(Text(text)) + " target " +
                 ::testing::PrintToString(Text(target)) + " start " +
                 std::to_string(start) + (ignoreCase ? " folded" : " exact"));
    ASSERT_EQ(FindText(Text(text), Text(target), start, ignoreCase),
              ModelFind(text, target, start, ignoreCase));
  }
}

TEST_F(CharWalkModelTest, ReplaceTextAgreesWithAPlainWalk) {
  for (int round = 0; round < 20000; ++round) {
    const std::string text = RandomText(48);
    const std::string target = RandomText(3);
    const std::string replacement = RandomText(3);
    const std::int32_t start =
        RandomInt(-1, static_cast<std::int32_t>(text.size()) + 2);
    const std::int32_t count = RandomInt(-2, 4);
    const bool caseSensitive = RandomInt(0, 1) == 1;
    SCOPED_TRACE(::testing::PrintToString(Text(text)) + " target " +
                 ::testing::PrintToString(Text(target)) + " by " +
                 ::testing::PrintToString(Text(replacement)) + " start " +
                 std::to_string(start) + " count " + std::to_string(count) +
                 (caseSensitive ? " exact" : " folded"));
    ASSERT_EQ(ReplaceText(Text(text), Text(target), Text(replacement), start,
                          count, caseSensitive),
              Text(ModelReplace(text, target, replacement, start, count,
                                caseSensitive)));
  }
}

TEST_F(CharWalkModelTest, SplitTextAgreesWithAPlainWalk) {
  for (int round = 0; round < 20000; ++round) {
    const std::string text = RandomText(48);
    std::string delimiter = RandomText(2);
    if (delimiter.empty()) delimiter = ";";
    SCOPED_TRACE(::testing::PrintToString(Text(text)) + " by " +
                 ::testing::PrintToString(Text(delimiter)));
    ASSERT_EQ(Members(SplitText(Text(text), Text(delimiter))),
              ModelSplit(text, delimiter));
  }
}

TEST_F(CharWalkModelTest, TrimTextAgreesWithAPlainWalk) {
  for (int round = 0; round < 20000; ++round) {
    const std::string text = RandomText(12);
    SCOPED_TRACE(::testing::PrintToString(Text(text)));
    ASSERT_EQ(TrimText(Text(text)), Text(ModelTrim(text)));
  }
}

}  // namespace
}  // namespace quorrin
