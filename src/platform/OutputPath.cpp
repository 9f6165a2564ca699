#include "platform/OutputPath.h"

#include <sys/stat.h>

#include <cerrno>

namespace lexiscoop {

Status CheckOutputPath(const std::string& output, const std::vector<std::string>& inputs) {
  struct stat out{};
  if (stat(output.c_str(), &out) != 0) return Status::OK();  // a new file, or a dangling link to one
  if (S_ISDIR(out.st_mode)) {
    return Status::InvalidArgument(output + ": is a folder; name a file to write", EISDIR);
  }
  if (!S_ISREG(out.st_mode)) return Status::OK();
  for (const std::string& input : inputs) {
    struct stat in{};
    if (stat(input.c_str(), &in) != 0) continue;
    if (in.st_dev == out.st_dev && in.st_ino == out.st_ino) {
      const std::string also = input == output ? std::string() : " (" + input + ")";
      return Status::InvalidArgument(output + ": is also an input" + also +
                                     "; writing it would replace that text, so nothing was written");
    }
  }
  return Status::OK();
}

}  // namespace lexiscoop
