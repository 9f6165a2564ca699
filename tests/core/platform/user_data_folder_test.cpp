#include "platform/UserDataFolder.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace lexiscoop {
namespace {

// Sets an environment variable for the life of the object, then restores it.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(UserDataFolderTest, XdgDataHomeElseTheHomeFolder) {
  const struct {
    const char* xdg;
    const char* home;
    std::string folder;
  } rows[] = {
      {"/data/u", "/home/u", "/data/u/lexiscoop"},
      {"/data/u/", "/home/u", "/data/u/lexiscoop"},
      {nullptr, "/home/u", "/home/u/.local/share/lexiscoop"},
      {"", "/home/u/", "/home/u/.local/share/lexiscoop"},
      {"relative/data", "/home/u", "/home/u/.local/share/lexiscoop"},  // ignored, as the convention says
      {"/", "/home/u", "/lexiscoop"},
  };
  for (const auto& row : rows) {
    ScopedEnv xdg("XDG_DATA_HOME", row.xdg);
    ScopedEnv home("HOME", row.home);
    EXPECT_EQ(XdgUserDataFolder(), row.folder) << (row.xdg ? row.xdg : "(unset)");
  }
}

TEST(UserDataFolderTest, TheProgramFolderWhenWritableElseTheXdgFolder) {
  ScopedEnv xdg("XDG_DATA_HOME", "/data/u");
  std::string asked;
  auto writable = [&asked](const std::string& folder) {
    asked = folder;
    return true;
  };
  auto systems = [&asked](const std::string& folder) {
    asked = folder;
    return false;
  };
  EXPECT_EQ(UserDataFolder("/home/u/lexiscoop", writable), "/home/u/lexiscoop");
  EXPECT_EQ(asked, "/home/u/lexiscoop");
  EXPECT_EQ(UserDataFolder("/usr/lib/lexiscoop", systems), "/data/u/lexiscoop");
  EXPECT_EQ(asked, "/usr/lib/lexiscoop");
}

TEST(UserDataFolderTest, WritableMeansAFolderThisProcessMayWrite) {
  char pattern[] = "/tmp/lexiscoop-writable-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string folder = pattern;
  EXPECT_TRUE(FolderIsWritable(folder));
  EXPECT_FALSE(FolderIsWritable(folder + "/missing"));
  const std::string file = folder + "/file";
  ASSERT_EQ(close(creat(file.c_str(), 0644)), 0);
  EXPECT_FALSE(FolderIsWritable(file));  // not a folder
  if (geteuid() != 0) {
    // Root may write anywhere; anyone else is refused by the mode.
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    EXPECT_FALSE(FolderIsWritable(folder));
    chmod(folder.c_str(), 0755);
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace lexiscoop
