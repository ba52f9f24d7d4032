// WebRequest: the one routine that speaks HTTP.
//
// One synchronous exchange through the platform's HTTP request object, with
// the user's cookie store read before and written after it. Every field of
// WebRequestParams is the caller's own variable; the routine writes the
// in/out and out fields back into it.

#ifndef QUORRIN_WEB_WEB_REQUEST_H_
#define QUORRIN_WEB_WEB_REQUEST_H_

#include <cstdint>

#include "text/text.h"

namespace quorrin {

// The eleven values of one request, in their order. A value left out is the
// empty one; the routine never tells the two apart.
struct WebRequestParams {
  Text url;              // in
  Text method;           // in/out: upper-cased; "GET" when empty
  Text postText;         // in: the body when postBytes is empty
  Text cookies;          // in/out: the cookie set after the exchange
  Text newCookies;       // out: the cookies this answer set
  Text headers;          // in/out: CR LF separated; the default block if empty
  Text location;         // out: the redirect target, else the header text
  bool noRedirect = false;
  std::int32_t timeoutSeconds = 0;  // -1: the object's own; below 1: 15 s
  Text responseHeaders;  // out
  Bytes postBytes;       // in: sent instead of postText when not empty
};

// The answer's body; empty when the request object cannot be created (and
// then no field is written) or when no answer arrived.
Bytes WebRequest(WebRequestParams& params);

}  // namespace quorrin

#endif  // QUORRIN_WEB_WEB_REQUEST_H_
