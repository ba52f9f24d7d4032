// Reading the cookie file whole, and replacing it whole, so that a reader,
// another writer or a crash at any moment sees either the old file or the
// new one, never a mix or a part.

#ifndef QUORRIN_PLATFORM_LINUX_COOKIE_JAR_FILE_H_
#define QUORRIN_PLATFORM_LINUX_COOKIE_JAR_FILE_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/linux/cookie_jar_location.h"
#include "text/text.h"

namespace quorrin::platform {

// The file's bytes; memory that cannot be had ends the program, as for every
// value.
using JarBytes = Text::Storage;

// A file larger than this is not read: a cookie file never grows so large
// unless something else went wrong with it.
inline constexpr std::size_t kMaxJarBytes = 64 * 1024 * 1024;

enum class JarRead {
  kRead,
  // There is no file yet: no cookies.
  kMissing,
  // It exists but cannot be read whole; it must then not be replaced either,
  // or the cookies in it would be lost.
  kFailed,
};

// Reads the regular file at `path` into `content`.
JarRead ReadJarFile(const std::string& path, JarBytes& content);

// Writes `content` to location.nextFile (created exclusively, 0600), flushes
// it to the disk, renames it over location.file and flushes the folder. Call
// it only while holding the lock: a leftover next file, from a writer that
// died, is removed first. False when any step fails; up to the rename the
// old file stays as it was.
bool ReplaceJarFile(const JarLocation& location, std::string_view content);

}  // namespace quorrin::platform

#endif  // QUORRIN_PLATFORM_LINUX_COOKIE_JAR_FILE_H_
