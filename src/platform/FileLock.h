#pragma once

#include <functional>
#include <string>

namespace lexiscoop {

// What FileLock returns for a lock path that is not a regular file (a
// symbolic link, a folder, a FIFO, a device): such a path is never opened
// for locking, followed or created through.
inline constexpr int kLockNotRegularFile = -20;

// Called while a lock is awaited because another process holds it: first
// with 0, then about every 100 ms with the milliseconds waited so far.
using LockWaitNotice = std::function<void(int waitedMs)>;

// How long Acquire waits for another process's lock before it gives up.
inline constexpr int kLockWaitLimitMs = 60000;

// An advisory lock (flock) on a lock file, held while the object lives.
// Processes that take the lock on the same file exclude one another: any
// number of shared holders, or one exclusive holder. Two FileLock objects of
// one process on the same file exclude one another too, so a holder must
// not take the lock a second time.
class FileLock {
 public:
  enum class Mode { Shared, Exclusive };

  FileLock() = default;
  ~FileLock() { Release(); }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  FileLock(FileLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  FileLock& operator=(FileLock&& other) noexcept;

  // Waits for the lock on `path`, at most `limitMs` milliseconds, calling
  // `notice` (if any) while it waits. An exclusive lock creates the file
  // (mode 0644) when it is missing; a shared one needs it to exist
  // (ENOENT). The path must be a regular file itself, never a link to one
  // (kLockNotRegularFile). Returns 0, or ETIMEDOUT when another process kept
  // the lock past the limit, or the errno why the file cannot be opened or
  // locked; the object then holds nothing.
  int Acquire(const std::string& path, Mode mode, const LockWaitNotice& notice = {},
              int limitMs = kLockWaitLimitMs);

  // Takes the lock without waiting: EWOULDBLOCK when another holds it.
  int TryAcquire(const std::string& path, Mode mode);

  // Turns a held lock into `mode`. The change is not atomic: another
  // process may take the lock in between, so state read under the old mode
  // must be read again. Waits as Acquire does. Returns 0 or an errno (the
  // lock is then released).
  int Change(Mode mode, const LockWaitNotice& notice = {}, int limitMs = kLockWaitLimitMs);

  void Release();
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace lexiscoop
