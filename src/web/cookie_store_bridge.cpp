#include "web/cookie_store_bridge.h"

#include <cstdint>
#include <limits>

#include "platform/platform.h"
#include "text/text_ops.h"
#include "web/cookie_item.h"

namespace quorrin {

namespace {

constexpr std::uint32_t kReadBufferSize = 1024;

// Whether `url` begins with `scheme`, ASCII case ignored.
bool StartsWithScheme(const Text& url, const Text& scheme) {
  return CompareText(LowerText(LeftText(url, TextLength(scheme))), scheme) == 0;
}

// Where the host part that begins at `start` ends: at the first "/", "?" or
// "#", as the request itself reads the URL, or just past the end. Stopping only
// at "/" would let 'other.example?.victim.example' name victim.example, and
// send its cookies to other.example.
std::int32_t AuthorityEnd(const Text& url, std::int32_t start) {
  std::int32_t end = TextLength(url) + 1;
  for (const char* stop : {"/", "?", "#"}) {
    const std::int32_t found = FindText(url, stop, start, false);
    if (found != -1 && found < end) end = found;
  }
  return end;
}

// The store's cookie text for `url` into `text`; false when it has none.
// Each lookup has its own buffer, so the answer of one URL never stands in
// for the other's.
bool LookupCookieText(const Text& url, Text& text) {
  std::uint32_t capacity = kReadBufferSize;
  for (int attempt = 0; attempt < 2; ++attempt) {
    Bytes buffer = BlankBytes(static_cast<std::int32_t>(capacity));
    std::uint32_t size = capacity;
    if (platform::LookupStoreCookies(
            url, Text(), reinterpret_cast<char*>(buffer.data()), size)) {
      text = TextFromBytes(buffer);
      return true;
    }
    // A text that did not fit comes with the size it needs and is asked for
    // once more at that size; any other failure means "nothing stored".
    if (size <= capacity ||
        size > static_cast<std::uint32_t>(
                   std::numeric_limits<std::int32_t>::max())) {
      return false;
    }
    capacity = size;
  }
  return false;
}

// The value of the item named `cookieName`, whole name, case folded.
Text NamedValue(const Text& cookieText, const Text& cookieName) {
  const Text wanted = TrimText(cookieName);
  const TextArray items = SplitText(cookieText, ";");
  for (std::int32_t i = 1; i <= MemberCount(items); ++i) {
    Text name;
    if (!CookieItemName(items[i], name) ||
        !SameNameIgnoringAsciiCase(name, wanted)) {
      continue;
    }
    const std::int32_t valueStart = FindText(items[i], "=", false) + 1;
    return MidText(items[i], valueStart, TextLength(items[i]));
  }
  return Text();
}

}  // namespace

Text UrlHost(const Text& url, bool twoLabels, bool keepPort) {
  const Text u = url;
  std::int32_t start = 1;
  if (StartsWithScheme(u, "http://")) {
    start = 1 + 7;
  } else if (StartsWithScheme(u, "https://")) {
    start = 1 + 8;
  }

  Text host = MidText(u, start, AuthorityEnd(u, start) - start);
  // User info is no part of the host: 'victim.example:x@other.example' must
  // not read as victim.example once its ":" is cut.
  for (std::int32_t at = FindText(host, "@", false); at != -1;
       at = FindText(host, "@", false)) {
    host = MidText(host, at + 1, TextLength(host));
  }

  if (!keepPort) {
    const std::int32_t colon = FindText(host, ":", false);
    if (colon != -1) host = LeftText(host, colon - 1);
  }
  host = LowerText(host);

  if (twoLabels) {
    const TextArray labels = SplitText(host, ".");
    const std::int32_t count = MemberCount(labels);
    if (count >= 2) {
      host = ConcatText(labels[count - 1], ".", labels[count]);
    }
  }
  return host;
}

Text ReadStoreCookies(const Text& url, const Text& cookieName) {
  const bool secure = StartsWithScheme(url, "https://");
  const Text host = UrlHost(url);

  // Both lookups always run, https first.
  Text secureText;
  const bool first = LookupCookieText(ConcatText("https://", host), secureText);
  Text plainText;
  const bool second = LookupCookieText(ConcatText("http://", host), plainText);

  if (!(secure ? first : second)) return Text();
  const Text& stored = secure ? secureText : plainText;
  if (TextLength(cookieName) == 0) return stored;
  return NamedValue(stored, cookieName);
}

void WriteStoreCookies(const Text& url, const Text& cookieText) {
  const bool secure = StartsWithScheme(url, "https://");
  const Text target = ConcatText(secure ? "https://" : "http://", UrlHost(url));

  const TextArray pieces = SplitText(cookieText, ";");
  for (std::int32_t i = 1; i <= MemberCount(pieces); ++i) {
    const Text& piece = pieces[i];
    if (FindText(piece, "=", false) == -1) continue;
    const TextArray parts = SplitText(piece, "=");
    // 'b=' and '=' split into one part: there is no value to write.
    if (MemberCount(parts) < 2) continue;
    Text value = parts[2];
    for (std::int32_t j = 3; j <= MemberCount(parts); ++j) {
      value = ConcatText(value, "=", parts[j]);
    }
    // A refused write is not fatal to the others: the store is shared, and
    // the request it follows has already succeeded or failed.
    static_cast<void>(platform::WriteStoreCookie(target, parts[1], value));
  }
}

}  // namespace quorrin
