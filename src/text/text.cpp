#include "text/text.h"

#include <cstdio>

#include "text/fatal_error.h"

namespace quorrin {

namespace internal {

void FailAllocation(std::size_t bytes) {
  char message[128];
  std::snprintf(message, sizeof message, kAllocationFailedFormat,
                static_cast<int>(bytes > kMaxLength ? kMaxLength : bytes));
  RaiseFatalError(0, message);
}

std::size_t CheckedLength(std::size_t length) {
  if (length > kMaxLength) FailAllocation(length);
  return length;
}

}  // namespace internal

namespace {

std::string_view BeforeFirstZero(std::string_view bytes) {
  return bytes.substr(0, bytes.find('\0'));
}

// `bytes`, once known to fit a value's length.
std::string_view Held(std::string_view bytes) {
  internal::CheckedLength(bytes.size());
  return bytes;
}

}  // namespace

Text::Text(const char* zeroEnded)
    : Text(zeroEnded == nullptr ? std::string_view()
                                : std::string_view(zeroEnded)) {}

Text::Text(std::string_view bytes) : bytes_(Held(BeforeFirstZero(bytes))) {}

void Text::Append(std::string_view bytes) {
  const std::string_view kept = BeforeFirstZero(bytes);
  internal::CheckedLength(bytes_.size() + kept.size());
  bytes_.append(kept);
}

void Text::Reserve(std::size_t capacity) {
  bytes_.reserve(internal::CheckedLength(capacity));
}

Bytes::Bytes(const unsigned char* bytes, std::int32_t length) {
  if (length > 0) bytes_.assign(bytes, bytes + length);
}

Bytes::Bytes(std::string_view bytes)
    : Bytes(reinterpret_cast<const unsigned char*>(bytes.data()),
            static_cast<std::int32_t>(Held(bytes).size())) {}

Bytes::Bytes(std::int32_t length) {
  if (length > 0) bytes_.resize(static_cast<std::size_t>(length));
}

void Bytes::Append(const unsigned char* bytes, std::int32_t length) {
  if (length <= 0) return;
  internal::CheckedLength(bytes_.size() + static_cast<std::size_t>(length));
  bytes_.insert(bytes_.end(), bytes, bytes + length);
}

const Text& TextArray::operator[](std::int32_t number) const {
  if (number < 1) {
    RaiseFatalError(kMemberNumberTooSmallCode, kMemberNumberTooSmallMessage);
  }
  if (number > Count()) {
    RaiseFatalError(kMemberNumberTooLargeCode, kMemberNumberTooLargeMessage);
  }
  return members_[static_cast<std::size_t>(number - 1)];
}

Text& TextArray::operator[](std::int32_t number) {
  return const_cast<Text&>(std::as_const(*this)[number]);
}

}  // namespace quorrin
