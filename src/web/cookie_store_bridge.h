// The bridge between cookie texts and the user's cookie store.
//
// The store is the platform's (see platform/platform.h), shared with the
// user's other programs. These routines take a URL or a bare host; the web
// request routine passes the host cut to two labels, so everything it reads
// and writes goes to "http://" + that host.

#ifndef QUORRIN_WEB_COOKIE_STORE_BRIDGE_H_
#define QUORRIN_WEB_COOKIE_STORE_BRIDGE_H_

#include "text/text.h"

namespace quorrin {

// The host part of `url`, lower-cased (ASCII letters only). A scheme counts
// only as the first bytes of `url` ("http://" or "https://", ASCII case
// ignored); the host runs from there to the first "/", "?" or "#", or the
// end, less any user info up to an "@". The port is cut off unless
// `keepPort`; with `twoLabels` only the last two dot-separated labels are
// kept.
//
//   UrlHost("HTTPS://A.B.C:81/d")              == "a.b.c"
//   UrlHost("https://A.B.C:81/d", true)        == "b.c"
//   UrlHost("https://A.B.C:81/d", false, true) == "a.b.c:81"
//   UrlHost("http://u:p@a.b?q=.c.d", true)     == "a.b"
Text UrlHost(const Text& url, bool twoLabels = false, bool keepPort = false);

// The store's cookie text for the host of `url` (items joined by "; "), or,
// when `cookieName` is given, the value of the cookie of that whole name
// (trimmed, ASCII case ignored). The https lookup counts for a `url` that
// begins "https://", the http one otherwise; both are always made. A text too
// long for the first buffer is asked for again at the size the store reports.
// The empty text when the store has nothing or the name is absent.
Text ReadStoreCookies(const Text& url, const Text& cookieName = {});

// Writes each "name=value" item of `cookieText` to the store, for "https://"
// + host when `url` begins "https://" (ASCII case ignored), "http://" + host
// otherwise. Names and values are passed untrimmed; a value keeps its own
// "=". Items without "=", or whose only "=" is their last byte, are skipped.
// A write the store refuses is ignored.
void WriteStoreCookies(const Text& url, const Text& cookieText);

}  // namespace quorrin

#endif  // QUORRIN_WEB_COOKIE_STORE_BRIDGE_H_
