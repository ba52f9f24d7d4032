#include "platform/linux/code_pages_icu_converter.h"

namespace quorrin::platform {

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
