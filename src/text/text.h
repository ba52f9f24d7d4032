// The three values every routine hands to the next: Text, Bytes and TextArray.
//
// Text is a run of code page 936 bytes that never holds a zero byte; Bytes is
// a run of any bytes; TextArray is a list of Text numbered from 1. All three
// are plain values: copies are deep, moves are cheap, and an absent value is
// simply the empty one (a default-constructed value), so no routine can tell
// the two apart.
//
// Lengths and positions are signed 32-bit, as every routine counts them.
// Memory that cannot be had for a value ends the program with the fatal
// run-time error (see fatal_error.h): no caller ever sees half a value.

#ifndef QUORRIN_TEXT_TEXT_H_
#define QUORRIN_TEXT_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorrin {

namespace internal {

// Ends the program with the fatal run-time error for a failed allocation of
// `bytes` bytes.
[[noreturn]] void FailAllocation(std::size_t bytes);

// The longest Text or Bytes: lengths are signed 32-bit.
inline constexpr std::size_t kMaxLength =
    static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());

// Returns `length` when a value may be that long; otherwise ends the program
// as a failed allocation would, since such a value cannot be held.
std::size_t CheckedLength(std::size_t length);

// A malloc-backed allocator whose failure is the fatal run-time error rather
// than an exception: the program has no exceptions between its routines.
template <typename T>
struct FatalOnFailureAllocator {
  using value_type = T;

  FatalOnFailureAllocator() noexcept = default;
  template <typename U>
  FatalOnFailureAllocator(const FatalOnFailureAllocator<U>&) noexcept {}

  T* allocate(std::size_t count) {
    if (count > std::numeric_limits<std::size_t>::max() / sizeof(T)) {
      FailAllocation(std::numeric_limits<std::size_t>::max());
    }
    void* memory = std::malloc(count * sizeof(T));
    if (memory == nullptr) FailAllocation(count * sizeof(T));
    return static_cast<T*>(memory);
  }
  void deallocate(T* memory, std::size_t) noexcept { std::free(memory); }

  template <typename U>
  friend bool operator==(const FatalOnFailureAllocator&,
                         const FatalOnFailureAllocator<U>&) noexcept {
    return true;
  }
};

}  // namespace internal

class Text {
 public:
  using Storage = std::basic_string<char, std::char_traits<char>,
                                    internal::FatalOnFailureAllocator<char>>;

  Text() = default;
  // Both keep the bytes before the first zero byte: a Text holds none.
  Text(const char* zeroEnded);   // NOLINT: literals are Text everywhere.
  Text(std::string_view bytes);  // NOLINT

  // Zero-ended, for handing to the platform.
  const char* c_str() const { return bytes_.c_str(); }
  const char* data() const { return bytes_.data(); }
  std::int32_t size() const { return static_cast<std::int32_t>(bytes_.size()); }
  bool empty() const { return bytes_.empty(); }
  std::string_view view() const { return {bytes_.data(), bytes_.size()}; }

  // Appends bytes up to, not including, the first zero byte among them.
  void Append(std::string_view bytes);
  // Room for `capacity` bytes, which must not pass the length limit.
  void Reserve(std::size_t capacity);

  friend bool operator==(const Text& a, const Text& b) = default;

 private:
  Storage bytes_;
};

class Bytes {
 public:
  using Storage = std::vector<unsigned char,
                              internal::FatalOnFailureAllocator<unsigned char>>;

  Bytes() = default;
  Bytes(const unsigned char* bytes, std::int32_t length);
  explicit Bytes(std::string_view bytes);
  // `length` zero bytes.
  explicit Bytes(std::int32_t length);

  const unsigned char* data() const { return bytes_.data(); }
  unsigned char* data() { return bytes_.data(); }
  std::int32_t size() const { return static_cast<std::int32_t>(bytes_.size()); }
  bool empty() const { return bytes_.empty(); }
  std::string_view view() const {
    return {reinterpret_cast<const char*>(bytes_.data()), bytes_.size()};
  }

  void Append(const unsigned char* bytes, std::int32_t length);

  friend bool operator==(const Bytes& a, const Bytes& b) = default;

 private:
  Storage bytes_;
};

// Members are numbered from 1. A number outside 1 to Count() is the fatal
// run-time error, never clamped.
class TextArray {
 public:
  TextArray() = default;

  std::int32_t Count() const {
    return static_cast<std::int32_t>(members_.size());
  }
  const Text& operator[](std::int32_t number) const;
  Text& operator[](std::int32_t number);
  void Add(Text member) { members_.push_back(std::move(member)); }

 private:
  std::vector<Text, internal::FatalOnFailureAllocator<Text>> members_;
};

}  // namespace quorrin

#endif  // QUORRIN_TEXT_TEXT_H_
