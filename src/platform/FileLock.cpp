#include "platform/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

namespace lexiscoop {
namespace {

int LockCall(int fd, FileLock::Mode mode, bool wait) {
  const int operation = (mode == FileLock::Mode::Exclusive ? LOCK_EX : LOCK_SH) | (wait ? 0 : LOCK_NB);
  while (flock(fd, operation) != 0) {
    if (errno != EINTR) return errno;
  }
  return 0;
}

// Opens the lock file at `path` without following a link and without
// blocking on a FIFO; -1 with the error in `rc`.
int OpenLockFile(const std::string& path, FileLock::Mode mode, int& rc) {
  constexpr int kFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;
  // Only a writer makes the file; flock needs no write access to it.
  int fd = mode == FileLock::Mode::Exclusive ? open(path.c_str(), O_RDWR | O_CREAT | kFlags, 0644) : -1;
  if (fd < 0 && (mode == FileLock::Mode::Shared || errno == EACCES || errno == EROFS || errno == EISDIR)) {
    fd = open(path.c_str(), O_RDONLY | kFlags);
  }
  if (fd < 0) {
    rc = errno == ELOOP || errno == EISDIR || errno == ENXIO ? kLockNotRegularFile : errno;
    return -1;
  }
  struct stat st{};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    rc = kLockNotRegularFile;
    close(fd);
    return -1;
  }
  return fd;
}

// Takes the lock on `fd`, polled rather than blocked on so that the wait can
// be told and bounded.
int WaitForLock(int fd, FileLock::Mode mode, const LockWaitNotice& notice, int limitMs) {
  const auto start = std::chrono::steady_clock::now();
  auto pause = std::chrono::milliseconds(1);
  int lastNotice = -1;
  int rc = 0;
  while ((rc = LockCall(fd, mode, false)) == EWOULDBLOCK) {
    const int waited = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
    if (waited >= limitMs) return ETIMEDOUT;
    if (notice && (lastNotice < 0 || waited - lastNotice >= 100)) {
      notice(waited);
      lastNotice = waited;
    }
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::milliseconds(50));
  }
  return rc;
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

int FileLock::Acquire(const std::string& path, Mode mode, const LockWaitNotice& notice, int limitMs) {
  Release();
  int rc = 0;
  const int fd = OpenLockFile(path, mode, rc);
  if (fd < 0) return rc;
  if ((rc = WaitForLock(fd, mode, notice, limitMs)) != 0) {
    close(fd);
    return rc;
  }
  fd_ = fd;
  return 0;
}

int FileLock::TryAcquire(const std::string& path, Mode mode) {
  Release();
  int rc = 0;
  const int fd = OpenLockFile(path, mode, rc);
  if (fd < 0) return rc;
  if ((rc = LockCall(fd, mode, false)) != 0) {
    close(fd);
    return rc;
  }
  fd_ = fd;
  return 0;
}

int FileLock::Change(Mode mode, const LockWaitNotice& notice, int limitMs) {
  if (fd_ < 0) return EBADF;
  const int rc = WaitForLock(fd_, mode, notice, limitMs);
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
