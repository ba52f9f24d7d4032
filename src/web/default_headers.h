// The request header block sent when the caller gives none: a desktop
// browser's, with the request's own URL as its referrer.

#ifndef QUORRIN_WEB_DEFAULT_HEADERS_H_
#define QUORRIN_WEB_DEFAULT_HEADERS_H_

#include "text/text.h"
#include "text/text_ops.h"

namespace quorrin {

// Follows "Referer: " + url; the block has no CR LF after its last line.
inline constexpr char kDefaultHeadersAfterReferer[] =
    "\r\nAccept: */*"
    "\r\nAccept-Language: zh-cn"
    "\r\nUser-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; "
    "Trident/5.0)"
    "\r\nContent-Type: application/x-www-form-urlencoded";

// Five lines joined by CR LF, the first "Referer: " + `url` as given.
inline Text DefaultHeaders(const Text& url) {
  return ConcatText("Referer: ", url, kDefaultHeadersAfterReferer);
}

}  // namespace quorrin

#endif  // QUORRIN_WEB_DEFAULT_HEADERS_H_
