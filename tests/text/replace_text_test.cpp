#include <gtest/gtest.h>

#include <cstdint>

#include "text/text_ops.h"
#include "text_printer.h"

namespace quorrin {
namespace {

struct ReplaceCase {
  const char* label;
  Text text;
  Text target;
  Text replacement;
  std::int32_t start;
  std::int32_t count;
  bool caseSensitive;
  Text expected;
};

template <std::size_t N>
void ExpectReplaced(const ReplaceCase (&cases)[N]) {
  for (const ReplaceCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(ReplaceText(c.text, c.target, c.replacement, c.start, c.count,
                          c.caseSensitive),
              c.expected);
  }
}

constexpr std::int32_t kAll = kAllOccurrences;

TEST(ReplaceTextTest, CaseAndCount) {
  const ReplaceCase cases[] = {
      {"folded, all", "aXbxc", "x", "", 1, kAll, false, "abc"},
      {"exact, all", "aXbxc", "x", "", 1, kAll, true, "aXbc"},
      {"folded, first only", "aXbxc", "x", "", 1, 1, false, "abxc"},
      {"count 0 changes nothing", "axa", "x", "y", 1, 0, false, "axa"},
      {"any negative count is all", "x.x.x", "x", "y", 1, -7, true, "y.y.y"},
      {"count two of three", "x.x.x", "x", "y", 1, 2, true, "y.y.x"},
      {"count above the occurrences", "x.x", "x", "y", 1, 5, true, "y.y"},
      {"folded marker", "Location: /x", "Location:", "", 1, 1, false, " /x"},
      {"folded marker, upper text", "LOCATION: /x", "Location:", "", 1, 1,
       false, " /x"},
      // Second bytes fold as well: B0 61 matches the character B0 41.
      {"second byte folds",
       "z\xB0"
       "Az",
       "\xB0"
       "a",
       "-", 1, kAll, false, "z-z"},
      {"second byte exact",
       "z\xB0"
       "Az",
       "\xB0"
       "a",
       "-", 1, kAll, true,
       "z\xB0"
       "Az"},
  };
  ExpectReplaced(cases);
}

TEST(ReplaceTextTest, NeverOverlapsNorSearchesAReplacementAgain) {
  const ReplaceCase cases[] = {
      {"replacement holds the target", "aa", "a", "aa", 1, kAll, false, "aaaa"},
      {"replacement ends like the text", "ab", "a", "aa", 1, kAll, true, "aab"},
      // Greedy from the left: "aaa" holds one "aa", then a lone "a".
      {"overlapping occurrences", "aaa", "aa", "b", 1, kAll, true, "ba"},
      {"replacement joins with what follows", "xab", "x", "a", 1, kAll, true,
       "aab"},
  };
  ExpectReplaced(cases);
}

TEST(ReplaceTextTest, StartKeepsTheBytesBeforeIt) {
  const ReplaceCase cases[] = {
      {"start inside", "a.a.a", ".", "-", 3, kAll, true, "a.a-a"},
      {"start on a match", "a.a.a", ".", "-", 2, kAll, true, "a-a-a"},
      {"start 0 is the first byte", ".a.", ".", "-", 0, kAll, true, "-a-"},
      {"start negative", ".a.", ".", "-", -3, kAll, true, "-a-"},
      {"start past the end", ".a.", ".", "-", 4, kAll, true, ".a."},
      // The walk takes `start` as a character start.
      {"start on a second byte",
       "\xB0"
       "AA",
       "A", "-", 2, kAll, true,
       "\xB0"
       "--"},
  };
  ExpectReplaced(cases);
}

TEST(ReplaceTextTest, EmptyValues) {
  const ReplaceCase cases[] = {
      {"empty text", "", "a", "b", 1, kAll, true, ""},
      {"empty target", "abc", "", "x", 1, kAll, true, "abc"},
      {"empty replacement deletes", "a-b-c", "-", "", 1, kAll, true, "abc"},
      {"everything deleted", "aaa", "a", "", 1, kAll, true, ""},
  };
  ExpectReplaced(cases);
  EXPECT_EQ(ReplaceText("a-b-c", "-", true), Text("abc"));
  EXPECT_EQ(ReplaceText("aXbxc", "x", false), Text("abc"));
}

TEST(ReplaceTextTest, StepsOverTwoByteCharacters) {
  const ReplaceCase cases[] = {
      {"second byte untouched",
       "\xB0"
       "AA",
       "A", "x", 1, kAll, true,
       "\xB0"
       "Ax"},
      {"two-byte target", "a\xB0\xB1\xB2\xB3", "\xB1\xB2", "x", 1, kAll, true,
       "a\xB0\xB1\xB2\xB3"},
      {"two-byte target at a start", "a\xB0\xB1\xB2\xB3", "\xB2\xB3", "x", 1,
       kAll, true, "a\xB0\xB1x"},
  };
  ExpectReplaced(cases);
}

TEST(ReplaceTextTest, BrokenLastCharacter) {
  const ReplaceCase cases[] = {
      // A one-byte target lets the walk reach the broken character, which
      // it drops; a longer target stops short and copies it.
      {"one-byte target drops it", "ab\xB0", "z", "y", 1, kAll, true, "ab"},
      {"longer target keeps it", "ab\xB0", "zz", "y", 1, kAll, true, "ab\xB0"},
      {"dropped after a match", "a\xB0", "a", "b", 1, kAll, true, "b"},
      {"count reached keeps the rest", "a\xB0", "a", "b", 1, 1, true, "b\xB0"},
      {"matched itself", "a\xB0", "\xB0", "b", 1, kAll, true, "ab"},
      // Whether the last byte is broken depends on the pairing before it.
      {"odd high run ends broken", "\xB0\xB0\xB0", "z", "y", 1, kAll, true,
       "\xB0\xB0"},
      {"even high run ends whole", "\xB0\xB0", "z", "y", 1, kAll, true,
       "\xB0\xB0"},
  };
  ExpectReplaced(cases);
}

}  // namespace
}  // namespace quorrin
