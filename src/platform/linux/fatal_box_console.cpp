// The fatal error's box for a program without a window: the message, in
// UTF-8, on standard error.

#include <cstdio>
#include <cstring>

#include "platform/linux/utf8_edge.h"
#include "platform/platform.h"

namespace quorrin::platform {

void ShowFatalErrorBox(const char* message) {
  // Converting needs memory, which may be what ran out; the raw bytes then.
  std::string utf8;
  try {
    utf8 = GbkToUtf8(message);
  } catch (...) {
  }
  std::fputs(utf8.empty() ? message : utf8.c_str(), stderr);
  std::fflush(stderr);
}

}  // namespace quorrin::platform
