#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/FolderPath.h"

namespace lexiscoop {
namespace {

TEST(FolderPathTest, CreatesEveryMissingFolder) {
  char tmpl[] = "/tmp/lexiscoop-folder-XXXXXX";
  ASSERT_NE(mkdtemp(tmpl), nullptr);
  const std::string root = tmpl;
  EXPECT_TRUE(CreateFolderPath(root + "/a/b/c/"));
  EXPECT_TRUE(FolderExists(root + "/a/b/c"));
  EXPECT_TRUE(CreateFolderPath(root + "/a/b"));  // already there
  ASSERT_TRUE(WriteFileAtomically(root + "/file", "x").ok());
  EXPECT_FALSE(CreateFolderPath(root + "/file/sub"));
  EXPECT_TRUE(CreateFolderPath("/"));
  std::filesystem::remove_all(root);
}

TEST(FolderPathTest, RefusesAnEmptyPath) {
  try {
    CreateFolderPath("");
    FAIL() << "no error raised";
  } catch (const EFolderError& e) {
    EXPECT_EQ(Utf8FromCp932(e.what()), "ディレクトリを作成することができません");
  }
}

}  // namespace
}  // namespace lexiscoop
