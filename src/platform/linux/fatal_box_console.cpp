// The fatal error's box for a program without a window: the message, in
// UTF-8, on standard error.

#include <cstdio>

#include "platform/linux/utf8_edge.h"
#include "platform/platform.h"

namespace quorrin::platform {

void ShowFatalErrorBox(const char* message) {
  // On the stack: memory may be what ran out. The messages raised are far
  // shorter than a third of it; a longer one goes out unconverted.
  char utf8[4096];
  // Unchecked on purpose: standard error is the last place to report to.
  static_cast<void>(
      std::fputs(GbkToUtf8InBuffer(message, utf8, sizeof utf8), stderr));
  static_cast<void>(std::fflush(stderr));
}

}  // namespace quorrin::platform
