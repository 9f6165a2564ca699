#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/MessageHook.h"

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

// Collects the messages shown while it lives.
class MessageCatcher {
 public:
  MessageCatcher() {
    SetMessageHandler([this](std::string_view text) { messages_.emplace_back(text); });
  }
  ~MessageCatcher() { SetMessageHandler(nullptr); }
  MessageCatcher(const MessageCatcher&) = delete;
  MessageCatcher& operator=(const MessageCatcher&) = delete;

  const std::vector<std::string>& messages() const { return messages_; }

 private:
  std::vector<std::string> messages_;
};

inline std::string ReadBytes(const std::string& path) {
  std::string bytes;
  EXPECT_EQ(ReadWholeFile(path, bytes), 0) << path;
  return bytes;
}

}  // namespace lexiscoop::testing_support
