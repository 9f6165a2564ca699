#include "app/DataPath.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace lexiscoop {
namespace {

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') return home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr && found->pw_dir[0] == '/') {
    return found->pw_dir;
  }
  return "/tmp";
}

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

std::string UserAppDataFolder() {
  // Like the XDG base directory convention: a relative value is ignored.
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && config[0] == '/') {
    return WithoutTrailingSlashes(config);
  }
  return WithoutTrailingSlashes(HomeFolder()) + "/.config";
}

std::string UserAppDataFolderSlash() {
  std::string folder = UserAppDataFolder();
  if (folder != "/") folder += '/';
  return folder;
}

}  // namespace lexiscoop
