// The lock every Quorrin process of the user holds while it rewrites the
// cookie file, so that no two read-modify-write cycles interleave and no
// cookie is lost between them.

#ifndef QUORRIN_PLATFORM_LINUX_COOKIE_JAR_LOCK_H_
#define QUORRIN_PLATFORM_LINUX_COOKIE_JAR_LOCK_H_

#include <string>

#include "platform/linux/cookie_file_descriptor.h"

namespace quorrin::platform {

// Waits for the exclusive flock on `lockFile` (created 0600 when missing)
// and returns the descriptor holding it: the lock ends when the descriptor
// is closed or the process ends. Empty when the lock cannot be had.
//
// The lock file is never removed: a process could otherwise lock a file that
// another has just unlinked, and two writers would both believe they hold it.
UniqueFd LockJar(const std::string& lockFile);

}  // namespace quorrin::platform

#endif  // QUORRIN_PLATFORM_LINUX_COOKIE_JAR_LOCK_H_
