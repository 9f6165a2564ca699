#include "platform/UserDataFolder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/FileSystem.h"

namespace lexiscoop {

std::string UserHomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') return WithoutTrailingSlashes(home);
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr && found->pw_dir[0] == '/') {
    return WithoutTrailingSlashes(found->pw_dir);
  }
  return "/tmp";
}

std::string XdgUserDataFolder() {
  // As the XDG base directory convention says: a relative value is ignored.
  if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/') {
    const std::string folder = WithoutTrailingSlashes(data);
    return (folder == "/" ? "" : folder) + "/lexiscoop";
  }
  const std::string home = UserHomeFolder();
  return (home == "/" ? "" : home) + "/.local/share/lexiscoop";
}

bool FolderIsWritable(const std::string& folder) {
  const std::string path = folder.empty() ? "." : folder;
  struct stat st{};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && access(path.c_str(), W_OK | X_OK) == 0;
}

std::string UserDataFolder(const std::string& programFolder, const std::function<bool(const std::string&)>& canWrite) {
  return canWrite(programFolder) ? programFolder : XdgUserDataFolder();
}

}  // namespace lexiscoop
