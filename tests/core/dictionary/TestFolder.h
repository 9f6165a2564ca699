#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace lexiscoop::testing_support {

// A fresh temporary folder, removed with everything in it.
class TestFolder {
 public:
  TestFolder() {
    char tmpl[] = "/tmp/lexiscoop-dict-XXXXXX";
    if (mkdtemp(tmpl) != nullptr) path_ = tmpl;
  }
  ~TestFolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline std::string ReadBytes(const std::string& path) {
  std::string bytes;
  EXPECT_EQ(ReadWholeFile(path, bytes), 0) << path;
  return bytes;
}

}  // namespace lexiscoop::testing_support
