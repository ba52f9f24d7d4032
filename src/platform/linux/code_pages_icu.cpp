// The code-page conversions on ICU: UTF-8 to UTF-16 with U+FFFD for what is
// not UTF-8, and UTF-16 to code page 936 the way Windows' conversion does it
// with WC_COMPOSITECHECK and no default character given.

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/linux/code_pages_icu_converter.h"
#include "platform/platform.h"
#include "text/text.h"

namespace quorrin::platform {
namespace {

using Utf16String =
    std::basic_string<char16_t, std::char_traits<char16_t>,
                      internal::FatalOnFailureAllocator<char16_t>>;

Utf16String ReadLittleEndianUnits(const unsigned char* bytes,
                                  std::int32_t units) {
  Utf16String text(static_cast<std::size_t>(units), u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  }
  return text;
}

bool HasNonspacingMark(const Utf16String& text) {
  const auto length = static_cast<std::int32_t>(text.size());
  for (std::int32_t i = 0; i < length;) {
    UChar32 c;
    U16_NEXT(text.data(), i, length, c);
    if (u_charType(c) == U_NON_SPACING_MARK) return true;
  }
  return false;
}

// True when code page 936 has a code of its own for `c`: a precomposed
// character reached only through a best-fit mapping would lose its mark, so
// the pair is better left apart.
bool HasOwnCode(UConverter* strict, UChar32 c) {
  UChar units[U16_MAX_LENGTH];
  std::int32_t length = 0;
  U16_APPEND_UNSAFE(units, length, c);
  char bytes[UCNV_GET_MAX_BYTES_FOR_STRING(U16_MAX_LENGTH, 2)];
  UErrorCode status = U_ZERO_ERROR;
  ucnv_resetFromUnicode(strict);
  ucnv_fromUChars(strict, bytes, sizeof bytes, units, length, &status);
  return U_SUCCESS(status);
}

// A base character followed by nonspacing marks becomes the precomposed
// character, one pair at a time, while code page 936 holds the result; a
// mark that cannot be composed stays as it is. Pairs only: a whole NFC pass
// would also rewrite characters that have no mark after them.
Utf16String ComposePairs(const Utf16String& text) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
  UniqueConverter strict = OpenGbkConverter(Unmappable::kFail);
  if (U_FAILURE(status) || nfc == nullptr || !strict) return text;

  Utf16String composed;
  composed.reserve(text.size());
  std::size_t lastStart = 0;
  bool haveLast = false;
  const auto length = static_cast<std::int32_t>(text.size());
  for (std::int32_t i = 0; i < length;) {
    UChar32 c;
    U16_NEXT(text.data(), i, length, c);
    if (haveLast && u_charType(c) == U_NON_SPACING_MARK) {
      UChar32 last;
      std::int32_t at = static_cast<std::int32_t>(lastStart);
      U16_NEXT(composed.data(), at, static_cast<std::int32_t>(composed.size()),
               last);
      const UChar32 pair = nfc->composePair(last, c);
      if (pair >= 0 && HasOwnCode(strict.get(), pair)) {
        composed.resize(lastStart);
        c = pair;
      }
    }
    lastStart = composed.size();
    haveLast = true;
    // An unpaired surrogate goes back as the one unit it was.
    if (U_IS_BMP(c)) {
      composed.push_back(static_cast<char16_t>(c));
    } else {
      composed.push_back(U16_LEAD(c));
      composed.push_back(U16_TRAIL(c));
    }
  }
  return composed;
}

}  // namespace

std::int32_t Utf8ToUtf16(const unsigned char* utf8, std::int32_t length,
                         unsigned char* out, std::int32_t outUnits) {
  if (utf8 == nullptr || length <= 0) return 0;
  if (out != nullptr && outUnits <= 0) return 0;
  const char* source = reinterpret_cast<const char*>(utf8);

  // ICU replaces each maximal ill-formed subpart with one U+FFFD, as
  // Unicode recommends: a cut-off last character is one U+FFFD, an overlong
  // C0 80 is two.
  UErrorCode status = U_ZERO_ERROR;
  std::int32_t needed = 0;
  u_strFromUTF8WithSub(nullptr, 0, &needed, source, length, 0xFFFD, nullptr,
                       &status);
  if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) return 0;
  if (out == nullptr) return needed;
  if (outUnits < needed) return 0;

  Utf16String units(static_cast<std::size_t>(needed), u'\0');
  std::int32_t written = 0;
  status = U_ZERO_ERROR;
  u_strFromUTF8WithSub(units.data(), needed, &written, source, length, 0xFFFD,
                       nullptr, &status);
  if (U_FAILURE(status)) return 0;
  for (std::int32_t i = 0; i < written; ++i) {
    out[2 * i] = static_cast<unsigned char>(units[i] & 0xFF);
    out[2 * i + 1] = static_cast<unsigned char>(units[i] >> 8);
  }
  return written;
}

std::int32_t Utf16ToGbk(const unsigned char* utf16, std::int32_t units,
                        char* out, std::int32_t outBytes) {
  if (utf16 == nullptr || units <= 0) return 0;
  if (out != nullptr && outBytes <= 0) return 0;

  Utf16String text = ReadLittleEndianUnits(utf16, units);
  if (HasNonspacingMark(text)) text = ComposePairs(text);

  UniqueConverter converter = OpenGbkConverter(Unmappable::kSubstitute);
  if (!converter) return 0;
  UErrorCode status = U_ZERO_ERROR;
  const std::int32_t length = ucnv_fromUChars(
      converter.get(), out, out == nullptr ? 0 : outBytes, text.data(),
      static_cast<std::int32_t>(text.size()), &status);
  if (out == nullptr && status == U_BUFFER_OVERFLOW_ERROR) return length;
  // Too small a buffer is a failure too, as on Windows.
  if (U_FAILURE(status)) return 0;
  return length;
}

}  // namespace quorrin::platform
