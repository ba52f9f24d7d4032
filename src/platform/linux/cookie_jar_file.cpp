#include "platform/linux/cookie_jar_file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/linux/cookie_file_descriptor.h"

namespace quorrin::platform {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The rename is only on the disk once the folder is.
bool SyncFolder(const std::string& folder) {
  UniqueFd fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  return fd && fsync(fd.get()) == 0;
}

void RemoveNextFile(const JarLocation& location) {
  // Unchecked on purpose: the next writer removes a leftover anyway.
  static_cast<void>(unlink(location.nextFile.c_str()));
}

}  // namespace

JarRead ReadJarFile(const std::string& path, JarBytes& content) {
  content.clear();
  UniqueFd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd) return errno == ENOENT ? JarRead::kMissing : JarRead::kFailed;
  struct stat status {};
  if (fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
      static_cast<std::size_t>(status.st_size) > kMaxJarBytes) {
    return JarRead::kFailed;
  }
  content.reserve(static_cast<std::size_t>(status.st_size));
  char chunk[16384];
  for (;;) {
    const ssize_t got = read(fd.get(), chunk, sizeof chunk);
    if (got < 0) {
      if (errno == EINTR) continue;
      return JarRead::kFailed;
    }
    if (got == 0) break;
    if (content.size() + static_cast<std::size_t>(got) > kMaxJarBytes) {
      return JarRead::kFailed;
    }
    content.append(chunk, static_cast<std::size_t>(got));
  }
  return JarRead::kRead;
}

bool ReplaceJarFile(const JarLocation& location, std::string_view content) {
  if (unlink(location.nextFile.c_str()) != 0 && errno != ENOENT) return false;
  UniqueFd fd(open(location.nextFile.c_str(),
                   O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
  if (!fd) return false;
  bool written = WriteAll(fd.get(), content) && fsync(fd.get()) == 0;
  written = fd.Close() && written;
  if (!written ||
      rename(location.nextFile.c_str(), location.file.c_str()) != 0) {
    RemoveNextFile(location);
    return false;
  }
  return SyncFolder(location.folder);
}

}  // namespace quorrin::platform
