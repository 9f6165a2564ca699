#pragma once

#include <string>

namespace lexiscoop {

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

  // Waits for the lock on `path`. An exclusive lock creates the file (mode
  // 0644) when it is missing; a shared one needs it to exist (ENOENT).
  // Returns 0, or the errno why the file cannot be opened or locked; the
  // object then holds nothing.
  int Acquire(const std::string& path, Mode mode);

  // Takes the lock without waiting: EWOULDBLOCK when another holds it.
  int TryAcquire(const std::string& path, Mode mode);

  // Turns a held lock into `mode`. The change is not atomic: another
  // process may take the lock in between, so state read under the old mode
  // must be read again. Returns 0 or an errno (the lock is then released).
  int Change(Mode mode);

  void Release();
  bool Held() const { return fd_ >= 0; }

 private:
  int Take(const std::string& path, Mode mode, bool wait);

  int fd_ = -1;
};

}  // namespace lexiscoop
