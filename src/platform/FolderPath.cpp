#include "platform/FolderPath.h"

#include <sys/stat.h>

#include "platform/Cp932.h"
#include "platform/FileSystem.h"

namespace lexiscoop {

bool CreateFolderPath(std::string path) {
  if (path.empty()) {
    static const Cp932Text kCannotCreate{"ディレクトリを作成することができません"};
    throw EFolderError(kCannotCreate.str());
  }
  if (path.size() > 1 && path.back() == '/') path.pop_back();
  if (FolderExists(path)) return true;
  // The parent is the path up to and including its last '/'.
  const size_t slash = path.find_last_of('/');
  if (slash != std::string::npos) {
    const std::string parent = path.substr(0, slash + 1);
    if (parent != path) CreateFolderPath(parent);
  }
  mkdir(path.c_str(), 0777);
  return FolderExists(path);
}

}  // namespace lexiscoop
