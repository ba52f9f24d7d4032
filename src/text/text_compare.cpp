// Ordering of texts and byte sequences, by unsigned byte values.

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "text/text_ops.h"

namespace quorrin {

namespace {

std::int32_t Sign(int value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

// memcmp compares as unsigned char, which is what both orderings ask for.
int CompareCommonPrefix(const void* a, const void* b, std::int32_t length) {
  if (length <= 0) return 0;
  return std::memcmp(a, b, static_cast<std::size_t>(length));
}

}  // namespace

std::int32_t CompareText(const Text& a, const Text& b) {
  const int prefix =
      CompareCommonPrefix(a.data(), b.data(), std::min(a.size(), b.size()));
  if (prefix != 0) return Sign(prefix);
  return Sign(a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0));
}

std::int32_t CompareBytes(const Bytes& a, const Bytes& b) {
  if (a.size() != b.size()) return 1;
  return Sign(CompareCommonPrefix(a.data(), b.data(), a.size()));
}

}  // namespace quorrin
