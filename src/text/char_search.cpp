#include "text/char_search.h"

#include <algorithm>
#include <cstring>

namespace quorrin::internal {

namespace {

const unsigned char* Bytes(std::string_view text) {
  return reinterpret_cast<const unsigned char*>(text.data());
}

// The first byte equal to `a` or `b` in [from, end), or kNotFound; each call
// picks up where the previous one left off, so a whole search scans each
// byte at most twice.
class EitherByteScanner {
 public:
  EitherByteScanner(const unsigned char* bytes, std::size_t size,
                    unsigned char a, unsigned char b)
      : bytes_(bytes), size_(size), a_(a), b_(b) {}

  std::size_t Next(std::size_t from) {
    if (nextA_ < from || nextA_ == kUnknown) nextA_ = Scan(a_, from);
    if (a_ == b_) return nextA_;
    if (nextB_ < from || nextB_ == kUnknown) nextB_ = Scan(b_, from);
    return std::min(nextA_, nextB_);
  }

 private:
  static constexpr std::size_t kUnknown = kNotFound - 1;

  std::size_t Scan(unsigned char byte, std::size_t from) const {
    if (from >= size_) return kNotFound;
    const void* hit = std::memchr(bytes_ + from, byte, size_ - from);
    return hit == nullptr
               ? kNotFound
               : static_cast<std::size_t>(
                     static_cast<const unsigned char*>(hit) - bytes_);
  }

  const unsigned char* bytes_;
  std::size_t size_;
  unsigned char a_;
  unsigned char b_;
  std::size_t nextA_ = kUnknown;
  std::size_t nextB_ = kUnknown;
};

std::size_t FindExact(std::string_view text, std::string_view target,
                      std::size_t from) {
  const unsigned char* bytes = Bytes(text);
  std::size_t knownStart = from;
  std::size_t position = from;
  while (text.size() - position >= target.size()) {
    const void* hit = memmem(bytes + position, text.size() - position,
                             target.data(), target.size());
    if (hit == nullptr) return kNotFound;
    const auto candidate = static_cast<std::size_t>(
        static_cast<const unsigned char*>(hit) - bytes);
    if (IsCharacterStart(bytes, knownStart, candidate)) return candidate;
    // The candidate is a second byte, so the byte after it starts a
    // character.
    knownStart = candidate + 1;
    position = candidate + 1;
  }
  return kNotFound;
}

std::size_t FindIgnoringAsciiCase(std::string_view text,
                                  std::string_view target, std::size_t from) {
  const unsigned char* bytes = Bytes(text);
  const unsigned char* wanted = Bytes(target);
  const unsigned char first = FoldAsciiCase(wanted[0]);
  const unsigned char firstUpper =
      first >= 'a' && first <= 'z' ? static_cast<unsigned char>(first - 0x20)
                                   : first;
  EitherByteScanner scanner(bytes, text.size(), first, firstUpper);
  std::size_t knownStart = from;
  std::size_t position = from;
  while (text.size() - position >= target.size()) {
    const std::size_t candidate = scanner.Next(position);
    if (candidate == kNotFound || text.size() - candidate < target.size()) {
      return kNotFound;
    }
    if (EqualIgnoringAsciiCase(bytes + candidate + 1, wanted + 1,
                               target.size() - 1)) {
      if (IsCharacterStart(bytes, knownStart, candidate)) return candidate;
      knownStart = candidate + 1;
    }
    position = candidate + 1;
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
  if (from > text.size() || text.size() - from < target.size()) {
    return kNotFound;
  }
  return ignoreAsciiCase ? FindIgnoringAsciiCase(text, target, from)
                         : FindExact(text, target, from);
}

}  // namespace quorrin::internal
