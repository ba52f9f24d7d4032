#include "text/fatal_error.h"

#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"

namespace quorrin {

namespace {

// 运行时出错!\r\n\r\n
constexpr char kHeading[] = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n";
// 错误代码：
constexpr char kCodeLabel[] = "\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB\xA3\xBA";
// 错误信息：
constexpr char kMessageLabel[] = "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";

}  // namespace

const char* ComposeFatalErrorText(std::int32_t code, const char* message,
                                  char* out, std::int32_t capacity) {
  const bool hasMessage = message != nullptr && message[0] != '\0';
  if (code != 0 && hasMessage) {
    std::snprintf(out, capacity, "%s%s%d\r\n\r\n%s%s\r\n", kHeading,
                  kCodeLabel, static_cast<int>(code), kMessageLabel, message);
  } else if (code != 0) {
    std::snprintf(out, capacity, "%s%s%d\r\n\r\n", kHeading, kCodeLabel,
                  static_cast<int>(code));
  } else if (hasMessage) {
    std::snprintf(out, capacity, "%s%s%s\r\n", kHeading, kMessageLabel,
                  message);
  } else {
    std::snprintf(out, capacity, "%s", kHeading);
  }
  return out;
}

void RaiseFatalError(std::int32_t code, const char* message) {
  // On the stack: this may run because memory ran out.
  char text[1024];
  platform::ShowFatalErrorBox(
      ComposeFatalErrorText(code, message, text, sizeof text));
  // _Exit, not exit: the exit routine must not run after a fatal error.
  std::_Exit(-1);
}

}  // namespace quorrin
