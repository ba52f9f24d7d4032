#include "text/extract.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "text/text_ops.h"
#include "text_printer.h"

namespace quorrin {
namespace {

struct MiddleCase {
  const char* label;
  Text text;
  Text left;
  Text right;
  std::int32_t startPosition;
  bool caseSensitive;
  Text expected;
};

TEST(MiddleTextTest, BetweenTheMarkers) {
  const MiddleCase cases[] = {
      {"identifier", "a/v1/playwm/?video_id=x9y8&line=0",
       "v1/playwm/?video_id=", "&", 0, false, "x9y8"},
      {"right marker missing", "x?video_id=abc", "?video_id=", "&", 0, false,
       ""},
      {"left marker missing", "abc", "x=", "&", 0, false, ""},
      {"nothing after the left marker", "abc&", "abc&", "&", 0, false, ""},
      {"markers touch", "a=&", "a=", "&", 0, false, ""},
      // The right marker is searched only after the left one.
      {"right searched after left", "a=1&b=2&", "b=", "&", 0, false, "2"},
      {"folded, space kept", "set-cookie: sid=7; path=/", "Set-Cookie:", ";", 0,
       false, " sid=7"},
      {"exact", "set-cookie: sid=7; path=/", "Set-Cookie:", ";", 0, true, ""},
      {"empty left marker is found at 1", "abc&", "", "&", 0, false, "abc"},
      // At 1, not at the start position, as FindText finds an empty target.
      {"empty left marker ignores the start", "abc&", "", "&", 3, false, "abc"},
      {"empty right marker gives nothing", "a=1", "a=", "", 0, false, ""},
      {"start position skips a match", "a=1&a=2&", "a=", "&", 3, false, "2"},
      // The rest is walked from its own first byte: B0 26 is a character,
      // so its '&' does not end the value.
      {"right marker as a second byte", "k=\xB0&x&", "k=", "&", 0, false,
       "\xB0&x"},
      // ...and that first byte starts a character even where a walk of the
      // whole text would call it a second byte.
      {"rest begins on a second byte", "a\xB0&b&", "\xB0", "&", 0, false, ""},
  };
  for (const MiddleCase& c : cases) {
    SCOPED_TRACE(c.label);
    Text left = c.left;
    Text right = c.right;
    EXPECT_EQ(MiddleText(c.text, left, right, c.startPosition, c.caseSensitive),
              c.expected);
    // Without a "#引号" the caller's markers stay as they were.
    EXPECT_EQ(left, c.left);
    EXPECT_EQ(right, c.right);
  }
}

TEST(MiddleTextTest, DefaultsFoldCaseFromTheFirstByte) {
  Text left = "SET-COOKIE:";
  Text right = ";";
  EXPECT_EQ(MiddleText("Set-Cookie: a=1;", left, right), Text(" a=1"));
}

TEST(MiddleTextTest, QuoteTokenIsRewrittenInTheCallersMarkers) {
  const Text hrefQuote = ConcatText("href=", kQuoteToken);
  Text left = hrefQuote;
  Text right = kQuoteToken;
  EXPECT_EQ(MiddleText("<a href=\"u1\">x</a>", left, right), Text("u1"));
  EXPECT_EQ(left, Text("href=\""));
  EXPECT_EQ(right, Text("\""));

  // Every token in a marker becomes a quote.
  Text both = ConcatText(kQuoteToken, "a", kQuoteToken);
  Text end = ";";
  EXPECT_EQ(MiddleText("x=\"a\"1;", both, end), Text("1"));
  EXPECT_EQ(both, Text("\"a\""));

  // The rewrite happens before any search, so it sticks even when nothing
  // is found.
  Text missingLeft = hrefQuote;
  Text missingRight = kQuoteToken;
  EXPECT_EQ(MiddleText("", missingLeft, missingRight), Text());
  EXPECT_EQ(missingLeft, Text("href=\""));
  EXPECT_EQ(missingRight, Text("\""));
}

struct BetweenCase {
  const char* label;
  Text text;
  std::int32_t position;
  Text left;
  Text startMarker;
  bool useStartMarker;
  Text right;
  bool ignoreCase;
  bool includeLeft;
  Text expected;
  std::int32_t positionOut;
  Text startMarkerOut;
};

TEST(FindBetweenTest, ResultPositionAndStartMarker) {
  const BetweenCase cases[] = {
      {"cookie item", "a=1; b=2; c=3", 0, "b", "", false, ";", true, true,
       "b=2", 6, "b"},
      {"without the left marker", "a=1; b=2; c=3", 0, "b", "", false, ";", true,
       false, "=2", 7, "b"},
      // Unlike MiddleText, a missing right marker runs to the end.
      {"right marker missing", "a=1; b=2", 0, "b", "", false, ";", true, true,
       "b=2", 6, "b"},
      {"folded", "a=1; B=2", 0, "b", "", false, ";", true, true, "B=2", 6, "b"},
      {"exact misses", "a=1; B=2", 0, "b", "", false, ";", false, true, "", -1,
       ""},
      {"position skips a match", "b=1; b=2", 2, "b", "", false, ";", true, true,
       "b=2", 6, "b"},
      {"start marker", "x: [a] [b]", 0, "x:", "[", true, "]", true, true,
       "x: [a", 1, "["},
      {"start marker, excluded", "x: [a] [b]", 0, "x:", "[", true, "]", true,
       false, "a", 5, "["},
      // The start marker is searched from the first byte of the left one.
      {"start marker begins the left one", "k=[v]", 0, "k=[", "k", true, "]",
       true, false, "=[v", 2, "k"},
      {"start marker missing", "x: a] [b", 0, "[b", "]", true, "]", true, true,
       "", -1, "]"},
      {"left marker missing", "abc", 0, "z", "old", false, ";", true, true, "",
       -1, "old"},
      {"markers touch, excluded", "a=;", 0, "a=", "", false, ";", true, false,
       "", 3, "a="},
      {"empty right marker", "a=1;", 0, "a", "", false, "", true, true, "", 1,
       "a"},
      // With an empty right marker the result runs to the end only when the
      // anchor ends the text.
      {"empty right marker at the end", "xab", 0, "ab", "", false, "", true,
       true, "ab", 2, "ab"},
  };
  for (const BetweenCase& c : cases) {
    SCOPED_TRACE(c.label);
    std::int32_t position = c.position;
    Text startMarker = c.startMarker;
    EXPECT_EQ(
        FindBetween(c.text, position, c.left, startMarker, c.useStartMarker,
                    c.right, c.ignoreCase, c.includeLeft),
        c.expected);
    EXPECT_EQ(position, c.positionOut);
    EXPECT_EQ(startMarker, c.startMarkerOut);
  }
}

TEST(FindBetweenTest, OptionsDefaultToTrue) {
  std::int32_t position = 0;
  Text startMarker;
  EXPECT_EQ(
      FindBetween("a=1; B=2; c=3", position, "b", startMarker, false, ";"),
      Text("B=2"));
  EXPECT_EQ(position, 6);
}

}  // namespace
}  // namespace quorrin
