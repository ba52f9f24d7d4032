#include "contract/code_pages_contract.h"

#include <string>
#include <vector>

namespace quorrin::contract {
namespace {

const unsigned char* Unsigned(const std::string& bytes) {
  return reinterpret_cast<const unsigned char*>(bytes.data());
}

}  // namespace

std::string LittleEndianBytes(const std::u16string& units) {
  std::string bytes;
  for (const char16_t unit : units) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

std::string ToUtf16(const CodePageBackend& backend, const std::string& utf8) {
  const auto length = static_cast<std::int32_t>(utf8.size());
  const std::int32_t units =
      backend.utf8ToUtf16(Unsigned(utf8), length, nullptr, 0);
  std::vector<unsigned char> out(static_cast<std::size_t>(units) * 2 + 1);
  EXPECT_EQ(backend.utf8ToUtf16(Unsigned(utf8), length, out.data(), units),
            units);
  return std::string(out.begin(), out.begin() + units * 2);
}

std::string ToGbk(const CodePageBackend& backend, const std::u16string& text) {
  const std::string utf16 = LittleEndianBytes(text);
  const auto units = static_cast<std::int32_t>(text.size());
  const std::int32_t size =
      backend.utf16ToGbk(Unsigned(utf16), units, nullptr, 0);
  std::string out(static_cast<std::size_t>(size), '\0');
  EXPECT_EQ(backend.utf16ToGbk(Unsigned(utf16), units, out.data(), size), size);
  return out;
}

namespace {

TEST_P(CodePagesContract, Utf8ToUtf16) {
  struct Case {
    const char* label;
    std::string utf8;
    std::u16string utf16;
  };
  const Case cases[] = {
      {"ASCII", "abc", u"abc"},
      // 中文
      {"two Chinese characters", "\xE4\xB8\xAD\xE6\x96\x87", u"\u4E2D\u6587"},
      {"a zero byte is a unit like any other", std::string("ab\0cd", 5),
       std::u16string(u"ab\0cd", 5)},
      {"a byte-order mark is kept",
       "\xEF\xBB\xBF"
       "a",
       u"\uFEFFa"},
      {"beyond the first plane: a surrogate pair", "\xF0\x9F\x98\x80",
       u"\U0001F600"},
      // The conversion goes on after a bad sequence.
      {"a cut-off last character", "a\xE4\xB8", u"a\uFFFD"},
      {"a byte that begins nothing",
       "a\xFF"
       "b",
       u"a\uFFFDb"},
      {"a lead byte followed by ASCII",
       "\xE4"
       "A",
       u"\uFFFDA"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(ToUtf16(GetParam(), c.utf8), LittleEndianBytes(c.utf16));
  }
}

TEST_P(CodePagesContract, Utf16ToGbk) {
  struct Case {
    const char* label;
    std::u16string utf16;
    std::string gbk;
  };
  const Case cases[] = {
      {"ASCII", u"abc", "abc"},
      {"two Chinese characters", u"\u4E2D\u6587", "\xD6\xD0\xCE\xC4"},
      // Microsoft's table, not GB2312's: the euro sign has a code, and the
      // middle dot sits where GB2312 has the katakana one.
      {"euro sign", u"\u20AC", "\x80"},
      {"middle dot", u"\u00B7", "\xA1\xA4"},
      {"a zero unit is a byte like any other", std::u16string(u"a\0b", 3),
       std::string("a\0b", 3)},
      // What the code page cannot hold becomes its default character.
      {"Thai letter", u"a\u0E01b", "a?b"},
      {"emoji, one '?' for the pair", u"\U0001F600", "?"},
      {"unpaired high surrogate",
       u"a\xD800"
       "b",
       "a?b"},
      {"unpaired low surrogate at the end", u"a\xDC00", "a?"},
      {"replacement character", u"ab\uFFFD", "ab?"},
      // A base character and a combining mark become the precomposed one.
      {"e and combining acute", u"e\u0301", "\xA8\xA6"},
      {"inside a word",
       u"caf"
       u"e\u0301!",
       "caf\xA8\xA6!"},
      {"u, diaeresis and caron", u"u\u0308\u030C", "\xA8\xB7"},
      {"precomposed stays", u"\u00E9", "\xA8\xA6"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(ToGbk(GetParam(), c.utf16), c.gbk);
  }
}

TEST_P(CodePagesContract, BothStepsTogether) {
  // The body of an answer on its way to a Text.
  struct Case {
    const char* label;
    std::string utf8;
    std::string gbk;
  };
  const Case cases[] = {
      {"ASCII", "abc", "abc"},
      {"Chinese", "\xE4\xB8\xAD\xE6\x96\x87", "\xD6\xD0\xCE\xC4"},
      {"cut-off last character", "ab\xE4\xB8", "ab?"},
      {"byte-order mark, which the code page cannot hold", "\xEF\xBB\xBFz",
       "?z"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const std::string utf16 = ToUtf16(GetParam(), c.utf8);
    std::u16string units;
    for (std::size_t i = 0; i + 1 < utf16.size(); i += 2) {
      units.push_back(static_cast<char16_t>(
          static_cast<unsigned char>(utf16[i]) |
          (static_cast<unsigned char>(utf16[i + 1]) << 8)));
    }
    EXPECT_EQ(ToGbk(GetParam(), units), c.gbk);
  }
}

TEST_P(CodePagesContract, MeasureThenConvert) {
  const CodePageBackend& backend = GetParam();
  const std::string utf8 = "a\xE4\xB8\xAD";  // a中
  const auto length = static_cast<std::int32_t>(utf8.size());
  unsigned char wide[8] = {};

  // Null output measures; a buffer one unit short fails as a whole.
  EXPECT_EQ(backend.utf8ToUtf16(Unsigned(utf8), length, nullptr, 0), 2);
  EXPECT_EQ(backend.utf8ToUtf16(Unsigned(utf8), length, wide, 1), 0);
  EXPECT_EQ(backend.utf8ToUtf16(Unsigned(utf8), length, wide, 2), 2);
  EXPECT_EQ(backend.utf8ToUtf16(Unsigned(utf8), length, wide, 4), 2);
  // Empty input is 0 either way.
  EXPECT_EQ(backend.utf8ToUtf16(Unsigned(utf8), 0, nullptr, 0), 0);
  EXPECT_EQ(backend.utf8ToUtf16(Unsigned(utf8), 0, wide, 4), 0);

  const std::string utf16 = LittleEndianBytes(u"a\u4E2D");
  char gbk[8] = {};
  EXPECT_EQ(backend.utf16ToGbk(Unsigned(utf16), 2, nullptr, 0), 3);
  EXPECT_EQ(backend.utf16ToGbk(Unsigned(utf16), 2, gbk, 2), 0);
  EXPECT_EQ(backend.utf16ToGbk(Unsigned(utf16), 2, gbk, 3), 3);
  EXPECT_EQ(std::string(gbk, 3), "a\xD6\xD0");
  EXPECT_EQ(backend.utf16ToGbk(Unsigned(utf16), 0, nullptr, 0), 0);
  EXPECT_EQ(backend.utf16ToGbk(Unsigned(utf16), 0, gbk, 8), 0);
  // Only the units asked for are read.
  EXPECT_EQ(backend.utf16ToGbk(Unsigned(utf16), 1, nullptr, 0), 1);
}

}  // namespace
}  // namespace quorrin::contract
