#include "web/text_fetch.h"

#include <cstddef>
#include <cstdint>
#include <limits>

#include "platform/platform.h"
#include "text/text_ops.h"

namespace quorrin {

Text FetchText(WebRequestParams& params) {
  const Bytes body = WebRequest(params);
  return Utf8ToLocal(body);
}

Text Utf8ToLocal(const Bytes& utf8) {
  const Bytes wide = Utf8ToWide(utf8);
  return WideToGbk(wide);
}

Bytes Utf8ToWide(const Bytes& utf8) {
  const std::int32_t length = BytesLength(utf8);
  const std::int32_t units =
      platform::Utf8ToUtf16(utf8.data(), length, nullptr, 0);
  // Two bytes a unit must still fit a Bytes length; a body this large cannot
  // be held, as when memory runs out.
  if (units > std::numeric_limits<std::int32_t>::max() / 2) {
    internal::FailAllocation(static_cast<std::size_t>(units) * 2);
  }
  Bytes out = BlankBytes(units * 2);
  // The measured size is exact; should the conversion fail anyway, the
  // zero-filled buffer reads as the empty text further on.
  static_cast<void>(
      platform::Utf8ToUtf16(utf8.data(), length, out.data(), units));
  return out;
}

Text WideToGbk(const Bytes& utf16) {
  const std::int32_t units = BytesLength(utf16) / 2;
  const std::int32_t size =
      platform::Utf16ToGbk(utf16.data(), units, nullptr, 0);
  Bytes out = BlankBytes(size);
  // As above: a failed conversion leaves zero bytes, which end the text.
  static_cast<void>(platform::Utf16ToGbk(
      utf16.data(), units, reinterpret_cast<char*>(out.data()), size));
  return TextFromBytes(out);
}

}  // namespace quorrin
