#include "resolve/share_link.h"

#include <utility>

#include "app/last_result.h"
#include "text/extract.h"
#include "text/text_ops.h"
#include "web/text_fetch.h"
#include "web/web_request.h"

namespace quorrin {

namespace {

constexpr char kIdentifierStart[] = "v1/playwm/?video_id=";
constexpr char kIdentifierEnd[] = "&";
// The play endpoint is the page's own address without the "wm" (watermark).
constexpr char kPlayAddressStart[] =
    "https://aweme.snssdk.com/aweme/v1/play/?video_id=";
constexpr char kPlayAddressEnd[] = "&line=0";
// The play endpoint answers a mobile browser with a redirect whose body names
// the address; "user-agent" in lower case, one line.
constexpr char kMobileUserAgentHeader[] =
    "user-agent: Mozilla/5.0 (Linux; Android 6.0; Nexus 5 Build/MRA58N) "
    "AppleWebKit/537.36 (KHTML, like Gecko) Chrome/71.0.3578.80 Mobile "
    "Safari/537.36";
constexpr char kAddressStart[] = "href=\"";
constexpr char kAddressEnd[] = "\"";

}  // namespace

Text ResolveShareLink(const Text& link) {
  WebRequestParams first;
  first.url = link;
  const Text page = FetchText(first);

  Text identifierStart = kIdentifierStart;
  Text identifierEnd = kIdentifierEnd;
  const Text identifier = MiddleText(page, identifierStart, identifierEnd);

  WebRequestParams second;
  second.url = ConcatText(kPlayAddressStart, identifier, kPlayAddressEnd);
  second.headers = kMobileUserAgentHeader;
  second.noRedirect = true;
  const Text answer = FetchText(second);

  Text addressStart = kAddressStart;
  Text addressEnd = kAddressEnd;
  return MiddleText(answer, addressStart, addressEnd);
}

void OnResolveClick(platform::ResolveControls& controls) {
  Text result = ResolveShareLink(controls.Read编辑框1());
  LastResult = std::move(result);
  controls.Write编辑框2(LastResult);
}

}  // namespace quorrin
