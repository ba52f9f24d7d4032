// FindText, ReplaceText and SplitText skip the byte-by-byte walk for speed.
// This holds them against a plain walk written straight from the rules, over
// many small texts rich in what trips a shortcut: runs of high bytes, letters
// in both cases, spaces and delimiters as second bytes, broken last bytes.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "text/text_ops.h"
#include "text_printer.h"

namespace quorrin {
namespace {

bool Folded(unsigned char a, unsigned char b) {
  auto fold = [](unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
  };
  return fold(a) == fold(b);
}

bool MatchesAt(const std::string& text, std::size_t at,
               const std::string& target, bool ignoreCase) {
  if (text.size() - at < target.size()) return false;
  for (std::size_t i = 0; i < target.size(); ++i) {
    const auto a = static_cast<unsigned char>(text[at + i]);
    const auto b = static_cast<unsigned char>(target[i]);
    if (ignoreCase ? !Folded(a, b) : a != b) return false;
  }
  return true;
}

std::size_t CharLength(const std::string& text, std::size_t at) {
  return static_cast<unsigned char>(text[at]) >= 0x80 ? 2 : 1;
}

std::int32_t ModelFind(const std::string& text, const std::string& target,
                       std::int32_t start, bool ignoreCase) {
  const std::size_t origin =
      start <= 1 ? 0 : static_cast<std::size_t>(start - 1);
  if (origin >= text.size()) return -1;
  if (target.empty()) return 1;
  for (std::size_t at = origin; text.size() - at >= target.size();
       at += CharLength(text, at)) {
    if (MatchesAt(text, at, target, ignoreCase)) {
      return static_cast<std::int32_t>(at) + 1;
    }
    if (at + CharLength(text, at) > text.size()) break;
  }
  return -1;
}

std::string ModelReplace(const std::string& text, const std::string& target,
                         const std::string& replacement, std::int32_t start,
                         std::int32_t count, bool caseSensitive) {
  const std::size_t origin =
      start <= 1 ? 0 : static_cast<std::size_t>(start - 1);
  if (text.empty() || target.empty() || count == 0 || origin >= text.size()) {
    return text;
  }
  std::string result = text.substr(0, origin);
  std::int32_t replaced = 0;
  std::size_t at = origin;
  while (at < text.size()) {
    if (text.size() - at < target.size()) {
      result += text.substr(at);
      break;
    }
    if (MatchesAt(text, at, target, !caseSensitive)) {
      result += replacement;
      at += target.size();
      if (++replaced == count) {
        result += text.substr(at);
        break;
      }
      continue;
    }
    if (at + CharLength(text, at) > text.size()) break;  // Broken: dropped.
    result += text.substr(at, CharLength(text, at));
    at += CharLength(text, at);
  }
  return result;
}

std::vector<Text> ModelSplit(const std::string& text,
                             const std::string& delimiter) {
  std::vector<Text> members;
  if (text.empty()) return members;
  std::size_t pieceStart = 0;
  std::size_t at = 0;
  while (at < text.size() && text.size() - at >= delimiter.size()) {
    if (MatchesAt(text, at, delimiter, false)) {
      members.emplace_back(text.substr(pieceStart, at - pieceStart));
      at += delimiter.size();
      pieceStart = at;
    } else {
      at += CharLength(text, at);
    }
  }
  if (pieceStart < text.size()) members.emplace_back(text.substr(pieceStart));
  return members;
}

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

}  // namespace
}  // namespace quorrin
