// The fatal error's box for test programs: the message's code page 936
// bytes, unconverted, on standard error, so tests can compare them exactly.

#include <cstdio>
#include <cstring>

#include "platform/platform.h"

namespace quorrin::platform {

void ShowFatalErrorBox(const char* message) {
  // The process ends right after; a failed write has no one to be told.
  static_cast<void>(std::fwrite(message, 1, std::strlen(message), stderr));
  static_cast<void>(std::fflush(stderr));
}

}  // namespace quorrin::platform
