// Utf8ToLocal, UTF-8 through UTF-16 to code page 936 over the ICU back end,
// on any body bytes.
//
// Checked: no zero byte in the result; everything from the body's first
// zero byte on is lost and nothing else changes; the result is code page
// 936 that decodes without a single invalid sequence; and a body whose
// characters all have a code of their own (and no combining mark to
// compose) comes out as exactly those codes.

#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/linux/code_pages_icu_converter.h"
#include "platform/linux/utf8_edge.h"
#include "text/text.h"
#include "web/text_fetch.h"

namespace {

using quorrin::Bytes;
using quorrin::Text;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "Utf8ToLocal: %s\n", what);
  std::abort();
}

bool DecodesAsCodePage936(std::string_view gbk) {
  if (gbk.empty()) return true;
  quorrin::platform::UniqueConverter strict =
      quorrin::platform::OpenGbkConverter(quorrin::platform::Unmappable::kFail);
  if (!strict) Fail("ICU cannot open code page 936");
  std::vector<UChar> units(gbk.size() + 1);
  UErrorCode status = U_ZERO_ERROR;
  ucnv_toUChars(strict.get(), units.data(),
                static_cast<std::int32_t>(units.size()), gbk.data(),
                static_cast<std::int32_t>(gbk.size()), &status);
  return U_SUCCESS(status);
}

// Well-formed UTF-8 with a nonspacing mark in it, which the conversion may
// compose with the character before.
bool HasNonspacingMark(std::string_view utf8) {
  std::vector<UChar> units(utf8.size() + 1);
  std::int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8(units.data(), static_cast<std::int32_t>(units.size()), &length,
                utf8.data(), static_cast<std::int32_t>(utf8.size()), &status);
  if (U_FAILURE(status)) return false;
  for (std::int32_t i = 0; i < length;) {
    UChar32 c;
    U16_NEXT(units.data(), i, length, c);
    if (u_charType(c) == U_NON_SPACING_MARK) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string_view body(reinterpret_cast<const char*>(data), size);
  const Text text = quorrin::Utf8ToLocal(Bytes(body));
  if (text.view().find('\0') != std::string_view::npos) {
    Fail("a zero byte in the result");
  }

  const std::string_view beforeZero = body.substr(0, body.find('\0'));
  if (beforeZero.size() != body.size() &&
      quorrin::Utf8ToLocal(Bytes(beforeZero)) != text) {
    Fail("the bytes after the first zero byte changed the result");
  }

  if (!DecodesAsCodePage936(text.view())) {
    Fail("the result is not valid code page 936");
  }

  const std::optional<Text> exact =
      quorrin::platform::Utf8ToGbkExact(beforeZero);
  if (exact && !HasNonspacingMark(beforeZero) && *exact != text) {
    Fail("disagrees with Utf8ToGbkExact, the conversion without substitutes");
  }
  return 0;
}
