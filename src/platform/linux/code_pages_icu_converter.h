// An owned ICU converter, and the one code page this back end converts to
// and from: Microsoft's table for code page 936 as ICU ships it.

#ifndef QUORRIN_PLATFORM_LINUX_CODE_PAGES_ICU_CONVERTER_H_
#define QUORRIN_PLATFORM_LINUX_CODE_PAGES_ICU_CONVERTER_H_

#include <unicode/ucnv.h>

namespace quorrin::platform {

// Owns one UConverter; closes it when destroyed. Moves hand the converter on
// and leave this one empty.
class UniqueConverter {
 public:
  UniqueConverter() = default;
  explicit UniqueConverter(UConverter* converter) : converter_(converter) {}
  ~UniqueConverter() { Reset(); }
  UniqueConverter(UniqueConverter&& other) noexcept
      : converter_(other.Release()) {}
  UniqueConverter& operator=(UniqueConverter&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueConverter(const UniqueConverter&) = delete;
  UniqueConverter& operator=(const UniqueConverter&) = delete;

  UConverter* get() const { return converter_; }
  explicit operator bool() const { return converter_ != nullptr; }

  // Closes the converter held, if any, and takes `converter`.
  void Reset(UConverter* converter = nullptr);
  // Gives up ownership without closing.
  UConverter* Release();

 private:
  UConverter* converter_ = nullptr;
};

// How a conversion treats what the other side cannot hold.
enum class Unmappable {
  // '?' towards code page 936, U+FFFD towards Unicode; the conversion goes
  // on. Towards code page 936 the table's best-fit mappings are used too (so
  // U+00A2 becomes the full-width cent A1 E9), as the Windows conversion does
  // unless told not to.
  kSubstitute,
  // The conversion stops with an error; only round-trip mappings count.
  kFail,
};

// A converter for code page 936 ("windows-936-2000"), or an empty one when
// ICU cannot open it.
UniqueConverter OpenGbkConverter(Unmappable unmappable);

}  // namespace quorrin::platform

#endif  // QUORRIN_PLATFORM_LINUX_CODE_PAGES_ICU_CONVERTER_H_
