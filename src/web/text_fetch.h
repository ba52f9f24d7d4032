// FetchText: a web request whose answer body comes back as code page 936
// text, read as UTF-8 whatever charset the server declares.

#ifndef QUORRIN_WEB_TEXT_FETCH_H_
#define QUORRIN_WEB_TEXT_FETCH_H_

#include "text/text.h"
#include "web/web_request.h"

namespace quorrin {

// Hands `params` to WebRequest unchanged; its writes reach the caller.
Text FetchText(WebRequestParams& params);

// UTF-8 to code page 936 through UTF-16, each step measured, then converted.
Text Utf8ToLocal(const Bytes& utf8);
// UTF-16 as little-endian byte pairs, no terminating zero unit.
Bytes Utf8ToWide(const Bytes& utf8);
// An odd last byte is ignored; the text ends before the first zero byte.
Text WideToGbk(const Bytes& utf16);

}  // namespace quorrin

#endif  // QUORRIN_WEB_TEXT_FETCH_H_
