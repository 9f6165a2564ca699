#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/FileSystem.h"

namespace lexiscoop {
namespace {

thread_local std::optional<WriteStep> injectedFault;
thread_local int stepsToPass = 0;

// True (with errno EIO) when this occurrence of `step` is to fail.
bool Faulted(WriteStep step) {
  if (injectedFault != step) return false;
  if (stepsToPass > 0) {
    --stepsToPass;
    return false;
  }
  errno = EIO;
  return true;
}

// Fails with the current errno after removing the temporary file.
int Abandon(int fd, const std::string& tempPath) {
  const int rc = errno != 0 ? errno : EIO;
  if (fd >= 0) close(fd);
  unlink(tempPath.c_str());
  return rc;
}

// Links are followed at most this often (the system's own limit).
constexpr int kMaxLinkHops = 40;

}  // namespace

void SetWriteFaultForTesting(std::optional<WriteStep> step, int passing) {
  injectedFault = step;
  stepsToPass = passing;
}

std::string ResolveWriteTarget(const std::string& path) {
  std::string current = path;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat st{};
    if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::vector<char> buffer(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
    const ssize_t n = readlink(current.c_str(), buffer.data(), buffer.size());
    if (n <= 0 || static_cast<size_t>(n) >= buffer.size()) return path;
    std::string target(buffer.data(), static_cast<size_t>(n));
    if (target.front() != '/') target = JoinPath(FolderOf(current), target);
    current = std::move(target);
  }
  return path;  // a loop: the write fails on the link itself
}

int StageFile(const std::string& target, std::string_view bytes, StagedFile& staged) {
  if (target.empty()) return ENOENT;
  mode_t mode = 0644;
  struct stat st{};
  if (stat(target.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return EISDIR;
    mode = st.st_mode & 07777;
  }
  const std::string tempTemplate = target + ".tmp-XXXXXX";
  std::vector<char> name(tempTemplate.begin(), tempTemplate.end());
  name.push_back('\0');
  errno = 0;
  const int fd = Faulted(WriteStep::Open) ? -1 : mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return errno != 0 ? errno : EIO;
  const std::string tempPath(name.data());

  if (Faulted(WriteStep::Write)) return Abandon(fd, tempPath);
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Abandon(fd, tempPath);
    }
    done += static_cast<size_t>(n);
  }
  if (Faulted(WriteStep::Flush) || fsync(fd) != 0) return Abandon(fd, tempPath);
  // Permission bits last: a read-only mode must not stop our own writes.
  if (fchmod(fd, mode) != 0) return Abandon(fd, tempPath);
  if (close(fd) != 0) return Abandon(-1, tempPath);
  staged.tempPath = tempPath;
  staged.target = target;
  return 0;
}

int RenameStaged(const StagedFile& staged) {
  if (Faulted(WriteStep::Rename)) return EIO;
  if (rename(staged.tempPath.c_str(), staged.target.c_str()) != 0) return errno;
  return 0;
}

int SyncFolder(const std::string& folder) {
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  const int rc = fsync(fd) == 0 ? 0 : errno;
  close(fd);
  return rc;
}

int WriteFileAtomically(const std::string& path, std::string_view bytes) {
  if (path.empty()) return ENOENT;
  StagedFile staged;
  if (const int rc = StageFile(ResolveWriteTarget(path), bytes, staged); rc != 0) return rc;
  if (const int rc = RenameStaged(staged); rc != 0) {
    unlink(staged.tempPath.c_str());
    return rc;
  }
  // Makes the rename itself durable.
  SyncFolder(FolderOf(staged.target));
  return 0;
}

}  // namespace lexiscoop
