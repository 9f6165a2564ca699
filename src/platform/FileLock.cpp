#include "platform/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace lexiscoop {
namespace {

int LockCall(int fd, FileLock::Mode mode, bool wait) {
  const int operation = (mode == FileLock::Mode::Exclusive ? LOCK_EX : LOCK_SH) | (wait ? 0 : LOCK_NB);
  while (flock(fd, operation) != 0) {
    if (errno != EINTR) return errno;
  }
  return 0;
}

}  // namespace

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

int FileLock::Acquire(const std::string& path, Mode mode) { return Take(path, mode, true); }

int FileLock::TryAcquire(const std::string& path, Mode mode) { return Take(path, mode, false); }

int FileLock::Take(const std::string& path, Mode mode, bool wait) {
  Release();
  // Only a writer makes the file; flock needs no write access to it.
  int fd = mode == Mode::Exclusive ? open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644) : -1;
  if (fd < 0) fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  if (const int rc = LockCall(fd, mode, wait); rc != 0) {
    close(fd);
    return rc;
  }
  fd_ = fd;
  return 0;
}

int FileLock::Change(Mode mode) {
  if (fd_ < 0) return EBADF;
  const int rc = LockCall(fd_, mode, true);
  if (rc != 0) Release();
  return rc;
}

void FileLock::Release() {
  if (fd_ < 0) return;
  flock(fd_, LOCK_UN);
  close(fd_);
  fd_ = -1;
}

}  // namespace lexiscoop
