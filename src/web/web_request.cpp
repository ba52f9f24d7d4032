#include "web/web_request.h"

#include <cstdint>

#include "platform/platform.h"
#include "text/extract.h"
#include "text/text_ops.h"
#include "web/apartment_scope.h"
#include "web/cookie_merge.h"
#include "web/cookie_store_bridge.h"
#include "web/default_headers.h"

namespace quorrin {

namespace {

constexpr char kProgId[] = "WinHttp.WinHttpRequest.5.1";
constexpr std::int32_t kDefaultTimeoutMilliseconds = 15000;
// The largest count of seconds whose milliseconds fit a signed 32-bit value.
constexpr std::int32_t kMaxTimeoutSeconds = 2147483;
// The object's Option index that lets it follow redirects.
constexpr std::int32_t kEnableRedirectsOption = 6;

void SetTimeouts(platform::HttpRequestObject& request,
                 std::int32_t timeoutSeconds) {
  if (timeoutSeconds == -1) return;  // The object's own time-outs stay.
  std::int32_t milliseconds = kDefaultTimeoutMilliseconds;
  if (timeoutSeconds >= 1) {
    milliseconds = (timeoutSeconds > kMaxTimeoutSeconds ? kMaxTimeoutSeconds
                                                        : timeoutSeconds) *
                   1000;
  }
  request.SetTimeouts(milliseconds, milliseconds, milliseconds, milliseconds);
}

// The name is the text before the first ":", the value the rest with its
// leading space; a line ending in ":" loses that one ":" (its last piece is
// no member of the split), and one with nothing after its ":" an empty value.
void SetHeaderLine(platform::HttpRequestObject& request, const Text& line) {
  if (FindText(line, ":", false) == -1) return;
  const TextArray pieces = SplitText(line, ":");
  Text value;
  if (MemberCount(pieces) >= 2) value = pieces[2];
  for (std::int32_t i = 3; i <= MemberCount(pieces); ++i) {
    value = ConcatText(value, ":", pieces[i]);
  }
  request.SetRequestHeader(pieces[1], value);
}

void SetHeaderLines(platform::HttpRequestObject& request, const Text& headers) {
  if (FindText(headers, "\r\n", false) == -1) {
    SetHeaderLine(request, headers);
    return;
  }
  const TextArray lines = SplitText(headers, "\r\n");
  for (std::int32_t i = 1; i <= MemberCount(lines); ++i) {
    SetHeaderLine(request, lines[i]);
  }
}

// Takes the redirect target and the cookies set out of the answer's header
// lines. A later "Location:" line overwrites an earlier one.
void ReadResponseHeaders(WebRequestParams& params) {
  params.newCookies = Text();
  const TextArray lines = SplitText(params.responseHeaders, "\r\n");
  for (std::int32_t i = 1; i <= MemberCount(lines); ++i) {
    const Text& line = lines[i];
    if (FindText(line, "Location:", false) != -1) {
      params.location =
          TrimText(ReplaceText(line, "Location:", Text(), 1, 1, false));
    }
    if (FindText(line, "Set-Cookie", false) != -1) {
      Text left = "Set-Cookie:";
      Text right = ";";
      const Text item = TrimText(MiddleText(line, left, right));
      params.newCookies = ConcatText(params.newCookies, item, "; ");
    }
  }
}

}  // namespace

Bytes WebRequest(WebRequestParams& params) {
  const ApartmentScope apartment;
  platform::HttpRequestObject request =
      platform::HttpRequestObject::Create(kProgId);
  if (!request) return Bytes();

  params.method = UpperText(params.method);
  if (TextLength(params.method) == 0) params.method = "GET";

  SetTimeouts(request, params.timeoutSeconds);
  request.Open(params.method, params.url, false);
  if (params.noRedirect) request.SetOption(kEnableRedirectsOption, 0);
  if (TextLength(params.headers) == 0) {
    params.headers = DefaultHeaders(params.url);
  }

  // The caller's cookies are laid over those the store holds for the host.
  Text stored = ReadStoreCookies(UrlHost(params.url, true, false));
  params.cookies = MergeCookies(stored, params.cookies);
  if (TextLength(params.cookies) > 0) {
    request.SetRequestHeader("Cookie", params.cookies);
  }
  SetHeaderLines(request, params.headers);

  if (CompareBytes(params.postBytes, Bytes()) != 0) {
    request.Send(params.postBytes);
  } else {
    request.Send(params.postText);
  }

  Bytes body = request.ResponseBody();
  params.responseHeaders = request.GetallResponseHeaders();
  ReadResponseHeaders(params);

  // The answer's cookies are laid over the set sent, and the whole set goes
  // back to the store; MergeCookies leaves its results in both variables.
  static_cast<void>(MergeCookies(params.cookies, params.newCookies));
  WriteStoreCookies(UrlHost(params.url, true, false), params.cookies);

  if (TextLength(params.location) == 0) {
    params.location = params.responseHeaders;
  }
  request.Release();
  return body;
}

}  // namespace quorrin
