#include "platform/linux/utf8_edge.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

#include "platform/linux/code_pages_icu_converter.h"
#include "platform/platform.h"
#include "text/text.h"

namespace quorrin::platform {
namespace {

using Utf16String =
    std::basic_string<char16_t, std::char_traits<char16_t>,
                      internal::FatalOnFailureAllocator<char16_t>>;
using ByteString = Text::Storage;

bool FitsInt32(std::string_view bytes) {
  return bytes.size() <=
         static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
}

// Code page 936 to UTF-16 through `converter`; nothing on failure.
std::optional<Utf16String> GbkToUtf16(UConverter* converter,
                                      std::string_view gbk) {
  const auto length = static_cast<std::int32_t>(gbk.size());
  UErrorCode status = U_ZERO_ERROR;
  const std::int32_t needed =
      ucnv_toUChars(converter, nullptr, 0, gbk.data(), length, &status);
  if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) return {};
  Utf16String text(static_cast<std::size_t>(needed), u'\0');
  status = U_ZERO_ERROR;
  ucnv_resetToUnicode(converter);
  ucnv_toUChars(converter, text.data(), needed, gbk.data(), length, &status);
  if (U_FAILURE(status)) return {};
  return text;
}

// UTF-16 to UTF-8; nothing for an unpaired surrogate when `exact`, else
// U+FFFD in its place.
std::optional<std::string> Utf16ToUtf8(const Utf16String& text, bool exact) {
  const auto length = static_cast<std::int32_t>(text.size());
  const UChar32 substitute = exact ? -1 : 0xFFFD;
  UErrorCode status = U_ZERO_ERROR;
  std::int32_t needed = 0;
  u_strToUTF8WithSub(nullptr, 0, &needed, text.data(), length, substitute,
                     nullptr, &status);
  if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) return {};
  std::string utf8(static_cast<std::size_t>(needed), '\0');
  status = U_ZERO_ERROR;
  u_strToUTF8WithSub(utf8.data(), needed, &needed, text.data(), length,
                     substitute, nullptr, &status);
  if (U_FAILURE(status)) return {};
  return utf8;
}

}  // namespace

Text Utf8ToGbkText(std::string_view utf8) {
  if (utf8.empty() || !FitsInt32(utf8)) return {};
  const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto length = static_cast<std::int32_t>(utf8.size());
  const std::int32_t units = Utf8ToUtf16(bytes, length, nullptr, 0);
  if (units <= 0 || units > std::numeric_limits<std::int32_t>::max() / 2) {
    return {};
  }
  Bytes wide(units * 2);
  if (Utf8ToUtf16(bytes, length, wide.data(), units) != units) return {};
  const std::int32_t size = Utf16ToGbk(wide.data(), units, nullptr, 0);
  if (size <= 0) return {};
  ByteString gbk(static_cast<std::size_t>(size), '\0');
  if (Utf16ToGbk(wide.data(), units, gbk.data(), size) != size) return {};
  return Text(std::string_view(gbk.data(), gbk.size()));
}

std::string GbkToUtf8(std::string_view gbk) {
  if (gbk.empty() || !FitsInt32(gbk)) return {};
  UniqueConverter converter = OpenGbkConverter(Unmappable::kSubstitute);
  if (!converter) return {};
  const std::optional<Utf16String> wide = GbkToUtf16(converter.get(), gbk);
  if (!wide) return {};
  return Utf16ToUtf8(*wide, /*exact=*/false).value_or(std::string());
}

std::optional<std::string> GbkToUtf8Exact(std::string_view gbk) {
  if (gbk.empty()) return std::string();
  if (!FitsInt32(gbk)) return {};
  UniqueConverter converter = OpenGbkConverter(Unmappable::kFail);
  if (!converter) return {};
  const std::optional<Utf16String> wide = GbkToUtf16(converter.get(), gbk);
  if (!wide) return {};
  std::optional<std::string> utf8 = Utf16ToUtf8(*wide, /*exact=*/true);
  // A few codes decode to a character that encodes to other bytes; the trip
  // back decides.
  if (!utf8) return {};
  const std::optional<Text> back = Utf8ToGbkExact(*utf8);
  if (!back || back->view() != gbk) return {};
  return utf8;
}

std::optional<Text> Utf8ToGbkExact(std::string_view utf8) {
  if (utf8.empty()) return Text();
  if (!FitsInt32(utf8) || utf8.find('\0') != std::string_view::npos) return {};
  const auto length = static_cast<std::int32_t>(utf8.size());
  UErrorCode status = U_ZERO_ERROR;
  std::int32_t units = 0;
  u_strFromUTF8(nullptr, 0, &units, utf8.data(), length, &status);
  if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) return {};
  Utf16String wide(static_cast<std::size_t>(units), u'\0');
  status = U_ZERO_ERROR;
  u_strFromUTF8(wide.data(), units, &units, utf8.data(), length, &status);
  if (U_FAILURE(status)) return {};

  UniqueConverter converter = OpenGbkConverter(Unmappable::kFail);
  if (!converter) return {};
  status = U_ZERO_ERROR;
  const std::int32_t size =
      ucnv_fromUChars(converter.get(), nullptr, 0, wide.data(), units, &status);
  if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) return {};
  ByteString gbk(static_cast<std::size_t>(size), '\0');
  status = U_ZERO_ERROR;
  ucnv_resetFromUnicode(converter.get());
  ucnv_fromUChars(converter.get(), gbk.data(), size, wide.data(), units,
                  &status);
  if (U_FAILURE(status)) return {};
  // ICU skips default-ignorable characters it cannot map (U+FEFF, U+200B,
  // the soft hyphen) even when told to stop there: only the trip back shows
  // that a character was lost.
  const std::string_view bytes(gbk.data(), gbk.size());
  const std::optional<Utf16String> back = GbkToUtf16(converter.get(), bytes);
  if (!back || *back != wide) return {};
  return Text(bytes);
}

const char* GbkToUtf8InBuffer(const char* gbk, char* out,
                              std::size_t capacity) {
  if (capacity == 0 ||
      capacity >
          static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    return gbk;
  }
  // ICU reports a failed allocation as an error instead of raising.
  UErrorCode status = U_ZERO_ERROR;
  ucnv_convert("UTF-8", "windows-936-2000", out,
               static_cast<std::int32_t>(capacity), gbk, -1, &status);
  const bool whole =
      U_SUCCESS(status) && status != U_STRING_NOT_TERMINATED_WARNING;
  return whole ? out : gbk;
}

}  // namespace quorrin::platform
