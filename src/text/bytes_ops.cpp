// Byte sequences and arrays: lengths, blanks and the way back to text.

#include <cstdint>
#include <cstring>
#include <string_view>

#include "text/text_ops.h"

namespace quorrin {

std::int32_t BytesLength(const Bytes& bytes) { return bytes.size(); }

Bytes BlankBytes(std::int32_t count) {
  if (count <= 0) return Bytes();
  return Bytes(count);
}

Text TextFromBytes(const Bytes& bytes) {
  // Text keeps the bytes before the first zero byte by itself.
  return Text(bytes.view());
}

std::int32_t MemberCount(const TextArray& array) { return array.Count(); }

}  // namespace quorrin
