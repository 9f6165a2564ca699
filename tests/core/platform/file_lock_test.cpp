#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/FileLock.h"

namespace lexiscoop {
namespace {

namespace fs = std::filesystem;

class FileLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/lexiscoop-lock-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    path_ = dir_ + "/lexiscoop.lock";
  }
  void TearDown() override { fs::remove_all(dir_); }

  // What a try for `mode` gives in another process while this one holds
  // its locks: 0 or the errno.
  int TryInChild(FileLock::Mode mode) {
    const pid_t pid = fork();
    if (pid == 0) {
      FileLock lock;
      _exit(lock.TryAcquire(path_, mode));
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string dir_;
  std::string path_;
};

TEST_F(FileLockTest, ExclusiveExcludesEveryOtherProcess) {
  FileLock lock;
  ASSERT_EQ(lock.Acquire(path_, FileLock::Mode::Exclusive), 0);
  EXPECT_TRUE(fs::exists(path_));
  EXPECT_EQ(TryInChild(FileLock::Mode::Shared), EWOULDBLOCK);
  EXPECT_EQ(TryInChild(FileLock::Mode::Exclusive), EWOULDBLOCK);
  lock.Release();
  EXPECT_EQ(TryInChild(FileLock::Mode::Exclusive), 0);
}

TEST_F(FileLockTest, SharedHoldersExcludeOnlyWriters) {
  FileLock lock;
  // Readers never make the lock file; a writer does.
  EXPECT_EQ(lock.Acquire(path_, FileLock::Mode::Shared), ENOENT);
  EXPECT_FALSE(fs::exists(path_));
  ASSERT_EQ(lock.Acquire(path_, FileLock::Mode::Exclusive), 0);
  lock.Release();
  ASSERT_EQ(lock.Acquire(path_, FileLock::Mode::Shared), 0);
  EXPECT_EQ(TryInChild(FileLock::Mode::Shared), 0);
  EXPECT_EQ(TryInChild(FileLock::Mode::Exclusive), EWOULDBLOCK);
  ASSERT_EQ(lock.Change(FileLock::Mode::Exclusive), 0);
  EXPECT_EQ(TryInChild(FileLock::Mode::Shared), EWOULDBLOCK);
  ASSERT_EQ(lock.Change(FileLock::Mode::Shared), 0);
  EXPECT_EQ(TryInChild(FileLock::Mode::Shared), 0);
}

TEST_F(FileLockTest, ALockDiesWithItsProcess) {
  const pid_t pid = fork();
  if (pid == 0) {
    FileLock lock;
    lock.Acquire(path_, FileLock::Mode::Exclusive);
    _exit(0);  // no Release: the system drops the lock with the process
  }
  int status = 0;
  waitpid(pid, &status, 0);
  FileLock lock;
  EXPECT_EQ(lock.TryAcquire(path_, FileLock::Mode::Exclusive), 0);
}

TEST_F(FileLockTest, MissingFolderIsAnError) {
  FileLock lock;
  EXPECT_EQ(lock.Acquire(dir_ + "/missing/lexiscoop.lock", FileLock::Mode::Exclusive), ENOENT);
  EXPECT_FALSE(lock.Held());
}

}  // namespace
}  // namespace lexiscoop
