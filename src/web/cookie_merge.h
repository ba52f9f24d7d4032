// Merging one cookie text into another.
//
// A cookie text is a run of items separated by ";", each normally a name, "="
// and a value, as a "Cookie" request header carries them. Its canonical form
// ends every item with "; " and is then trimmed: 'a=1; b=2;'. The empty text
// means no cookies.

#ifndef QUORRIN_WEB_COOKIE_MERGE_H_
#define QUORRIN_WEB_COOKIE_MERGE_H_

#include "text/text.h"

namespace quorrin {

// Lays the items of `update` over `base`: an update item replaces, in place,
// every base item of the same name (names trimmed, ASCII case ignored, matched
// whole), and joins the end otherwise. Items without "=" in `update` are
// ignored; in `base` they are carried along and never match a name. Items
// ending in "=" or in "=deleted" (exact case) are then dropped.
//
// Both arguments are the caller's variables: `base` ends in canonical form,
// `update` trimmed and, unless empty, ending in ";". Returns a copy of `base`.
//
//   base 'b=2; x=1', update 'a=5; b=3'  ->  'b=3; x=1; a=5;'
//   base 'sub=1; b=2', update 'b=3'     ->  'sub=1; b=3;'
Text MergeCookies(Text& base, Text& update);

}  // namespace quorrin

#endif  // QUORRIN_WEB_COOKIE_MERGE_H_
