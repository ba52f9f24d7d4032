#include "platform/linux/http_request_headers.h"

#include <cstddef>

#include "platform/linux/http_wire_syntax.h"

namespace quorrin::platform::http {

bool RequestHeaders::Set(std::string_view name, std::string_view value) {
  value = TrimHttpWhitespace(value);
  if (!IsHttpToken(name) || !IsHttpFieldValue(value) ||
      EqualsIgnoringAsciiCase(name, "Content-Length") ||
      EqualsIgnoringAsciiCase(name, "Transfer-Encoding")) {
    return false;
  }
  for (HeaderField& field : fields_) {
    if (EqualsIgnoringAsciiCase(field.name, name)) {
      field.name = name;
      field.value = value;
      return true;
    }
  }
  fields_.push_back({std::string(name), std::string(value)});
  return true;
}

const std::string* RequestHeaders::Find(std::string_view name) const {
  for (const HeaderField& field : fields_) {
    if (EqualsIgnoringAsciiCase(field.name, name)) return &field.value;
  }
  return nullptr;
}

std::vector<std::string> CurlHeaderLines(const RequestHeaders& headers) {
  std::vector<std::string> lines;
  for (const HeaderField& field : headers.fields()) {
    if (EqualsIgnoringAsciiCase(field.name, "Cookie")) continue;
    lines.push_back(field.value.empty() ? field.name + ";"
                                        : field.name + ": " + field.value);
  }
  if (headers.Find("User-Agent") == nullptr) {
    lines.push_back("User-Agent: " + std::string(kDefaultUserAgent));
  }
  for (std::string_view own : {"Accept", "Content-Type", "Expect"}) {
    if (headers.Find(own) == nullptr) lines.push_back(std::string(own) + ":");
  }
  return lines;
}

std::vector<CookiePair> SplitCookieHeader(std::string_view value) {
  std::vector<CookiePair> cookies;
  while (!value.empty()) {
    std::size_t end = value.find(';');
    std::string_view item = value.substr(0, end);
    value = end == std::string_view::npos ? std::string_view()
                                          : value.substr(end + 1);
    std::size_t equals = item.find('=');
    if (equals == std::string_view::npos) continue;
    std::string_view name = TrimHttpWhitespace(item.substr(0, equals));
    if (name.empty()) continue;
    cookies.push_back({std::string(name), std::string(TrimHttpWhitespace(
                                              item.substr(equals + 1)))});
  }
  return cookies;
}

}  // namespace quorrin::platform::http
