#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

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

TEST_F(FileLockTest, AnotherProcesssLockIsAwaitedWithNoticesForABoundedTime) {
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    FileLock lock;
    lock.Acquire(path_, FileLock::Mode::Exclusive);
    (void)!write(ready[1], "x", 1);
    usleep(900 * 1000);
    _exit(0);
  }
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);
  std::vector<int> notices;
  FileLock lock;
  EXPECT_EQ(lock.Acquire(path_, FileLock::Mode::Shared, [&](int ms) { notices.push_back(ms); }, 300), ETIMEDOUT);
  EXPECT_FALSE(lock.Held());
  ASSERT_GE(notices.size(), 2u);
  EXPECT_EQ(notices.front(), 0);
  EXPECT_GE(notices.back(), 100);
  // Once the holder is gone, the wait ends with the lock.
  EXPECT_EQ(lock.Acquire(path_, FileLock::Mode::Exclusive, {}, 5000), 0);
  int status = 0;
  waitpid(pid, &status, 0);
  close(ready[0]);
  close(ready[1]);
}

TEST_F(FileLockTest, OnlyARegularFileIsALock) {
  const std::string outside = dir_ + "/outside";
  const struct {
    const char* kind;
    int expected;
  } rows[] = {{"fifo", kLockNotRegularFile}, {"folder", kLockNotRegularFile},
              {"dangling link", kLockNotRegularFile}, {"link to a file", kLockNotRegularFile},
              {"regular file", 0}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.kind);
    fs::remove_all(path_);
    fs::remove(outside);
    const std::string kind = row.kind;
    if (kind == "fifo") { ASSERT_EQ(mkfifo(path_.c_str(), 0644), 0); }
    if (kind == "folder") fs::create_directory(path_);
    if (kind == "dangling link") fs::create_symlink(outside, path_);
    if (kind == "link to a file") {
      std::fclose(std::fopen(outside.c_str(), "w"));
      fs::create_symlink(outside, path_);
    }
    if (kind == "regular file") std::fclose(std::fopen(path_.c_str(), "w"));
    for (const FileLock::Mode mode : {FileLock::Mode::Exclusive, FileLock::Mode::Shared}) {
      FileLock lock;
      EXPECT_EQ(lock.Acquire(path_, mode), row.expected);
      EXPECT_EQ(lock.TryAcquire(path_, mode), row.expected);
    }
    EXPECT_EQ(fs::exists(outside), kind == "link to a file");
  }
}

}  // namespace
}  // namespace lexiscoop
