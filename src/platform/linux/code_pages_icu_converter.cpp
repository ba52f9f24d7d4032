#include "platform/linux/code_pages_icu_converter.h"

#include <unicode/ucnv_cb.h>

#include <cstdint>

namespace quorrin::platform {
namespace {

// ICU's own substitution drops unmappable default-ignorable characters (a
// byte-order mark, a zero-width joiner); Windows puts its default character
// in their place like for any other, and so does this.
void SubstituteEveryUnmappable(const void* /*context*/,
                               UConverterFromUnicodeArgs* args,
                               const UChar* /*codeUnits*/,
                               std::int32_t /*length*/, UChar32 /*codePoint*/,
                               UConverterCallbackReason reason,
                               UErrorCode* status) {
  if (reason != UCNV_UNASSIGNED && reason != UCNV_ILLEGAL &&
      reason != UCNV_IRREGULAR) {
    return;
  }
  *status = U_ZERO_ERROR;
  ucnv_cbFromUWriteSub(args, 0, status);
}

}  // namespace

void UniqueConverter::Reset(UConverter* converter) {
  if (converter_ != nullptr) ucnv_close(converter_);
  converter_ = converter;
}

UConverter* UniqueConverter::Release() {
  UConverter* converter = converter_;
  converter_ = nullptr;
  return converter;
}

UniqueConverter OpenGbkConverter(Unmappable unmappable) {
  UErrorCode status = U_ZERO_ERROR;
  UniqueConverter converter(ucnv_open("windows-936-2000", &status));
  if (U_FAILURE(status)) return {};
  if (unmappable == Unmappable::kSubstitute) {
    // Windows' default character for this code page.
    ucnv_setSubstChars(converter.get(), "?", 1, &status);
    ucnv_setFromUCallBack(converter.get(), SubstituteEveryUnmappable, nullptr,
                          nullptr, nullptr, &status);
    ucnv_setFallback(converter.get(), true);
  } else {
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr,
                          nullptr, nullptr, &status);
    if (U_SUCCESS(status)) {
      ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr,
                          nullptr, nullptr, &status);
    }
    ucnv_setFallback(converter.get(), false);
  }
  if (U_FAILURE(status)) return {};
  return converter;
}

}  // namespace quorrin::platform
