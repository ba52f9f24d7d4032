// An owned POSIX file descriptor, for the cookie file, its lock and its
// folder.

#ifndef QUORRIN_PLATFORM_LINUX_COOKIE_FILE_DESCRIPTOR_H_
#define QUORRIN_PLATFORM_LINUX_COOKIE_FILE_DESCRIPTOR_H_

#include <unistd.h>

namespace quorrin::platform {

// Closes its descriptor when destroyed. A descriptor whose close must be
// checked (one that was written to) is closed with Close() instead.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd < 0 ? -1 : fd) {}
  ~UniqueFd() { Reset(); }
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;

  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }

  // Closes the descriptor held, if any, and takes `fd`.
  void Reset(int fd = -1) {
    // Unchecked on purpose: a descriptor that was written to goes through
    // Close(); for the others a failed close loses nothing.
    if (fd_ >= 0) static_cast<void>(::close(fd_));
    fd_ = fd < 0 ? -1 : fd;
  }
  // Gives up ownership without closing.
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  // Closes now; false when close reports an error (as it may for data that
  // never reached the disk). Empty afterwards either way.
  bool Close() {
    const int fd = Release();
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_ = -1;
};

}  // namespace quorrin::platform

#endif  // QUORRIN_PLATFORM_LINUX_COOKIE_FILE_DESCRIPTOR_H_
