#include "scripted_platform.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>

#include "platform/platform.h"

namespace quorrin::scripted {

namespace {

Script& TheScript() {
  static Script script;
  return script;
}

std::vector<Call>& TheCalls() {
  static std::vector<Call> calls;
  return calls;
}

void Record(std::string name, std::vector<std::string> args = {}) {
  TheCalls().push_back(Call{std::move(name), std::move(args)});
}

std::string Str(const Text& text) { return std::string(text.view()); }
std::string Num(std::int64_t number) { return std::to_string(number); }
std::string Bool(bool value) { return value ? "true" : "false"; }
std::string Raw(const unsigned char* bytes, std::int64_t length) {
  if (length <= 0) return std::string();
  return std::string(reinterpret_cast<const char*>(bytes),
                     static_cast<std::size_t>(length));
}

unsigned char AsciiOrQuestionMark(unsigned code) {
  return code < 0x80 ? static_cast<unsigned char>(code) : '?';
}

}  // namespace

void PrintTo(const Call& call, std::ostream* out) {
  *out << call.name << "(";
  for (std::size_t i = 0; i < call.args.size(); ++i) {
    *out << (i == 0 ? "" : ", ") << ::testing::PrintToString(call.args[i]);
  }
  *out << ")";
}

Script& CurrentScript() { return TheScript(); }

const std::vector<Call>& RecordedCalls() { return TheCalls(); }

std::vector<Call> OnlyNamed(const std::vector<Call>& calls,
                            const std::string& name) {
  std::vector<Call> named;
  for (const Call& call : calls) {
    if (call.name == name) named.push_back(call);
  }
  return named;
}

std::vector<Call> CallsNamed(const std::string& name) {
  return OnlyNamed(TheCalls(), name);
}

std::vector<Call> CallsOfRequest(int n) {
  std::vector<Call> calls;
  int request = 0;
  for (const Call& call : TheCalls()) {
    if (call.name == "EnterApartment") ++request;
    if (request == n) calls.push_back(call);
  }
  return calls;
}

std::vector<std::string> CallNames() {
  std::vector<std::string> names;
  for (const Call& call : TheCalls()) names.push_back(call.name);
  return names;
}

void ResetScriptedPlatform() {
  TheScript() = Script();
  TheCalls().clear();
}

}  // namespace quorrin::scripted

namespace quorrin::platform {

using scripted::AsciiOrQuestionMark;
using scripted::Bool;
using scripted::Num;
using scripted::Raw;
using scripted::Record;
using scripted::Str;
using scripted::TheScript;

class HttpRequestObject::Impl {
 public:
  explicit Impl(scripted::Response response) : response_(std::move(response)) {}
  void MarkSent() { sent_ = true; }
  // Nothing comes back before the request went out.
  const scripted::Response& answer() const {
    static const scripted::Response kNoAnswer;
    return sent_ ? response_ : kNoAnswer;
  }

 private:
  scripted::Response response_;
  bool sent_ = false;
};

HttpRequestObject::HttpRequestObject() = default;
HttpRequestObject::HttpRequestObject(std::unique_ptr<Impl> impl)
    : impl_(std::move(impl)) {}
HttpRequestObject::~HttpRequestObject() { Release(); }
HttpRequestObject::HttpRequestObject(HttpRequestObject&& other) noexcept =
    default;
HttpRequestObject& HttpRequestObject::operator=(
    HttpRequestObject&& other) noexcept {
  if (this != &other) {
    Release();
    impl_ = std::move(other.impl_);
  }
  return *this;
}

HttpRequestObject HttpRequestObject::Create(const Text& progId) {
  Record("Create", {Str(progId)});
  if (!TheScript().createSucceeds) return HttpRequestObject();
  scripted::Response response;
  if (!TheScript().responses.empty()) {
    response = std::move(TheScript().responses.front());
    TheScript().responses.pop_front();
  }
  return HttpRequestObject(std::make_unique<Impl>(std::move(response)));
}

void HttpRequestObject::SetTimeouts(std::int32_t resolve, std::int32_t connect,
                                    std::int32_t send, std::int32_t receive) {
  Record("SetTimeouts", {Num(resolve), Num(connect), Num(send), Num(receive)});
}

void HttpRequestObject::Open(const Text& method, const Text& url,
                             bool asynchronous) {
  Record("Open", {Str(method), Str(url), Bool(asynchronous)});
}

void HttpRequestObject::SetOption(std::int32_t index, std::int32_t value) {
  Record("SetOption", {Num(index), Num(value)});
}

void HttpRequestObject::SetRequestHeader(const Text& name, const Text& value) {
  Record("SetRequestHeader", {Str(name), Str(value)});
}

void HttpRequestObject::Send(const Text& body) {
  Record("SendText", {Str(body)});
  if (impl_) impl_->MarkSent();
}

void HttpRequestObject::Send(const Bytes& body) {
  Record("SendBytes", {std::string(body.view())});
  if (impl_) impl_->MarkSent();
}

Bytes HttpRequestObject::ResponseBody() {
  Record("ResponseBody");
  if (!impl_) return Bytes();
  return Bytes(impl_->answer().body);
}

Text HttpRequestObject::GetallResponseHeaders() {
  Record("GetallResponseHeaders");
  if (!impl_) return Text();
  return Text(impl_->answer().headers);
}

void HttpRequestObject::Release() {
  if (!impl_) return;
  Record("Release");
  impl_.reset();
}

bool EnterApartment() {
  Record("EnterApartment");
  return TheScript().enterApartmentSucceeds;
}

void LeaveApartment() { Record("LeaveApartment"); }

bool LookupStoreCookies(const Text& url, const Text& cookieName, char* buffer,
                        std::uint32_t& size) {
  Record("LookupStoreCookies", {Str(url), Str(cookieName), Num(size)});
  const auto found = TheScript().cookieStore.find(Str(url));
  if (found == TheScript().cookieStore.end()) return false;
  const std::string& text = found->second;
  if (text.size() + 1 > size) {
    size = static_cast<std::uint32_t>(text.size() + 1);
    return false;
  }
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  size = static_cast<std::uint32_t>(text.size() + 1);
  return true;
}

bool WriteStoreCookie(const Text& url, const Text& name, const Text& value) {
  Record("WriteStoreCookie", {Str(url), Str(name), Str(value)});
  if (!TheScript().cookieWritesSucceed) return false;
  // Replaces the item of that exact name, or appends one.
  std::string& stored = TheScript().cookieStore[Str(url)];
  const std::string item = Str(name) + "=" + Str(value);
  std::string rebuilt;
  bool replaced = false;
  std::size_t begin = 0;
  while (begin < stored.size()) {
    std::size_t end = stored.find("; ", begin);
    if (end == std::string::npos) end = stored.size();
    std::string existing = stored.substr(begin, end - begin);
    if (existing.substr(0, existing.find('=')) == Str(name)) {
      existing = item;
      replaced = true;
    }
    rebuilt += (rebuilt.empty() ? "" : "; ") + existing;
    begin = end + 2;
  }
  if (!replaced) rebuilt += (rebuilt.empty() ? "" : "; ") + item;
  stored = rebuilt;
  return true;
}

std::int32_t Utf8ToUtf16(const unsigned char* utf8, std::int32_t length,
                         unsigned char* out, std::int32_t outUnits) {
  Record("Utf8ToUtf16", {Raw(utf8, length), Num(length),
                         out == nullptr ? "null" : "buffer", Num(outUnits)});
  if (length <= 0) return 0;
  if (out == nullptr) return length;
  if (outUnits < length) return 0;
  for (std::int32_t i = 0; i < length; ++i) {
    out[2 * i] = AsciiOrQuestionMark(utf8[i]);
    out[2 * i + 1] = 0;
  }
  return length;
}

std::int32_t Utf16ToGbk(const unsigned char* utf16, std::int32_t units,
                        char* out, std::int32_t outBytes) {
  Record("Utf16ToGbk", {Raw(utf16, std::int64_t{units} * 2), Num(units),
                        out == nullptr ? "null" : "buffer", Num(outBytes)});
  if (units <= 0) return 0;
  if (out == nullptr) return units;
  if (outBytes < units) return 0;
  for (std::int32_t i = 0; i < units; ++i) {
    out[i] = static_cast<char>(
        AsciiOrQuestionMark(utf16[2 * i] | (utf16[2 * i + 1] << 8)));
  }
  return units;
}

bool StartWindowSystem() { return false; }
void RunMainWindow(const MainWindowLayout&, ClickHandler) {}
void StopWindowSystem() {}

}  // namespace quorrin::platform
