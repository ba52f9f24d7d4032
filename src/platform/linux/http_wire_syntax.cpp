#include "platform/linux/http_wire_syntax.h"

#include <cstddef>

namespace quorrin::platform::http {
namespace {

bool IsControlByte(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

bool IsTokenByte(unsigned char byte) {
  if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
      (byte >= '0' && byte <= '9')) {
    return true;
  }
  constexpr std::string_view kTokenMarks = "!#$%&'*+-.^_`|~";
  return kTokenMarks.find(static_cast<char>(byte)) != std::string_view::npos;
}

// The end of "scheme://authority", where the path, query or fragment begins;
// 0 when the URL has no "://" before any of them.
std::size_t PathStart(std::string_view url) {
  std::size_t scheme = url.find("://");
  std::size_t firstPathMark = url.find_first_of("/?#");
  if (scheme == std::string_view::npos || firstPathMark < scheme) return 0;
  std::size_t end = url.find_first_of("/?#", scheme + 3);
  return end == std::string_view::npos ? url.size() : end;
}

}  // namespace

bool IsHttpToken(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!IsTokenByte(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

bool IsHttpFieldValue(std::string_view value) {
  for (char c : value) {
    auto byte = static_cast<unsigned char>(c);
    if (IsControlByte(byte) && byte != '\t') return false;
  }
  return true;
}

std::string_view TrimHttpWhitespace(std::string_view value) {
  std::size_t first = value.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  std::size_t last = value.find_last_not_of(" \t");
  return value.substr(first, last - first + 1);
}

std::string WireUrl(std::string_view url) {
  for (char c : url) {
    if (IsControlByte(static_cast<unsigned char>(c))) return {};
  }
  constexpr char kHex[] = "0123456789ABCDEF";
  std::size_t pathStart = PathStart(url);
  std::string wire(url.substr(0, pathStart));
  for (char c : url.substr(pathStart)) {
    auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 || byte == ' ') {
      wire += '%';
      wire += kHex[byte >> 4];
      wire += kHex[byte & 0x0F];
    } else {
      wire += c;
    }
  }
  return wire;
}

}  // namespace quorrin::platform::http
