#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "text/text_ops.h"
#include "text_printer.h"

namespace quorrin {
namespace {

// Stands for "start left out": the three-argument form is called.
constexpr std::int32_t kNoStart = std::numeric_limits<std::int32_t>::min();

struct FindCase {
  const char* label;
  Text text;
  Text target;
  std::int32_t start;
  bool ignoreCase;
  std::int32_t expected;
};

std::int32_t Find(const FindCase& c) {
  return c.start == kNoStart
             ? FindText(c.text, c.target, c.ignoreCase)
             : FindText(c.text, c.target, c.start, c.ignoreCase);
}

TEST(FindTextTest, PositionsAndStart) {
  const FindCase cases[] = {
      // A start of 1 or less is the first byte; the result counts from the
      // start of the whole text.
      {"start left out", "abcabc", "b", kNoStart, false, 2},
      {"start 0", "abcabc", "b", 0, false, 2},
      {"start negative", "abcabc", "b", -5, false, 2},
      {"start on the match", "abcabc", "b", 2, false, 2},
      {"start past the first", "abcabc", "b", 3, false, 5},
      {"start on the last byte", "abcabc", "b", 6, false, -1},
      {"start past the end", "abcabc", "b", 7, false, -1},
      {"match ends the text", "xxab", "ab", kNoStart, false, 3},
      {"target longer than the text", "ab", "abc", kNoStart, false, -1},
      {"target longer than the range", "abcab", "abc", 4, false, -1},
      {"empty text", "", "a", kNoStart, false, -1},
  };
  for (const FindCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Find(c), c.expected);
  }
}

TEST(FindTextTest, EmptyTargetIsFoundAtOneNotAtStart) {
  const FindCase cases[] = {
      {"start left out", "abc", "", kNoStart, false, 1},
      {"start inside", "abc", "", 3, false, 1},
      {"start past the end", "abc", "", 4, false, -1},
      {"empty text", "", "", kNoStart, true, -1},
  };
  for (const FindCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Find(c), c.expected);
  }
}

TEST(FindTextTest, NeverMatchesAtASecondByte) {
  const FindCase cases[] = {
      // B0 41 is one character, so the first 'A' standing alone is at 3.
      {"second byte skipped",
       "\xB0"
       "AA",
       "A", kNoStart, false, 3},
      {"only a second byte",
       "\xB0"
       "A",
       "A", kNoStart, false, -1},
      {"second bytes skipped twice",
       "\xB0"
       "A\xB0"
       "AA",
       "A", kNoStart, false, 5},
      // Any high byte leads, 0x80 and 0xFF too, and takes any byte with it.
      {"0x80 leads",
       "\x80"
       "AA",
       "A", kNoStart, false, 3},
      {"0xFF leads",
       "\xFF"
       "AA",
       "A", kNoStart, false, 3},
      {"high second byte", "\xB0\xB1\xB2\xB3", "\xB1\xB2", kNoStart, false, -1},
      {"pair at a character start", "\xB0\xB1\xB2\xB3", "\xB2\xB3", kNoStart,
       false, 3},
      {"long high run, odd offset",
       "a\xB0\xB1\xB2\xB3\xB4\xB5"
       "c",
       "\xB5"
       "c",
       kNoStart, false, -1},
      {"long high run, even offset",
       "a\xB0\xB1\xB2\xB3\xB4\xB5"
       "c",
       "\xB4\xB5", kNoStart, false, 6},
      // The walk begins at `start` and takes that byte as a character start,
      // even where a walk from byte 1 would call it a second byte.
      {"start on a second byte",
       "\xB0"
       "AA",
       "A", 2, false, 2},
      {"start shifts the pairing", "a\xB0\xB1\xB2", "\xB1\xB2", 3, false, 3},
  };
  for (const FindCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Find(c), c.expected);
  }
}

TEST(FindTextTest, FoldsAsciiLettersOnEveryByte) {
  const FindCase cases[] = {
      {"exact misses", "Location: /x", "location:", kNoStart, false, -1},
      {"folded finds", "Location: /x", "location:", kNoStart, true, 1},
      {"folded, upper target", "set-cookie: a", "SET-COOKIE:", kNoStart, true,
       1},
      // Second bytes fold too: B0 41 and B0 61 are different characters
      // that compare equal once case is ignored.
      {"second byte folds",
       "\xB0"
       "A",
       "\xB0"
       "a",
       kNoStart, true, 1},
      {"second byte exact",
       "\xB0"
       "A",
       "\xB0"
       "a",
       kNoStart, false, -1},
      // Only A-Z and a-z fold: bytes 0x20 apart that are not letters differ.
      {"brackets do not fold", "{", "[", kNoStart, true, -1},
      {"at and backtick do not fold", "`", "@", kNoStart, true, -1},
      {"high bytes do not fold", "\xE1\x41", "\xC1\x41", kNoStart, true, -1},
      {"folded match past a second byte",
       "\xB0"
       "aA",
       "a", kNoStart, true, 3},
      {"first byte not a letter", "x=1;X=2", "=2", kNoStart, true, 6},
  };
  for (const FindCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Find(c), c.expected);
  }
}

}  // namespace
}  // namespace quorrin
