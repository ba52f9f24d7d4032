// One HTTP/1.1 exchange on libcurl, redirects included: what the request
// object's Send does once the request is complete.
//
// Texts here are UTF-8 (URL, method, header fields, text bodies); the object
// converts from and to code page 936 at its edge.

#ifndef QUORRIN_PLATFORM_LINUX_HTTP_EXCHANGE_CURL_H_
#define QUORRIN_PLATFORM_LINUX_HTTP_EXCHANGE_CURL_H_

#include <cstdint>
#include <string>

#include "platform/linux/http_request_headers.h"
#include "text/text.h"

namespace quorrin::platform::http {

// Milliseconds per phase; 0 means no limit. The defaults are the platform
// object's own, for a request whose caller never set time-outs.
struct HttpTimeouts {
  std::int32_t resolve = 0;
  std::int32_t connect = 60000;
  std::int32_t send = 30000;
  std::int32_t receive = 30000;
};

// The one limit libcurl puts on looking up and connecting together (the TLS
// handshake included): resolve + connect, a resolve without limit adding
// nothing (the system's resolver ends its own attempts), and no limit (some
// 24 days, the largest figure the option takes for sure) when connect has
// none.
//   ConnectLimitMs({.resolve = 1000, .connect = 1000}) == 2000
long ConnectLimitMs(const HttpTimeouts& timeouts);

struct ExchangeRequest {
  std::string method;  // an HTTP token
  std::string url;     // as WireUrl gives it
  RequestHeaders headers;
  std::string body;  // sent unless the method is GET and it is empty
  bool followRedirects = true;
  HttpTimeouts timeouts;
};

struct ExchangeAnswer {
  // False when the exchange failed anywhere (no connection, a time-out, a
  // broken answer, more than 10 redirects); then the rest is empty.
  bool arrived = false;
  // The final answer's body as it came (no content decoding).
  Bytes body;
  // The final answer's header lines as the server wrote them, without the
  // status line, joined by CR LF.
  std::string headerLines;
};

// Runs the exchange to its end. Cookies set by an answer are sent on the
// later hops of the same exchange; the caller's "Cookie" field is sent as
// host-only cookies of the URL's host, so it merges with those. Nothing is
// kept afterwards.
ExchangeAnswer PerformExchange(const ExchangeRequest& request);

}  // namespace quorrin::platform::http

#endif  // QUORRIN_PLATFORM_LINUX_HTTP_EXCHANGE_CURL_H_
