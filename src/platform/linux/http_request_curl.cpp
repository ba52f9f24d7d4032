// The HTTP request object of the Linux back end: the platform object's
// operations and silent failures, carried out by libcurl.
//
// Texts arrive in code page 936 and go on the wire as UTF-8; the answer's
// header text comes back from UTF-8 to code page 936 (header bytes are ASCII
// in practice; anything not valid UTF-8 becomes '?').

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "platform/linux/ascii_case.h"
#include "platform/linux/http_exchange_curl.h"
#include "platform/linux/http_request_headers.h"
#include "platform/linux/http_wire_syntax.h"
#include "platform/linux/utf8_edge.h"
#include "platform/platform.h"

namespace quorrin::platform {
namespace {

constexpr std::string_view kProgId = "WinHttp.WinHttpRequest.5.1";
// The Option index that switches following redirects on or off.
constexpr std::int32_t kEnableRedirectsOption = 6;

}  // namespace

class HttpRequestObject::Impl {
 public:
  void SetTimeouts(std::int32_t resolve, std::int32_t connect,
                   std::int32_t send, std::int32_t receive) {
    // Like the platform object: -1 and 0 both mean no limit, anything below
    // -1 is refused and changes nothing.
    for (std::int32_t value : {resolve, connect, send, receive}) {
      if (value < -1) return;
    }
    auto limit = [](std::int32_t value) { return value < 0 ? 0 : value; };
    timeouts_ = {limit(resolve), limit(connect), limit(send), limit(receive)};
  }

  void Open(const Text& method, const Text& url, bool asynchronous) {
    opened_ = false;
    request_ = {};
    answer_ = {};
    // This object works synchronously only.
    if (asynchronous) return;
    std::string wireMethod = GbkToUtf8(method.view());
    std::string wireUrl = http::WireUrl(GbkToUtf8(url.view()));
    if (!http::IsHttpToken(wireMethod) || wireUrl.empty()) return;
    request_.method = std::move(wireMethod);
    request_.url = std::move(wireUrl);
    opened_ = true;
  }

  void SetOption(std::int32_t index, std::int32_t value) {
    if (index == kEnableRedirectsOption) followRedirects_ = value != 0;
  }

  void SetRequestHeader(const Text& name, const Text& value) {
    if (!opened_) return;
    // Refused fields are dropped silently, as every failure here is.
    (void)request_.headers.Set(GbkToUtf8(name.view()), GbkToUtf8(value.view()));
  }

  void Send(std::string body) {
    if (!opened_) return;
    opened_ = false;
    request_.body = std::move(body);
    request_.followRedirects = followRedirects_;
    request_.timeouts = timeouts_;
    answer_ = http::PerformExchange(request_);
  }

  Bytes ResponseBody() const { return answer_.body; }

  Text GetallResponseHeaders() const {
    return Utf8ToGbkText(answer_.headerLines);
  }

 private:
  http::HttpTimeouts timeouts_;
  bool followRedirects_ = true;
  // Open prepares a request; Send uses it up.
  bool opened_ = false;
  http::ExchangeRequest request_;
  http::ExchangeAnswer answer_;
};

HttpRequestObject::HttpRequestObject() = default;
HttpRequestObject::~HttpRequestObject() = default;
HttpRequestObject::HttpRequestObject(HttpRequestObject&& other) noexcept =
    default;
HttpRequestObject& HttpRequestObject::operator=(
    HttpRequestObject&& other) noexcept = default;
HttpRequestObject::HttpRequestObject(std::unique_ptr<Impl> impl)
    : impl_(std::move(impl)) {}

HttpRequestObject HttpRequestObject::Create(const Text& progId) {
  if (!EqualsIgnoringAsciiCase(progId.view(), kProgId)) return {};
  return HttpRequestObject(std::make_unique<Impl>());
}

void HttpRequestObject::SetTimeouts(std::int32_t resolve, std::int32_t connect,
                                    std::int32_t send, std::int32_t receive) {
  if (impl_) impl_->SetTimeouts(resolve, connect, send, receive);
}

void HttpRequestObject::Open(const Text& method, const Text& url,
                             bool asynchronous) {
  if (impl_) impl_->Open(method, url, asynchronous);
}

void HttpRequestObject::SetOption(std::int32_t index, std::int32_t value) {
  if (impl_) impl_->SetOption(index, value);
}

void HttpRequestObject::SetRequestHeader(const Text& name, const Text& value) {
  if (impl_) impl_->SetRequestHeader(name, value);
}

void HttpRequestObject::Send(const Text& body) {
  if (impl_) impl_->Send(GbkToUtf8(body.view()));
}

void HttpRequestObject::Send(const Bytes& body) {
  if (impl_) impl_->Send(std::string(body.view()));
}

Bytes HttpRequestObject::ResponseBody() {
  return impl_ ? impl_->ResponseBody() : Bytes();
}

Text HttpRequestObject::GetallResponseHeaders() {
  return impl_ ? impl_->GetallResponseHeaders() : Text();
}

void HttpRequestObject::Release() { impl_.reset(); }

}  // namespace quorrin::platform
