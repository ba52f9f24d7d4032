#include "web/cookie_merge.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace quorrin {
namespace {

struct MergeCase {
  const char* base;
  const char* update;
  const char* merged;  // the result, and base afterwards
  const char* updateAfter;
};

void ExpectMerges(const MergeCase& c) {
  SCOPED_TRACE(std::string("base '") + c.base + "', update '" + c.update + "'");
  Text base = c.base;
  Text update = c.update;
  const Text result = MergeCookies(base, update);
  EXPECT_EQ(result.view(), std::string_view(c.merged));
  EXPECT_EQ(base.view(), std::string_view(c.merged));
  EXPECT_EQ(update.view(), std::string_view(c.updateAfter));
}

TEST(MergeCookiesTest, ReplacesJoinsAndCanonicalises) {
  const MergeCase cases[] = {
      {"a=1; b=2", "b=3", "a=1; b=3;", "b=3;"},
      {"", "x=1; y=2; ", "x=1; y=2;", "x=1; y=2;"},
      {"a=1; b=2", "", "a=1; b=2;", ""},
      {"", "", "", ""},
      {"x=1; b=2", "q=1; b=3", "x=1; b=3; q=1;", "q=1; b=3;"},
      // Names fold ASCII case; the result carries the update's spelling.
      {"a=1; b=2", "B=5", "a=1; B=5;", "B=5;"},
      // Spaces around items on input, the canonical form on output.
      {"  a=1 ;b=2  ", " c=3 ", "a=1; b=2; c=3;", "c=3;"},
      // A value may hold "=" and stays whole.
      {"a=1", "t=x=y", "a=1; t=x=y;", "t=x=y;"},
  };
  for (const MergeCase& c : cases) ExpectMerges(c);
}

TEST(MergeCookiesTest, DropsClearedCookies) {
  const MergeCase cases[] = {
      {"a=1", "b=", "a=1;", "b=;"},
      {"a=1; b=5", "b=", "a=1;", "b=;"},
      {"a=1; sid=deleted", "", "a=1;", ""},
      // The "deleted" marker is matched with exact case.
      {"a=1; sid=DELETED", "", "a=1; sid=DELETED;", ""},
      // A value that itself ends in "=" reads as cleared.
      {"tok=abc=", "", "", ""},
      // An item is judged as it will stand, trimmed: spaces (full-width ones
      // too) after a cleared value do not keep it, nor make the result
      // change again when merged once more.
      {"a= ; b=1", "", "b=1;", ""},
      {"a=1; sid=deleted \xA1\xA1; c=\xA1\xA1", "", "a=1;", ""},
  };
  for (const MergeCase& c : cases) ExpectMerges(c);
}

TEST(MergeCookiesTest, CarriesItemsThatAreNotCookies) {
  const MergeCase cases[] = {
      // An empty piece between two ";" survives as an empty item.
      {"a=1;;b=2", "", "a=1; ; b=2;", ""},
      // Bare words in the update are ignored...
      {"a=1", "flag; c=3", "a=1; c=3;", "flag; c=3;"},
      // ...and in base carried along, never matched as a name.
      {"flag; a=1", "flag=2", "flag; a=1; flag=2;", "flag=2;"},
  };
  for (const MergeCase& c : cases) ExpectMerges(c);
}

// Names are matched whole, not searched as a substring of base: otherwise a
// cookie whose name or value merely contains the name takes the update.
TEST(MergeCookiesTest, MatchesWholeNamesOnly) {
  const MergeCase cases[] = {
      {"sub=1; b=2", "b=3", "sub=1; b=3;", "b=3;"},
      {"x=b; b=2", "b=3", "x=b; b=3;", "b=3;"},
      {"ab=1", "b=2", "ab=1; b=2;", "b=2;"},
      // The update's second piece is ' b': trimmed, it is the base's b, which
      // keeps its place.
      {"b=2; x=1", "a=5; b=3", "b=3; x=1; a=5;", "a=5; b=3;"},
      // Every base item of the name takes the new value.
      {"b=1; x=0; B=2", "b=3", "b=3; x=0; b=3;", "b=3;"},
  };
  for (const MergeCase& c : cases) ExpectMerges(c);
}

}  // namespace
}  // namespace quorrin
