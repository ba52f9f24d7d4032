// MergeCookies on any two cookie texts. The input is the base, a zero byte,
// then the update (a Text holds no zero byte, so nothing is lost by it).
//
// Checked: the result is in canonical form (every item trimmed, "; " between
// items, a final ";" and no trailing space, no item left that ends in "=" or
// "=deleted"); `base` holds the result and `update` its own trimmed,
// ";"-ended form; the last update item of each name is in the result unless
// it clears the cookie; merging the result again with nothing changes
// nothing.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "text/text.h"
#include "text/text_ops.h"
#include "web/cookie_item.h"
#include "web/cookie_merge.h"

namespace {

using quorrin::Text;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "MergeCookies: %s\n", what);
  std::abort();
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         text.substr(text.size() - suffix.size()) == suffix;
}

bool ClearsCookie(const Text& item) {
  return EndsWith(item.view(), "=") || EndsWith(item.view(), "=deleted");
}

// A cookie text trimmed and, unless empty, ending in ";": how both inputs
// are read.
Text Terminated(const Text& cookies) {
  Text terminated = quorrin::TrimText(cookies);
  if (!terminated.empty() && !EndsWith(terminated.view(), ";")) {
    terminated.Append(";");
  }
  return terminated;
}

void CheckCanonical(const Text& merged) {
  if (merged.empty()) return;
  if (!EndsWith(merged.view(), ";")) Fail("the result does not end in \";\"");
  const quorrin::TextArray items = quorrin::SplitText(merged, ";");
  for (std::int32_t i = 1; i <= quorrin::MemberCount(items); ++i) {
    std::string_view item = items[i].view();
    // Every item after the first comes after "; ".
    if (i > 1) {
      if (item.empty() || item.front() != ' ') {
        Fail("an item does not follow \"; \"");
      }
      item.remove_prefix(1);
    }
    const Text bare(item);
    if (quorrin::TrimText(bare) != bare) Fail("an item is not trimmed");
    if (ClearsCookie(bare)) Fail("an item ends in \"=\" or \"=deleted\"");
  }
}

// The last update item of each name, trimmed, must be an item of `merged`
// unless it clears the cookie: a later item of a name replaces an earlier
// one, and base items of that name are replaced in place.
void CheckUpdateWins(const Text& update, const Text& merged) {
  const quorrin::TextArray pieces = quorrin::SplitText(Terminated(update), ";");
  const quorrin::TextArray items = quorrin::SplitText(merged, ";");
  for (std::int32_t i = 1; i <= quorrin::MemberCount(pieces); ++i) {
    Text name;
    if (!quorrin::CookieItemName(pieces[i], name)) continue;
    bool laterOfSameName = false;
    for (std::int32_t j = i + 1; j <= quorrin::MemberCount(pieces); ++j) {
      Text other;
      if (quorrin::CookieItemName(pieces[j], other) &&
          quorrin::SameNameIgnoringAsciiCase(name, other)) {
        laterOfSameName = true;
        break;
      }
    }
    const Text wanted = quorrin::TrimText(pieces[i]);
    if (laterOfSameName || ClearsCookie(wanted)) continue;
    bool present = false;
    for (std::int32_t j = 1; j <= quorrin::MemberCount(items) && !present;
         ++j) {
      present = quorrin::TrimText(items[j]) == wanted;
    }
    if (!present) Fail("an update item is missing from the result");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t zero = input.find('\0');
  const Text baseIn(input.substr(0, zero));
  const Text updateIn(zero == std::string_view::npos ? std::string_view()
                                                     : input.substr(zero + 1));

  Text base = baseIn;
  Text update = updateIn;
  const Text merged = quorrin::MergeCookies(base, update);
  if (base != merged) Fail("base does not hold the result");
  if (update != Terminated(updateIn)) {
    Fail("update is not left trimmed and ending in \";\"");
  }
  CheckCanonical(merged);
  CheckUpdateWins(updateIn, merged);

  Text again = merged;
  Text nothing;
  if (quorrin::MergeCookies(again, nothing) != merged || again != merged) {
    Fail("merging the result again with nothing changes it");
  }
  if (!nothing.empty()) Fail("an empty update does not stay empty");
  return 0;
}
