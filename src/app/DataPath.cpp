#include "app/DataPath.h"

#include <cstdlib>

#include "platform/FileSystem.h"
#include "platform/UserDataFolder.h"

namespace lexiscoop {

std::string UserAppDataFolder() {
  // Like the XDG base directory convention: a relative value is ignored.
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && config[0] == '/') {
    return WithoutTrailingSlashes(config);
  }
  return UserHomeFolder() + "/.config";
}

std::string UserAppDataFolderSlash() {
  std::string folder = UserAppDataFolder();
  if (folder != "/") folder += '/';
  return folder;
}

}  // namespace lexiscoop
