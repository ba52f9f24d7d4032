#include "platform/linux/http_exchange_curl.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/linux/ascii_case.h"
#include "platform/linux/http_curl_handles.h"
#include "platform/linux/http_stall_watch.h"
#include "platform/linux/http_wire_syntax.h"

namespace quorrin::platform::http {
namespace {

constexpr long kMaxRedirects = 10;
constexpr long kNoConnectLimitMs = std::numeric_limits<std::int32_t>::max();

// What the callbacks of one transfer share.
struct Transfer {
  explicit Transfer(const HttpTimeouts& timeouts)
      : watch(timeouts.send, timeouts.receive) {}

  StallWatch watch;
  curl_off_t lastDown = -1;
  curl_off_t lastUp = -1;
  Bytes body;
  std::string headerLines;
  // Between a status line and the blank line after its fields; lines
  // outside (trailers after a chunked body) are not the answer's header.
  bool inHeader = false;
};

std::string_view WithoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
    line.remove_suffix(1);
  }
  return line;
}

std::size_t OnHeaderLine(char* data, std::size_t size, std::size_t count,
                         void* user) {
  auto& transfer = *static_cast<Transfer*>(user);
  std::size_t length = size * count;
  transfer.watch.Moved(StallWatch::Clock::now());
  std::string_view line = WithoutLineEnd({data, length});
  // No field name holds a "/", so this is the status line of a new answer
  // (an interim 1xx, a redirect or the final one): only the last one counts.
  if (line.starts_with("HTTP/")) {
    transfer.headerLines.clear();
    transfer.inHeader = true;
  } else if (!transfer.inHeader) {
    // A trailer or a line before any status: not part of the header.
  } else if (line.empty()) {
    transfer.inHeader = false;
  } else if (line.front() == ' ' || line.front() == '\t') {
    // An obsolete folded line continues the field before it (RFC 9112 5.2).
    if (!transfer.headerLines.empty()) {
      transfer.headerLines += ' ';
      transfer.headerLines += TrimHttpWhitespace(line);
    }
  } else {
    if (!transfer.headerLines.empty()) transfer.headerLines += "\r\n";
    transfer.headerLines += line;
  }
  return length;
}

std::size_t OnBodyBytes(char* data, std::size_t size, std::size_t count,
                        void* user) {
  auto& transfer = *static_cast<Transfer*>(user);
  std::size_t length = size * count;
  transfer.watch.Moved(StallWatch::Clock::now());
  // Bytes counts in 32 bits; a longer body fails the exchange (returning
  // less than was handed over makes libcurl stop with a write error).
  auto room = static_cast<std::size_t>(
      std::numeric_limits<std::int32_t>::max() - transfer.body.size());
  if (length > room) return 0;
  transfer.body.Append(reinterpret_cast<const unsigned char*>(data),
                       static_cast<std::int32_t>(length));
  return length;
}

int OnProgress(void* user, curl_off_t /*downloadTotal*/, curl_off_t downloaded,
               curl_off_t uploadTotal, curl_off_t uploaded) {
  auto& transfer = *static_cast<Transfer*>(user);
  StallWatch::Clock::time_point now = StallWatch::Clock::now();
  if (downloaded != transfer.lastDown || uploaded != transfer.lastUp) {
    transfer.lastDown = downloaded;
    transfer.lastUp = uploaded;
    transfer.watch.Moved(now);
  }
  return transfer.watch.Stalled(now, uploaded < uploadTotal) ? 1 : 0;
}

int OnResolverStart(void* /*resolverState*/, void* /*reserved*/, void* user) {
  static_cast<Transfer*>(user)->watch.Connecting();
  return 0;
}

int OnNewSocket(void* user, curl_socket_t /*socket*/,
                curlsocktype /*purpose*/) {
  static_cast<Transfer*>(user)->watch.Connecting();
  return CURL_SOCKOPT_OK;
}

int OnRequestStarting(void* user, char* /*remoteIp*/, char* /*localIp*/,
                      int /*remotePort*/, int /*localPort*/) {
  static_cast<Transfer*>(user)->watch.RequestStarting(StallWatch::Clock::now());
  return CURL_PREREQFUNC_OK;
}

// Collects the outcome of many curl_easy_setopt calls: one failure fails the
// whole exchange, as a request that is not the one asked for must not go.
class Options {
 public:
  explicit Options(CURL* easy) : easy_(easy) {}

  template <typename Value>
  void Set(CURLoption option, Value value) {
    if (ok_ && curl_easy_setopt(easy_, option, value) != CURLE_OK) ok_ = false;
  }
  void Fail() { ok_ = false; }
  bool ok() const { return ok_; }

 private:
  CURL* easy_;
  bool ok_ = true;
};

// The host a URL names, as the cookie engine compares it (without the
// brackets of an IPv6 address); nothing when libcurl cannot parse the URL.
std::optional<std::string> UrlHostForCookies(const std::string& url) {
  CurlUrl parsed(curl_url());
  if (!parsed) return std::nullopt;
  if (curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) {
    return std::nullopt;
  }
  char* hostText = nullptr;
  if (curl_url_get(parsed.get(), CURLUPART_HOST, &hostText, 0) != CURLUE_OK) {
    return std::nullopt;
  }
  CurlString owner(hostText);
  std::string host(hostText);
  if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
    host = host.substr(1, host.size() - 2);
  }
  return host;
}

// The caller's "Cookie" field goes into the transfer's own cookie engine
// rather than out as a header line: libcurl would send a custom line beside
// its engine's (two Cookie lines on a later hop, a stale value next to a
// fresh one). As host-only cookies of the first URL's host they are sent on
// the first hop, replaced by an answer that sets the same name, and never
// sent to another host a redirect leads to. Over https they are marked
// secure: the engine drops "__Secure-" and "__Host-" cookies that are not,
// and a site that set one would never get it back.
void AddCallerCookies(const ExchangeRequest& request, Options& options) {
  const std::string* field = request.headers.Find("Cookie");
  if (field == nullptr) return;
  std::vector<CookiePair> cookies = SplitCookieHeader(*field);
  if (cookies.empty()) return;
  std::optional<std::string> host = UrlHostForCookies(request.url);
  if (!host) {
    options.Fail();
    return;
  }
  const char* secure =
      StartsWithIgnoringAsciiCase(request.url, "https://") ? "TRUE" : "FALSE";
  for (const CookiePair& cookie : cookies) {
    // A tab would split the cookie file line; such a cookie cannot be kept.
    if (cookie.name.find('\t') != std::string::npos ||
        cookie.value.find('\t') != std::string::npos) {
      continue;
    }
    // Netscape format: domain, subdomains, path, secure, expiry (0: this
    // session only), name, value.
    std::string line = *host + "\tFALSE\t/\t" + secure + "\t0\t" + cookie.name +
                       "\t" + cookie.value;
    options.Set(CURLOPT_COOKIELIST, line.c_str());
  }
}

void SetMethodAndBody(const ExchangeRequest& request, Options& options) {
  if (request.method == "HEAD") {
    options.Set(CURLOPT_NOBODY, 1L);
  } else if (request.method == "GET" && request.body.empty()) {
    options.Set(CURLOPT_HTTPGET, 1L);
  } else {
    options.Set(CURLOPT_POST, 1L);
    options.Set(CURLOPT_POSTFIELDSIZE_LARGE,
                static_cast<curl_off_t>(request.body.size()));
    options.Set(CURLOPT_POSTFIELDS, request.body.data());
    if (request.method != "POST") {
      options.Set(CURLOPT_CUSTOMREQUEST, request.method.c_str());
    }
  }
}

}  // namespace

long ConnectLimitMs(const HttpTimeouts& timeouts) {
  if (timeouts.connect <= 0) return kNoConnectLimitMs;
  std::int64_t limit = std::int64_t{timeouts.connect} +
                       std::max<std::int64_t>(timeouts.resolve, 0);
  return static_cast<long>(std::min<std::int64_t>(limit, kNoConnectLimitMs));
}

ExchangeAnswer PerformExchange(const ExchangeRequest& request) {
  // What the easy handle points to is declared before it, so that it is
  // freed after the handle is gone.
  Transfer transfer(request.timeouts);
  CurlHeaderList headerList;
  for (const std::string& line : CurlHeaderLines(request.headers)) {
    if (!headerList.Append(line.c_str())) return {};
  }
  // curl_easy_init initialises the library on first use; this program has
  // one thread, so that lazy start is safe.
  CurlEasy easy(curl_easy_init());
  if (!easy) return {};

  Options options(easy.get());
  options.Set(CURLOPT_URL, request.url.c_str());
  options.Set(CURLOPT_PROTOCOLS_STR, "http,https");
  options.Set(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  // Header names must reach the caller as the server wrote them; HTTP/2
  // lower-cases them all.
  options.Set(CURLOPT_HTTP_VERSION, long{CURL_HTTP_VERSION_1_1});
  // Certificate and host name checks stay at libcurl's defaults (on, against
  // the system's trusted authorities); nothing here may loosen them.
  options.Set(CURLOPT_FOLLOWLOCATION, request.followRedirects ? 1L : 0L);
  options.Set(CURLOPT_MAXREDIRS, kMaxRedirects);
  // An in-memory cookie engine for this transfer alone: no file is read or
  // written, and it goes with the easy handle.
  options.Set(CURLOPT_COOKIEFILE, "");
  AddCallerCookies(request, options);
  // The body is handed back as the server sent it, compressed or not.
  options.Set(CURLOPT_HTTP_CONTENT_DECODING, 0L);
  options.Set(CURLOPT_HTTPHEADER, headerList.get());
  options.Set(CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
  options.Set(CURLOPT_NOSIGNAL, 1L);
  SetMethodAndBody(request, options);

  options.Set(CURLOPT_CONNECTTIMEOUT_MS, ConnectLimitMs(request.timeouts));
  options.Set(CURLOPT_NOPROGRESS, 0L);
  options.Set(CURLOPT_XFERINFOFUNCTION, OnProgress);
  options.Set(CURLOPT_XFERINFODATA, &transfer);
  options.Set(CURLOPT_RESOLVER_START_FUNCTION, OnResolverStart);
  options.Set(CURLOPT_RESOLVER_START_DATA, &transfer);
  options.Set(CURLOPT_SOCKOPTFUNCTION, OnNewSocket);
  options.Set(CURLOPT_SOCKOPTDATA, &transfer);
  options.Set(CURLOPT_PREREQFUNCTION, OnRequestStarting);
  options.Set(CURLOPT_PREREQDATA, &transfer);

  options.Set(CURLOPT_HEADERFUNCTION, OnHeaderLine);
  options.Set(CURLOPT_HEADERDATA, &transfer);
  options.Set(CURLOPT_WRITEFUNCTION, OnBodyBytes);
  options.Set(CURLOPT_WRITEDATA, &transfer);
  if (!options.ok()) return {};

  if (curl_easy_perform(easy.get()) != CURLE_OK) return {};
  ExchangeAnswer answer;
  answer.arrived = true;
  answer.body = std::move(transfer.body);
  answer.headerLines = std::move(transfer.headerLines);
  return answer;
}

}  // namespace quorrin::platform::http
