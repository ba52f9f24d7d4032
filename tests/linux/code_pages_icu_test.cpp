// What the ICU conversions do beyond the contract every back end shares:
// how many U+FFFD a bad sequence becomes, the best-fit mappings, and the
// conversions at the program's UTF-8 edges.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "contract/code_pages_contract.h"
#include "platform/linux/utf8_edge.h"
#include "platform/platform.h"

namespace quorrin::platform {
namespace {

const contract::CodePageBackend kIcu{"Icu", &Utf8ToUtf16, &Utf16ToGbk};

TEST(CodePagesIcuTest, OneReplacementPerMaximalBadSubpart) {
  // Unicode's recommended practice, which the Windows conversion follows
  // too: a prefix of a valid sequence is one U+FFFD, every byte that could
  // begin no valid sequence is one of its own.
  struct Case {
    const char* label;
    std::string utf8;
    std::u16string utf16;
  };
  const Case cases[] = {
      {"cut-off three-byte sequence before ASCII",
       "\xE4\xB8"
       "A",
       u"\uFFFDA"},
      {"overlong zero", "\xC0\x80", u"\uFFFD\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"lone continuation bytes", "\x80\x80", u"\uFFFD\uFFFD"},
      {"cut-off four-byte sequence at the end", "a\xF0\x9F\x98", u"a\uFFFD"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(contract::ToUtf16(kIcu, c.utf8),
              contract::LittleEndianBytes(c.utf16));
  }
}

TEST(CodePagesIcuTest, BestFitAndDefaultCharacter) {
  struct Case {
    const char* label;
    std::u16string utf16;
    std::string gbk;
  };
  const Case cases[] = {
      // Best fit, as Windows converts unless told not to.
      {"cent sign to the full-width one", u"\u00A2", "\xA1\xE9"},
      {"superscript two to the digit", u"\u00B2", "2"},
      {"soft hyphen to the hyphen", u"\u00AD", "-"},
      // Characters ICU would drop silently get the default character too.
      {"zero-width joiner", u"a\u200Db", "a?b"},
      {"byte-order mark",
       u"\uFEFF"
       u"a",
       "?a"},
      // A pair is composed only where the code page has the result's own
      // code; otherwise both stay as they are.
      {"a and tilde, no code for the pair", u"a\u0303", "a?"},
      {"a mark with nothing before it",
       u"\u0301"
       u"e",
       "?e"},
      {"a mark after a mark", u"e\u0301\u0301", "\xA8\xA6?"},
      {"a mark after an unpaired surrogate", u"\xD800\u0301", "??"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(contract::ToGbk(kIcu, c.utf16), c.gbk);
  }
}

TEST(CodePagesIcuTest, ArgumentsOutsideTheContractFail) {
  const unsigned char bytes[] = {'a', 0, 'b', 0};
  unsigned char out[8];
  char gbk[8];
  EXPECT_EQ(Utf8ToUtf16(bytes, -1, nullptr, 0), 0);
  EXPECT_EQ(Utf8ToUtf16(nullptr, 4, nullptr, 0), 0);
  EXPECT_EQ(Utf8ToUtf16(bytes, 4, out, 0), 0);
  EXPECT_EQ(Utf16ToGbk(bytes, -1, nullptr, 0), 0);
  EXPECT_EQ(Utf16ToGbk(nullptr, 2, nullptr, 0), 0);
  EXPECT_EQ(Utf16ToGbk(bytes, 2, gbk, 0), 0);
}

TEST(Utf8EdgeTest, LenientConversions) {
  EXPECT_EQ(Utf8ToGbkText("\xE4\xB8\xAD\xE6\x96\x87"),
            Text("\xD6\xD0\xCE\xC4"));
  EXPECT_EQ(Utf8ToGbkText("a\xFF"
                          "b"),
            Text("a?b"));
  EXPECT_EQ(Utf8ToGbkText(std::string_view("ab\0cd", 5)), Text("ab"));
  EXPECT_EQ(Utf8ToGbkText(""), Text());

  EXPECT_EQ(GbkToUtf8("a\xD6\xD0"), "a\xE4\xB8\xAD");
  EXPECT_EQ(GbkToUtf8("\x80"), "\xE2\x82\xAC");
  // A lead byte without a trail byte it can pair with.
  EXPECT_EQ(GbkToUtf8("\x81 "), "\xEF\xBF\xBD ");
  EXPECT_EQ(GbkToUtf8("a\x81"), "a\xEF\xBF\xBD");
  EXPECT_EQ(GbkToUtf8(""), "");
}

TEST(Utf8EdgeTest, ExactConversionsRefuseWhatWouldChange) {
  EXPECT_EQ(GbkToUtf8Exact("a\xD6\xD0"), "a\xE4\xB8\xAD");
  EXPECT_EQ(GbkToUtf8Exact(""), "");
  EXPECT_EQ(GbkToUtf8Exact("a\x81"), std::nullopt);
  EXPECT_EQ(GbkToUtf8Exact("\x81 "), std::nullopt);

  EXPECT_EQ(Utf8ToGbkExact("\xC3\xA9"), Text("\xA8\xA6"));  // é
  EXPECT_EQ(Utf8ToGbkExact(""), Text());
  struct Case {
    const char* label;
    std::string utf8;
  };
  const Case refused[] = {
      {"only a best fit", "\xC2\xA2"},
      {"no code at all", "\xF0\x9F\x98\x80"},
      {"ill-formed", "a\xFF"},
      {"a zero byte", std::string("a\0b", 3)},
      // Invisible, but a character all the same: dropping it would alter
      // the text.
      {"a byte-order mark",
       "\xEF\xBB\xBF"
       "a"},
      {"a zero-width space",
       "a\xE2\x80\x8B"
       "b"},
      {"a soft hyphen",
       "a\xC2\xAD"
       "b"},
  };
  for (const Case& c : refused) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Utf8ToGbkExact(c.utf8), std::nullopt);
  }
}

}  // namespace
}  // namespace quorrin::platform
