// The name of one item of a cookie text, and how two names are compared.
//
// Both the merging of cookie texts and the store lookup of one cookie match
// names whole, so a name never finds another cookie that merely contains it.

#ifndef QUORRIN_WEB_COOKIE_ITEM_H_
#define QUORRIN_WEB_COOKIE_ITEM_H_

#include "text/text.h"

namespace quorrin {

// Sets `name` to the item's text before its first "=", trimmed, and returns
// true; returns false, leaving `name` alone, for an item without "=" (a bare
// attribute word, which names no cookie). ' b=x=y' has the name 'b'.
bool CookieItemName(const Text& item, Text& name);

// Whether two names are equal with ASCII letter case folded on every byte.
bool SameNameIgnoringAsciiCase(const Text& a, const Text& b);

}  // namespace quorrin

#endif  // QUORRIN_WEB_COOKIE_ITEM_H_
