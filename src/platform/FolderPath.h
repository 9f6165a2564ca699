#pragma once

#include <stdexcept>
#include <string>

namespace lexiscoop {

// Raised by CreateFolderPath for an empty path; the message is CP932.
class EFolderError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Creates the folder `path` and every missing folder above it ('/'
// separated; a trailing '/' is ignored). Returns whether the folder exists
// afterwards; a folder that cannot be created is not otherwise reported.
// Throws EFolderError ("ディレクトリを作成することができません") for an
// empty path.
bool CreateFolderPath(std::string path);

}  // namespace lexiscoop
