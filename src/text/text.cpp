#include "text/text.h"

#include <cstdio>
#include <cstring>

#include "text/fatal_error.h"

namespace quorrin {

namespace internal {

void FailAllocation(std::size_t bytes) {
  char message[128];
  std::snprintf(message, sizeof message, kAllocationFailedFormat,
                static_cast<int>(bytes > 0x7FFFFFFF ? 0x7FFFFFFF : bytes));
  RaiseFatalError(0, message);
}

}  // namespace internal

namespace {

std::string_view BeforeFirstZero(std::string_view bytes) {
  return bytes.substr(0, bytes.find('\0'));
}

}  // namespace

Text::Text(const char* zeroEnded) {
  if (zeroEnded != nullptr) bytes_.assign(zeroEnded);
}

Text::Text(std::string_view bytes) : bytes_(BeforeFirstZero(bytes)) {}

void Text::Append(std::string_view bytes) {
  bytes_.append(BeforeFirstZero(bytes));
}

Bytes::Bytes(const unsigned char* bytes, std::int32_t length) {
  if (length > 0) bytes_.assign(bytes, bytes + length);
}

Bytes::Bytes(std::string_view bytes)
    : Bytes(reinterpret_cast<const unsigned char*>(bytes.data()),
            static_cast<std::int32_t>(bytes.size())) {}

Bytes::Bytes(std::int32_t length) {
  if (length > 0) bytes_.resize(static_cast<std::size_t>(length));
}

void Bytes::Append(const unsigned char* bytes, std::int32_t length) {
  if (length > 0) bytes_.insert(bytes_.end(), bytes, bytes + length);
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
