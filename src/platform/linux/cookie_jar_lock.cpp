#include "platform/linux/cookie_jar_lock.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>

namespace quorrin::platform {

UniqueFd LockJar(const std::string& lockFile) {
  UniqueFd fd(
      open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
  if (!fd) return {};
  while (flock(fd.get(), LOCK_EX) != 0) {
    if (errno != EINTR) return {};
  }
  return fd;
}

}  // namespace quorrin::platform
