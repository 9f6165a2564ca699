#include "platform/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
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

// What a temporary file's name puts after its target's name, before the
// six characters mkostemp chooses.
constexpr const char* kTempInfix = ".tmp-";

// The folder for a temporary file that has no target beside it.
std::string TemporaryFolder() {
  const char* tmp = std::getenv("TMPDIR");
  return tmp != nullptr && *tmp != '\0' ? std::string(tmp) : std::string("/tmp");
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

namespace {

// A temporary file beside `target`, created empty and held under an
// exclusive flock until closed.
struct TempFile {
  int fd = -1;
  std::string path;
};

// Creates the temporary file of `target`. Returns 0 or an errno.
int CreateTemp(const std::string& target, TempFile& temp) {
  const std::string tempTemplate = target + kTempInfix + "XXXXXX";
  std::vector<char> name(tempTemplate.begin(), tempTemplate.end());
  name.push_back('\0');
  errno = 0;
  const int fd = Faulted(WriteStep::Open) ? -1 : mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return errno != 0 ? errno : EIO;
  temp.fd = fd;
  temp.path = name.data();
  // Tells a later writer that this file is not abandoned; a file system
  // without flock only loses that.
  flock(fd, LOCK_EX | LOCK_NB);
  return 0;
}

// The permission bits a staged file of `target` gets; EISDIR for a folder.
int TargetMode(const std::string& target, mode_t& mode) {
  mode = 0644;
  struct stat st{};
  if (stat(target.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return EISDIR;
    mode = st.st_mode & 07777;
  }
  return 0;
}

// Syncs the temporary file and gives it `mode`; then closes it, or hands it
// to `hold` open, still held, when one is given. Returns 0 or an errno, with
// the file removed.
int FinishTemp(TempFile& temp, mode_t mode, HeldFile* hold = nullptr) {
  if (Faulted(WriteStep::Flush) || fsync(temp.fd) != 0) return Abandon(temp.fd, temp.path);
  // Permission bits last: a read-only mode must not stop our own writes.
  if (fchmod(temp.fd, mode) != 0) return Abandon(temp.fd, temp.path);
  const int fd = temp.fd;
  temp.fd = -1;
  if (hold != nullptr) {
    *hold = HeldFile(fd);
    return 0;
  }
  if (close(fd) != 0) return Abandon(-1, temp.path);
  return 0;
}

// FinishTemp for a file that its writer opened again by name, and may have
// made anew: synced and given `mode` through the name.
int FinishNamedTemp(TempFile& temp, mode_t mode) {
  const int fd = open(temp.path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Abandon(temp.fd, temp.path);
  int rc = 0;
  if (Faulted(WriteStep::Flush) || fsync(fd) != 0 || fchmod(fd, mode) != 0) rc = errno != 0 ? errno : EIO;
  close(fd);
  if (rc != 0) {
    errno = rc;
    return Abandon(temp.fd, temp.path);
  }
  close(temp.fd);
  temp.fd = -1;
  return 0;
}

// Writes all of `bytes` to `fd`. Returns 0 or an errno.
int WriteAll(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<size_t>(n);
  }
  return 0;
}

}  // namespace

int StageFile(const std::string& target, std::string_view bytes, StagedFile& staged) {
  if (target.empty()) return ENOENT;
  mode_t mode = 0644;
  if (const int rc = TargetMode(target, mode); rc != 0) return rc;
  TempFile temp;
  if (const int rc = CreateTemp(target, temp); rc != 0) return rc;
  if (Faulted(WriteStep::Write)) return Abandon(temp.fd, temp.path);
  if (const int rc = WriteAll(temp.fd, bytes); rc != 0) {
    errno = rc;
    return Abandon(temp.fd, temp.path);
  }
  if (const int rc = FinishTemp(temp, mode, &staged.hold); rc != 0) return rc;
  staged.tempPath = temp.path;
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

namespace {

// How a path given to write is treated.
enum class OutputKind { Replace, Stream, Refuse };

// Devices and FIFOs are written to as they are; a block device is refused.
OutputKind KindOf(const std::string& path, int& refusal) {
  struct stat st{};
  if (stat(path.c_str(), &st) != 0) return OutputKind::Replace;
  if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode)) return OutputKind::Stream;
  if (S_ISDIR(st.st_mode)) {
    refusal = EISDIR;
    return OutputKind::Refuse;
  }
  if (!S_ISREG(st.st_mode)) {
    refusal = EINVAL;
    return OutputKind::Refuse;
  }
  return OutputKind::Replace;
}

// Writes `bytes` to the device or FIFO `path` directly. Returns 0 or an errno.
int StreamTo(const std::string& path, std::string_view bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return errno;
  int rc = Faulted(WriteStep::Write) ? EIO : WriteAll(fd, bytes);
  if (close(fd) != 0 && rc == 0) rc = errno;
  return rc;
}

// Renames the finished temporary file over `target` and makes that durable.
int Replace(const StagedFile& staged) {
  if (const int rc = RenameStaged(staged); rc != 0) {
    unlink(staged.tempPath.c_str());
    return rc;
  }
  SyncFolder(FolderOf(staged.target));
  return 0;
}

}  // namespace

void RemoveAbandonedTemporaries(const std::string& target) {
  const std::string folder = FolderOf(target);
  const std::string prefix = target.substr(folder.empty() ? 0 : folder.size() + (folder == "/" ? 0 : 1)) + kTempInfix;
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return;
  std::vector<std::string> names;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name(entry->d_name);
    // mkostemp's suffix is six characters.
    if (name.size() == prefix.size() + 6 && name.substr(0, prefix.size()) == prefix) names.emplace_back(name);
  }
  closedir(dir);
  for (const std::string& name : names) RemoveIfAbandoned(JoinPath(folder, name));
}

bool RemoveIfAbandoned(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st{};
  // Held by nobody: its writer is gone.
  const bool abandoned = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0;
  const bool removed = abandoned && unlink(path.c_str()) == 0;
  close(fd);
  return removed;
}

HeldFile& HeldFile::operator=(HeldFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

void HeldFile::Close() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

Status WriteFileAtomically(const std::string& path, std::string_view bytes) {
  if (path.empty()) return Status::FromErrno(ENOENT);
  int refusal = 0;
  switch (KindOf(path, refusal)) {
    case OutputKind::Stream: return Status::FromErrno(StreamTo(path, bytes));
    case OutputKind::Refuse: return Status::FromErrno(refusal);
    case OutputKind::Replace: break;
  }
  const std::string target = ResolveWriteTarget(path);
  RemoveAbandonedTemporaries(target);
  StagedFile staged;
  if (const int rc = StageFile(target, bytes, staged); rc != 0) return Status::FromErrno(rc);
  return Status::FromErrno(Replace(staged));
}

Status WriteFileAtomicallyThrough(const std::string& path,
                                  const std::function<Status(const std::string& tempPath)>& fill) {
  if (path.empty()) return Status::FromErrno(ENOENT);
  int refusal = 0;
  const OutputKind kind = KindOf(path, refusal);
  if (kind == OutputKind::Refuse) return Status::FromErrno(refusal);
  const std::string target = kind == OutputKind::Stream ? JoinPath(TemporaryFolder(), "lexiscoop-output")
                                                        : ResolveWriteTarget(path);
  mode_t mode = 0644;
  if (const int rc = TargetMode(target, mode); rc != 0) return Status::FromErrno(rc);
  RemoveAbandonedTemporaries(target);
  TempFile temp;
  if (const int rc = CreateTemp(target, temp); rc != 0) return Status::FromErrno(rc);
  Status filled = Faulted(WriteStep::Write) ? Status::FromErrno(EIO) : fill(temp.path);
  if (!filled.ok()) {
    Abandon(temp.fd, temp.path);
    return filled;
  }
  if (const int rc = FinishNamedTemp(temp, mode); rc != 0) return Status::FromErrno(rc);
  if (kind == OutputKind::Replace) return Status::FromErrno(Replace(StagedFile{temp.path, target, HeldFile()}));
  // A device or FIFO takes the finished content as a stream.
  std::string bytes;
  int rc = ReadWholeFile(temp.path, bytes);
  unlink(temp.path.c_str());
  if (rc == 0) rc = StreamTo(path, bytes);
  return Status::FromErrno(rc);
}

}  // namespace lexiscoop
