#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <future>
#include <string>

#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "platform/OutputPath.h"

namespace lexiscoop {
namespace {

namespace fs = std::filesystem;

// What a library that opens its output by name does.
Status WriteByName(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return Status::FromErrno(errno);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  return std::fclose(f) == 0 ? Status::OK() : Status::FromErrno(errno);
}

class OutputPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/lexiscoop-output-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    ASSERT_TRUE(WriteFileAtomically(Path("text.txt"), "the input text").ok());
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  std::string Read(const std::string& name) const {
    std::string bytes;
    EXPECT_EQ(ReadWholeFile(Path(name), bytes), 0);
    return bytes;
  }

  std::string dir_;
};

// Every kind of output a user may name: what the check says, and what the
// write does with it.
TEST_F(OutputPathTest, EachKindOfOutputIsCheckedAndWrittenAsMeant) {
  ASSERT_EQ(symlink("text.txt", Path("link.txt").c_str()), 0);
  ASSERT_EQ(link(Path("text.txt").c_str(), Path("hard.txt").c_str()), 0);
  ASSERT_EQ(symlink("new-target.txt", Path("dangling.txt").c_str()), 0);
  ASSERT_TRUE(WriteFileAtomically(Path("old.txt"), "old").ok());
  fs::create_directory(Path("folder"));
  struct Case {
    std::string output;
    bool accepted;      // by CheckOutputPath against the input text.txt
    int writeError;     // of WriteFileAtomically
    std::string named;  // what the refusal names
  } cases[] = {
      {Path("new.txt"), true, 0, ""},
      {Path("old.txt"), true, 0, ""},
      {Path("dangling.txt"), true, 0, ""},
      {"/dev/null", true, 0, ""},
      {Path("text.txt"), false, 0, "is also an input"},
      {Path("link.txt"), false, 0, "(" + Path("text.txt") + ")"},
      {Path("hard.txt"), false, 0, "is also an input"},
      {Path("./text.txt"), false, 0, "is also an input"},
      {Path("folder"), false, EISDIR, Path("folder") + ": is a folder"},
      {Path("folder/"), false, EISDIR, "is a folder"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.output);
    const Status check = CheckOutputPath(c.output, {Path("text.txt")});
    EXPECT_EQ(check.ok(), c.accepted) << check.ToString();
    if (!c.accepted) {
      EXPECT_TRUE(check.IsInvalidArgument());
      EXPECT_NE(check.message().find(c.named), std::string::npos) << check.message();
      EXPECT_EQ(check.message().rfind(c.output, 0), 0u) << "names the output first";
      if (c.writeError == 0) continue;  // the check stops the write of a refused input
    }
    EXPECT_EQ(WriteFileAtomically(c.output, "written").systemError(), c.writeError);
  }
  EXPECT_EQ(Read("text.txt"), "the input text");
  EXPECT_EQ(Read("new.txt"), "written");
  EXPECT_EQ(Read("old.txt"), "written");
  EXPECT_EQ(Read("new-target.txt"), "written");
  EXPECT_TRUE(fs::is_symlink(Path("dangling.txt")));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_TRUE(fs::is_directory(Path("folder")));
}

// A FIFO is written to as a stream, by both writers; it stays a FIFO.
TEST_F(OutputPathTest, FifoIsWrittenDirectly) {
  const std::string fifo = Path("pipe");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const bool through : {false, true}) {
    SCOPED_TRACE(through);
    auto reader = std::async(std::launch::async, [&fifo] {
      std::string bytes;
      const int fd = open(fifo.c_str(), O_RDONLY);
      char buffer[256];
      for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) bytes.append(buffer, static_cast<size_t>(n));
      close(fd);
      return bytes;
    });
    const Status written =
        through ? WriteFileAtomicallyThrough(fifo, [](const std::string& temp) { return WriteByName(temp, "made by name"); })
                : WriteFileAtomically(fifo, "streamed");
    EXPECT_TRUE(written.ok()) << written.ToString();
    EXPECT_EQ(reader.get(), through ? "made by name" : "streamed");
    EXPECT_TRUE(fs::is_fifo(fifo));
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 2) << "no temporary file left";
}

// A temporary file a killed writer left is removed by the next write of its
// target; one a live writer holds is not.
TEST_F(OutputPathTest, AbandonedTemporariesAreRemovedHeldOnesKept) {
  const std::string target = Path("out.xlsx");
  ASSERT_TRUE(WriteFileAtomically(target + ".tmp-Abc123", "abandoned").ok());
  ASSERT_TRUE(WriteFileAtomically(target + ".tmp-Held99", "held").ok());
  ASSERT_TRUE(WriteFileAtomically(target + ".tmp-toolong1", "not ours").ok());
  const int held = open((target + ".tmp-Held99").c_str(), O_RDONLY);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  const Status written = WriteFileAtomicallyThrough(target, [](const std::string& temp) { return WriteByName(temp, "PK"); });
  ASSERT_TRUE(written.ok()) << written.ToString();
  close(held);
  EXPECT_FALSE(fs::exists(target + ".tmp-Abc123"));
  EXPECT_TRUE(fs::exists(target + ".tmp-Held99"));
  EXPECT_TRUE(fs::exists(target + ".tmp-toolong1"));
  EXPECT_EQ(Read("out.xlsx"), "PK");

  // A staged file waiting for its rename is live until its writer lets go.
  StagedFile staged;
  ASSERT_EQ(StageFile(target, "staged", staged), 0);
  RemoveAbandonedTemporaries(target);
  EXPECT_TRUE(fs::exists(staged.tempPath));
  staged.hold.Close();
  RemoveAbandonedTemporaries(target);
  EXPECT_FALSE(fs::exists(staged.tempPath));
}

}  // namespace
}  // namespace lexiscoop
