#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace lexiscoop {

bool FileExists(const std::string& path) {
  struct stat st{};
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
  struct stat st{};
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int64_t FileSize(const std::string& path) {
  struct stat st{};
  if (path.empty() || stat(path.c_str(), &st) != 0) return -1;
  return static_cast<int64_t>(st.st_size);
}

int ReadWholeFile(const std::string& path, std::string& bytes, int64_t maxBytes) {
  bytes.clear();
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno;
  struct stat st{};
  int rc = 0;
  if (fstat(fd, &st) != 0) {
    rc = errno;
  } else if (S_ISDIR(st.st_mode)) {
    rc = EISDIR;
  } else if (!S_ISREG(st.st_mode)) {
    rc = EINVAL;
  } else if (st.st_size > maxBytes) {
    rc = EFBIG;
  }
  if (rc == 0) {
    // The size is a hint: a file that grows or shrinks while read is read as found.
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t used = 0;
    for (;;) {
      if (used == bytes.size()) {
        if (static_cast<int64_t>(bytes.size()) >= maxBytes) break;
        bytes.resize(bytes.size() + 65536);
      }
      const ssize_t n = read(fd, bytes.data() + used, bytes.size() - used);
      if (n < 0) {
        if (errno == EINTR) continue;
        rc = errno;
        break;
      }
      if (n == 0) break;
      used += static_cast<size_t>(n);
    }
    bytes.resize(used);
    if (static_cast<int64_t>(used) > maxBytes) rc = EFBIG;
  }
  close(fd);
  if (rc != 0) bytes.clear();
  return rc;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return {};
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

std::string AbsolutePath(const std::string& path) {
  if (!path.empty() && path.front() == '/') return path;
  char buf[PATH_MAX];
  if (getcwd(buf, sizeof buf) == nullptr) return path;
  return path.empty() ? std::string(buf) : JoinPath(buf, path);
}

std::string ExecutableFolder() {
  char buf[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return {};
  return FolderOf(std::string(buf, static_cast<size_t>(n)));
}

}  // namespace lexiscoop
