#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"

namespace lexiscoop {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/lexiscoop-atomic-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override {
    SetWriteFaultForTesting(std::nullopt);
    fs::remove_all(dir_);
  }
  std::string Read(const std::string& path) {
    std::string bytes;
    EXPECT_EQ(ReadWholeFile(path, bytes), 0);
    return bytes;
  }
  size_t FilesInDir() { return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {})); }

  std::string dir_;
};

TEST_F(AtomicFileTest, WritesNewAndReplacesOld) {
  const std::string path = dir_ + "/list.dat";
  ASSERT_TRUE(WriteFileAtomically(path, "first").ok());
  EXPECT_EQ(Read(path), "first");
  ASSERT_TRUE(WriteFileAtomically(path, std::string("sec\0ond", 7)).ok());
  EXPECT_EQ(Read(path), std::string("sec\0ond", 7));
  EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(AtomicFileTest, ReadOnlyFileIsReplacedAndStaysReadOnly) {
  const std::string path = dir_ + "/ro.dat";
  ASSERT_TRUE(WriteFileAtomically(path, "old").ok());
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  ASSERT_TRUE(WriteFileAtomically(path, "new").ok());
  EXPECT_EQ(Read(path), "new");
  struct stat st{};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0444u);
}

TEST_F(AtomicFileTest, EveryFailedStepKeepsTheOldFileAndLeavesNoTemporary) {
  const std::string path = dir_ + "/dict.dat";
  ASSERT_TRUE(WriteFileAtomically(path, "old content").ok());
  for (WriteStep step : {WriteStep::Open, WriteStep::Write, WriteStep::Flush, WriteStep::Rename}) {
    SetWriteFaultForTesting(step);
    EXPECT_FALSE(WriteFileAtomically(path, "new content that must not land").ok());
    SetWriteFaultForTesting(std::nullopt);
    EXPECT_EQ(Read(path), "old content");
    EXPECT_EQ(FilesInDir(), 1u);
  }
}

TEST_F(AtomicFileTest, MissingFolderIsAnError) {
  EXPECT_EQ(WriteFileAtomically(dir_ + "/no/such/file", "x").systemError(), ENOENT);
  EXPECT_EQ(WriteFileAtomically(dir_, "x").systemError(), EISDIR);
}

TEST(FileSystemTest, ReadWholeFileRefusesFoldersAndOversizedFiles) {
  std::string bytes = "left over";
  EXPECT_EQ(ReadWholeFile("/tmp", bytes), EISDIR);
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(ReadWholeFile("/no/such/file", bytes), ENOENT);
  EXPECT_EQ(ReadWholeFile("/proc/self/exe", bytes, 10), EFBIG);
  EXPECT_EQ(FolderOf("/a/b.txt"), "/a");
  EXPECT_EQ(FolderOf("/b.txt"), "/");
  EXPECT_EQ(FolderOf("b.txt"), "");
  EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
  EXPECT_EQ(JoinPath("", "b"), "b");
}

// A file that is a symbolic link is written through to the link's target;
// the link stays a link.
TEST_F(AtomicFileTest, WritesThroughSymbolicLinks) {
  fs::create_directory(dir_ + "/elsewhere");
  const std::string target = dir_ + "/elsewhere/real.dat";
  ASSERT_TRUE(WriteFileAtomically(target, "old").ok());
  struct Case {
    const char* link;
    std::string pointsTo;
  } cases[] = {
      {"/absolute.dat", target},
      {"/relative.dat", "elsewhere/real.dat"},
      {"/chained.dat", dir_ + "/absolute.dat"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.link);
    const std::string link = dir_ + c.link;
    ASSERT_EQ(symlink(c.pointsTo.c_str(), link.c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically(link, std::string("via ") + c.link).ok());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Read(target), std::string("via ") + c.link);
  }
  // A link whose target does not exist yet creates it.
  const std::string dangling = dir_ + "/dangling.dat";
  ASSERT_EQ(symlink("elsewhere/new.dat", dangling.c_str()), 0);
  ASSERT_TRUE(WriteFileAtomically(dangling, "new").ok());
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_EQ(Read(dir_ + "/elsewhere/new.dat"), "new");
  // A loop of links is not followed forever, and replaces nothing.
  const std::string a = dir_ + "/loop-a", b = dir_ + "/loop-b";
  ASSERT_EQ(symlink(b.c_str(), a.c_str()), 0);
  ASSERT_EQ(symlink(a.c_str(), b.c_str()), 0);
  EXPECT_EQ(ResolveWriteTarget(a), a);
}

}  // namespace
}  // namespace lexiscoop
