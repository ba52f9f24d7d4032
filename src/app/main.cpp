// The window program's start-up: the window system, the exit routine, then
// the main window until the user closes it.

#include <cstdio>
#include <cstdlib>

#include "app/last_result.h"
#include "app/main_window_layout.h"
#include "platform/platform.h"
#include "resolve/share_link.h"

int main() {
  if (!quorrin::platform::StartWindowSystem()) {
    std::fputs(
        "quorrin: no display is available here; resolve a link without a "
        "window instead: quorrin-cli LINK\n",
        stderr);
    return 1;
  }
  // Unchecked: without the routine, LastResult goes with the static
  // destructors at the same exit, so nothing is lost.
  static_cast<void>(std::atexit(quorrin::ReleaseGlobals));
  quorrin::platform::RunMainWindow(quorrin::kMainWindowLayout,
                                   quorrin::OnResolveClick);
  quorrin::platform::StopWindowSystem();
  return 0;
}
