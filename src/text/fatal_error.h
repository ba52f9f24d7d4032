// The fatal run-time error: the one error the program ever reports.
//
// It shows the message box (through the platform's hook), then ends the
// process at once with exit code -1. The exit routine registered at start-up
// does not run, and nothing is unwound.

#ifndef QUORRIN_TEXT_FATAL_ERROR_H_
#define QUORRIN_TEXT_FATAL_ERROR_H_

#include <cstdint>

namespace quorrin {

// The codes and messages of the errors this program raises. The messages are
// code page 936 bytes; each comment gives the characters.
inline constexpr std::int32_t kMemberNumberTooLargeCode = 1;
// 数组成员引用下标超出定义范围
inline constexpr char kMemberNumberTooLargeMessage[] =
    "\xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xD2\xFD\xD3\xC3\xCF\xC2\xB1\xEA\xB3\xAC"
    "\xB3\xF6\xB6\xA8\xD2\xE5\xB7\xB6\xCE\xA7";
inline constexpr std::int32_t kMemberNumberTooSmallCode = 4;
// 数组成员引用下标必须大于等于1
inline constexpr char kMemberNumberTooSmallMessage[] =
    "\xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xD2\xFD\xD3\xC3\xCF\xC2\xB1\xEA\xB1\xD8"
    "\xD0\xEB\xB4\xF3\xD3\xDA\xB5\xC8\xD3\xDA"
    "1";
// 分配 %d 字节内存失败!  (a printf format: the byte count)
inline constexpr char kAllocationFailedFormat[] =
    "\xB7\xD6\xC5\xE4 %d \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!";
// 无法找到指定DLL库文件“%s”中的输出命令“%s”  (the library, the function)
inline constexpr char kMissingExportFormat[] =
    "\xCE\xDE\xB7\xA8\xD5\xD2\xB5\xBD\xD6\xB8\xB6\xA8"
    "DLL"
    "\xBF\xE2\xCE\xC4\xBC\xFE\xA1\xB0%s\xA1\xB1\xD6\xD0\xB5\xC4\xCA\xE4\xB3\xF6"
    "\xC3\xFC\xC1\xEE\xA1\xB0%s\xA1\xB1";

// Composes the message box text for `code` (left out when 0) and `message`
// (left out when empty or null) into `out`, cut to fit `capacity` bytes with
// its zero (`capacity` is at least 1); returns `out`. Needs no memory of its
// own, so it works when memory has run out.
const char* ComposeFatalErrorText(std::int32_t code, const char* message,
                                  char* out, std::int32_t capacity);

[[noreturn]] void RaiseFatalError(std::int32_t code, const char* message);

}  // namespace quorrin

#endif  // QUORRIN_TEXT_FATAL_ERROR_H_
