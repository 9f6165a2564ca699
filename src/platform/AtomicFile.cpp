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
thread_local int writesToPass = 0;

// The step at which the write that starts now is to fail, if any.
std::optional<WriteStep> FaultOfThisWrite() {
  if (!injectedFault) return std::nullopt;
  if (writesToPass > 0) {
    --writesToPass;
    return std::nullopt;
  }
  return injectedFault;
}

bool Faulted(std::optional<WriteStep> fault, WriteStep step) {
  if (fault == step) {
    errno = EIO;
    return true;
  }
  return false;
}

// Fails with the current errno after removing the temporary file.
int Abandon(int fd, const std::string& tempPath) {
  const int rc = errno != 0 ? errno : EIO;
  if (fd >= 0) close(fd);
  unlink(tempPath.c_str());
  return rc;
}

}  // namespace

void SetWriteFaultForTesting(std::optional<WriteStep> step, int passing) {
  injectedFault = step;
  writesToPass = passing;
}

int WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::optional<WriteStep> fault = FaultOfThisWrite();
  if (path.empty()) return ENOENT;
  mode_t mode = 0644;
  struct stat st{};
  if (stat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return EISDIR;
    mode = st.st_mode & 07777;
  }

  std::string tempTemplate = path + ".tmp-XXXXXX";
  std::vector<char> name(tempTemplate.begin(), tempTemplate.end());
  name.push_back('\0');
  errno = 0;
  const int fd = Faulted(fault, WriteStep::Open) ? -1 : mkstemp(name.data());
  if (fd < 0) return errno != 0 ? errno : EIO;
  const std::string tempPath(name.data());

  if (Faulted(fault, WriteStep::Write)) return Abandon(fd, tempPath);
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Abandon(fd, tempPath);
    }
    done += static_cast<size_t>(n);
  }
  if (Faulted(fault, WriteStep::Flush) || fsync(fd) != 0) return Abandon(fd, tempPath);
  // Permission bits last: a read-only mode must not stop our own writes.
  if (fchmod(fd, mode) != 0) return Abandon(fd, tempPath);
  if (close(fd) != 0) return Abandon(-1, tempPath);
  if (Faulted(fault, WriteStep::Rename) || rename(tempPath.c_str(), path.c_str()) != 0) {
    return Abandon(-1, tempPath);
  }
  // Make the rename itself durable.
  const std::string folder = FolderOf(path);
  const int dirFd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    fsync(dirFd);
    close(dirFd);
  }
  return 0;
}

}  // namespace lexiscoop
