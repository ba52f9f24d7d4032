#include "text/char_search.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace quorrin::internal {

namespace {

const unsigned char* BytesOf(std::string_view text) {
  return reinterpret_cast<const unsigned char*>(text.data());
}

constexpr bool IsAsciiLetter(unsigned char byte) {
  return FoldAsciiCase(byte) >= 'a' && FoldAsciiCase(byte) <= 'z';
}

// How a search compares bytes: exactly, or with ASCII letters folded. Bits()
// gives the bits to set on a text byte before testing it against Key() of a
// target byte: a superset of the matches, which Equal() then narrows.
struct ExactBytes {
  static constexpr unsigned char Key(unsigned char byte) { return byte; }
  static constexpr unsigned char Bits(unsigned char) { return 0; }
  static bool Equal(const unsigned char* a, const unsigned char* b,
                    std::size_t length) {
    return std::memcmp(a, b, length) == 0;
  }
};

struct AsciiFoldedBytes {
  static constexpr unsigned char Key(unsigned char byte) {
    return FoldAsciiCase(byte);
  }
  // Setting 0x20 makes A-Z lower case; only for a letter of the target, so
  // that a byte 0x20 apart from a non-letter ('@' and '`') stays different.
  static constexpr unsigned char Bits(unsigned char byte) {
    return IsAsciiLetter(byte) ? 0x20 : 0;
  }
  static bool Equal(const unsigned char* a, const unsigned char* b,
                    std::size_t length) {
    return EqualIgnoringAsciiCase(a, b, length);
  }
};

// Eight bytes at once in a 64-bit word, so the scan needs no
// processor-specific instructions.
constexpr std::uint64_t kLowBits = 0x0101010101010101u;
constexpr std::uint64_t kHighBits = 0x8080808080808080u;

std::uint64_t LoadWord(const unsigned char* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

// Non-zero exactly when one of the word's bytes is zero. The high bit of
// each zero byte is set; a byte above a zero one in significance may be
// flagged as well, which only costs a needless check.
constexpr std::uint64_t ZeroByteBits(std::uint64_t word) {
  return (word - kLowBits) & ~word & kHighBits;
}

// The offset in memory of the first flagged byte of a loaded word.
int FirstFlaggedByte(std::uint64_t flags) {
  if constexpr (std::endian::native == std::endian::little) {
    return std::countr_zero(flags) / 8;
  } else {
    return std::countl_zero(flags) / 8;
  }
}

// `flags` without the flag of the byte at memory offset `offset`.
std::uint64_t ClearFlag(std::uint64_t flags, int offset) {
  if constexpr (std::endian::native == std::endian::little) {
    return flags & ~(std::uint64_t{0x80} << (8 * offset));
  } else {
    return flags & ~(std::uint64_t{0x80} << (8 * (7 - offset)));
  }
}

// Whether a walk that began at some known character start reaches a
// candidate at a character start; candidates come in rising order.
class CharacterStartFilter {
 public:
  CharacterStartFilter(const unsigned char* bytes, std::size_t from)
      : bytes_(bytes), knownStart_(from) {}

  bool Accept(std::size_t candidate) {
    if (IsCharacterStart(bytes_, knownStart_, candidate)) return true;
    // The candidate is a second byte, so the byte after it starts a
    // character; counting back never passes it again, which keeps the whole
    // search linear.
    knownStart_ = candidate + 1;
    return false;
  }

 private:
  const unsigned char* bytes_;
  std::size_t knownStart_;
};

// Finds positions whose first and last byte both fit the target's, eight
// positions per step, and checks only those in full. Few places in a page
// hold both bytes the right distance apart, so nearly every step is a few
// word operations.
template <typename Compare>
std::size_t Find(std::string_view text, std::string_view target,
                 std::size_t from) {
  const unsigned char* bytes = BytesOf(text);
  const unsigned char* wanted = BytesOf(target);
  const std::size_t length = target.size();
  const std::size_t last = length - 1;
  // One past the last position where the target still fits.
  const std::size_t end = text.size() - last;
  CharacterStartFilter filter(bytes, from);
  auto matchesAt = [&](std::size_t position) {
    return Compare::Equal(bytes + position, wanted, length) &&
           filter.Accept(position);
  };

  const std::uint64_t firstBits = kLowBits * Compare::Bits(wanted[0]);
  const std::uint64_t firstKey = kLowBits * Compare::Key(wanted[0]);
  const std::uint64_t lastBits = kLowBits * Compare::Bits(wanted[last]);
  const std::uint64_t lastKey = kLowBits * Compare::Key(wanted[last]);
  std::size_t position = from;
  for (; end - position >= 8; position += 8) {
    const std::uint64_t first =
        (LoadWord(bytes + position) | firstBits) ^ firstKey;
    const std::uint64_t lastByte =
        (LoadWord(bytes + position + last) | lastBits) ^ lastKey;
    // A zero byte in both words at the same place is a candidate.
    for (std::uint64_t flags = ZeroByteBits(first | lastByte); flags != 0;) {
      const int offset = FirstFlaggedByte(flags);
      if (matchesAt(position + static_cast<std::size_t>(offset))) {
        return position + static_cast<std::size_t>(offset);
      }
      flags = ClearFlag(flags, offset);
    }
  }
  for (; position < end; ++position) {
    if (matchesAt(position)) return position;
  }
  return kNotFound;
}

}  // namespace

bool EqualIgnoringAsciiCase(const unsigned char* a, const unsigned char* b,
                            std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) {
    if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) return false;
  }
  return true;
}

bool IsCharacterStart(const unsigned char* bytes, std::size_t knownStart,
                      std::size_t position) {
  // A byte below 0x80 ends a character whether it stands alone or second, so
  // the walk starts a character right after it; from there each high byte
  // pairs with the next, and only an even run of them lands on `position`.
  std::size_t runStart = position;
  while (runStart > knownStart && bytes[runStart - 1] >= 0x80) --runStart;
  return (position - runStart) % 2 == 0;
}

std::size_t FindAtCharacterStart(std::string_view text, std::string_view target,
                                 std::size_t from, bool ignoreAsciiCase) {
  if (target.empty() || from > text.size() ||
      text.size() - from < target.size()) {
    return kNotFound;
  }
  return ignoreAsciiCase ? Find<AsciiFoldedBytes>(text, target, from)
                         : Find<ExactBytes>(text, target, from);
}

}  // namespace quorrin::internal
