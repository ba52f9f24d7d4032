// Turning a share link into the direct download address of its video.

#ifndef QUORRIN_RESOLVE_SHARE_LINK_H_
#define QUORRIN_RESOLVE_SHARE_LINK_H_

#include "platform/platform.h"
#include "text/text.h"

namespace quorrin {

// Two requests: the share link, followed to the page that names the video's
// identifier; then the play endpoint for that identifier, not followed, whose
// answer names the address. The empty text when anything on the way fails.
// `link` is used exactly as given.
Text ResolveShareLink(const Text& link);

// The handler of 按钮1: reads 编辑框1, resolves it, replaces LastResult and
// shows it in 编辑框2, also when it is empty.
void OnResolveClick(platform::ResolveControls& controls);

}  // namespace quorrin

#endif  // QUORRIN_RESOLVE_SHARE_LINK_H_
