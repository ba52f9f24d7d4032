#include <gtest/gtest.h>

#include "text/text_ops.h"
#include "text_printer.h"

namespace quorrin {
namespace {

struct TextCase {
  const char* label;
  Text input;
  Text expected;
};

// The full-width space of code page 936.
#define WIDE_SPACE "\xA1\xA1"

TEST(TrimTextTest, RemovesOnlyTheTwoSpaces) {
  const TextCase cases[] = {
      {"spaces both ends", "  a b  ", "a b"},
      {"full-width spaces", WIDE_SPACE WIDE_SPACE "x" WIDE_SPACE WIDE_SPACE,
       "x"},
      {"mixed spaces", " " WIDE_SPACE " x " WIDE_SPACE, "x"},
      {"CR LF stays", " a\r\n", "a\r\n"},
      {"tabs stay", "\t a \t", "\t a \t"},
      {"spaces only", "   ", ""},
      {"full-width only", WIDE_SPACE WIDE_SPACE, ""},
      {"empty", "", ""},
      {"nothing to trim", "a", "a"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(TrimText(c.input), c.expected);
  }
}

TEST(TrimTextTest, FullWidthSpaceCountsOnlyAtACharacterStart) {
  const TextCase cases[] = {
      // B0 A1 is one character and A1 20 another: no space in sight.
      {"pairs shifted at the end", "\xB0\xA1\xA1 ", "\xB0\xA1\xA1 "},
      {"A1 20 at the start", "\xA1 x", "\xA1 x"},
      {"after a two-byte character", "\xB0\xB1" WIDE_SPACE, "\xB0\xB1"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(TrimText(c.input), c.expected);
  }
}

TEST(TrimTextTest, BrokenLastCharacterGoesButSpacesBeforeItStay) {
  const TextCase cases[] = {
      {"spaces before it", "a  \xB0", "a  "},
      {"full-width space before it", "x" WIDE_SPACE "\xA1", "x" WIDE_SPACE},
      {"alone", "\xB0", ""},
      {"after leading spaces", "  \xB0", ""},
      {"whole character kept", "a\xB0\xB1", "a\xB0\xB1"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(TrimText(c.input), c.expected);
  }
}

TEST(LetterCaseTest, OneByteLettersOnly) {
  const struct {
    const char* label;
    Text input;
    Text upper;
    Text lower;
  } cases[] = {
      {"letters", "get", "GET", "get"},
      {"mixed", "GeT /x", "GET /X", "get /x"},
      {"neighbours of the letters", "@[`{", "@[`{", "@[`{"},
      // The second byte of a two-byte character keeps its value even when
      // it is an ASCII letter.
      {"second byte lower",
       "\xB0"
       "a",
       "\xB0"
       "a",
       "\xB0"
       "a"},
      {"second byte upper",
       "\xB0"
       "A",
       "\xB0"
       "A",
       "\xB0"
       "A"},
      {"letters around",
       "a\xB0"
       "ab",
       "A\xB0"
       "aB",
       "a\xB0"
       "ab"},
      {"broken last", "a\xB0", "A\xB0", "a\xB0"},
      {"empty", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(UpperText(c.input), c.upper);
    EXPECT_EQ(LowerText(c.input), c.lower);
  }
}

}  // namespace
}  // namespace quorrin
