// The fatal error's box for a program without a window: the message, in
// UTF-8, on standard error.

#include <unicode/ucnv.h>

#include <cstdio>

#include "platform/platform.h"

namespace quorrin::platform {
namespace {

// Each code page 936 byte becomes at most three UTF-8 bytes (a byte that is
// no character becomes U+FFFD); the messages raised are far shorter.
constexpr int kUtf8Capacity = 4096;

}  // namespace

void ShowFatalErrorBox(const char* message) {
  // Memory may be what ran out, and the text values' allocator would raise
  // this error again from inside it: the text goes through a buffer on the
  // stack, and ICU, which reports a failed allocation instead of raising.
  char utf8[kUtf8Capacity];
  UErrorCode status = U_ZERO_ERROR;
  ucnv_convert("UTF-8", "windows-936-2000", utf8, sizeof utf8, message, -1,
               &status);
  const bool converted =
      U_SUCCESS(status) && status != U_STRING_NOT_TERMINATED_WARNING;
  // The raw bytes when it cannot be converted: better than no message.
  // Unchecked on purpose: standard error is the last place to report to.
  static_cast<void>(std::fputs(converted ? utf8 : message, stderr));
  static_cast<void>(std::fflush(stderr));
}

}  // namespace quorrin::platform
