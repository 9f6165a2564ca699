// lexiscoop-cli over bad input: the texts of bad_inputs.h, binaries, names
// that are no regular file, a text too large to take, damaged dictionary
// files and a save that cannot be written. Every run ends on its own, in
// time, with its exact output or a message and exit status 1.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "analysis/MyParser.h"
#include "cli_process.h"
#include "cli_runner.h"
#include "core/analysis/bad_inputs.h"
#include "platform/Cp932.h"
#include "platform/InputEncoding.h"

namespace lexiscoop {
namespace {

using namespace std::chrono_literals;
using testing::BadInput;
using testing::CliDataFolder;
using testing::CliProcess;
using testing::ReadFileBytes;
using testing::TempFolder;
using testing::WriteFileBytes;

// Bounded: a run that hangs fails the test instead of the suite.
CliProcess::Result RunBounded(const std::vector<std::string>& args) {
  CliProcess process(args);
  EXPECT_TRUE(process.started());
  CliProcess::Result result = process.Wait(60s);
  EXPECT_FALSE(result.timedOut) << args.back();
  return result;
}

// The word table the core itself makes of `text`.
std::string CoreTable(const std::string& text) {
  TMyParser parser;
  parser.AssignText(text);
  AnalysisResult result;
  ScanText(parser, result);
  std::string table;
  for (int i = 0; i < result.words.Count(); ++i) {
    table += std::string(result.words.Word(i)) + "\t" + std::to_string(result.words.Occurrences(i)) + "\n";
  }
  return table;
}

TEST(CliBadInputTest, EveryBadTextGivesItsTable) {
  TempFolder folder;
  int n = 0;
  for (const BadInput& input : testing::BadInputs()) {
    SCOPED_TRACE(input.name);
    const std::string path = folder / ("text" + std::to_string(n++) + ".txt");
    WriteFileBytes(path, input.bytes);
    const CliProcess::Result table = RunBounded({"table", path});
    const CliProcess::Result summary = RunBounded({"summary", path});
    EXPECT_EQ(table.exitCode, 0) << table.err;
    EXPECT_EQ(table.out, input.table);
    // A zero byte ends the count, and the user is told where.
    const std::string notice = ZeroByteNotice(TextToCp932(input.bytes));
    EXPECT_EQ(table.err, notice.empty() ? "" : "lexiscoop-cli: " + path + ": " + Utf8FromCp932(notice) + "\n");
    EXPECT_EQ(summary.exitCode, 0) << summary.err;
  }
}

TEST(CliBadInputTest, BinaryFilesGiveTheCoresWordsAndNothingElse) {
  TempFolder folder;
  const std::string random = folder / "random.bin";
  const std::string text = testing::RandomBinary(1 << 16, 11);
  WriteFileBytes(random, text);
  CliProcess::Result run = RunBounded({"table", random});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, CoreTable(text));
  EXPECT_EQ(run.err, "");

  // The program's own file, as a copy and by the link to the running program.
  const std::string copy = folder / "lexiscoop-cli.copy";
  std::filesystem::copy_file(LEXISCOOP_CLI_PATH, copy);
  const std::string expected = CoreTable(ReadFileBytes(copy));
  for (const std::string& path : {copy, std::string("/proc/self/exe")}) {
    run = RunBounded({"table", path});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, expected) << path;
  }
}

TEST(CliBadInputTest, NamesThatAreNoRegularFileAreRefusedWithoutWaiting) {
  TempFolder folder;
  CliDataFolder data;
  ASSERT_TRUE(data.packed());
  const std::string fifo = folder / "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string missing = folder / "missing.txt";
  for (const std::string& path : {folder.path().string(), fifo, std::string("/dev/zero"), missing}) {
    SCOPED_TRACE(path);
    const std::vector<std::vector<std::string>> commands = {
        {"table", path},
        {"summary", path},
        {"words", path},
        {"report", path},
        {"dict", "unpack", path},
        {"dict", "pack", path, folder / "out.dat"},
    };
    for (std::vector<std::string> args : commands) {
      args.insert(args.begin(), {"--data", data.path().string()});
      const CliProcess::Result run = RunBounded(args);
      EXPECT_EQ(run.exitCode, 1) << args[2];
      EXPECT_EQ(run.out, "") << args[2];
      EXPECT_NE(run.err.find(path), std::string::npos) << args[2] << ": " << run.err;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "out.dat"));
}

TEST(CliBadInputTest, ReadsAFileThatAnotherProgramHasOpenAndLocked) {
  // The window keeps its text file locked; the CLI still reads it, and two
  // runs of the CLI never refuse each other.
  TempFolder folder;
  const std::string path = folder / "text.txt";
  WriteFileBytes(path, "locked words\n");
  TMyParser window;
  window.LoadFile(path);
  const CliProcess::Result run = RunBounded({"table", path});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "locked\t1\nwords\t1\n");
}

TEST(CliBadInputTest, TextOverTheLimitIsRefusedBeforeItIsRead) {
  TempFolder folder;
  const std::string path = folder / "huge.txt";
  const int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(ftruncate(fd, kMaxTextBytes + 1), 0);  // sparse: no disk, no time
  close(fd);
  const auto started = std::chrono::steady_clock::now();
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"table", path}, {"dict", "pack", path, folder / "out.dat"}}) {
    const CliProcess::Result run = RunBounded(args);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(path), std::string::npos) << run.err;
    // Refused from the file's size: the process never held the text.
    EXPECT_LT(run.maxRssKb, 256 * 1024) << args[0];
  }
  const CliProcess::Result table = RunBounded({"table", path});
  EXPECT_EQ(table.err, "lexiscoop-cli: ファイル " + path +
                           " は大きすぎます (扱えるのは 2,147,483,647 バイトまでです)\n");
  // Reading 2 GiB of zeros would take far longer than refusing it.
  EXPECT_LT(std::chrono::steady_clock::now() - started, 30s);
}

class CliDamagedDataTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(data_.packed()); }
  CliDataFolder data_;
};

TEST_F(CliDamagedDataTest, DamagedDictionaryOrLevelListIsNamedNotTakenForEmpty) {
  struct Case {
    const char* file;
    std::vector<std::string> args;
  };
  const Case cases[] = {
      {"LxScoop.dat", {"dict", "info"}},
      {"LxScoop.dat", {"dict", "lookup", "go"}},
      {"LXJunior.dat", {"words", testing::TestDataFile("cli_sample.txt")}},
      {"LXBasics.dat", {"dict", "record", "go", "--forms", "went", "--level", "1"}},
  };
  for (const Case& c : cases) {
    const std::string path = data_ / c.file;
    const std::string good = ReadFileBytes(path);
    for (const std::string& damaged : {good.substr(0, good.size() / 2), std::string(), good + "x"}) {
      WriteFileBytes(path, damaged);
      std::vector<std::string> args = {"--data", data_.path().string()};
      args.insert(args.end(), c.args.begin(), c.args.end());
      const CliProcess::Result run = RunBounded(args);
      EXPECT_EQ(run.exitCode, 1) << c.file;
      EXPECT_EQ(run.out, "");
      EXPECT_EQ(run.err, "lexiscoop-cli: " + path + ": cannot be read (damaged: not a compressed list file)\n");
      EXPECT_EQ(ReadFileBytes(path), damaged);
      EXPECT_FALSE(std::filesystem::exists(data_ / "myLxScoop.dat"));
    }
    WriteFileBytes(path, good);
  }
}

TEST_F(CliDamagedDataTest, SaveThatCannotBeWrittenIsAFailure) {
  // A folder where the user's dictionary file goes: every save of it fails.
  std::filesystem::create_directory(data_ / "myLxScoop.dat");
  const std::string shipped = ReadFileBytes(data_ / "LxScoop.dat");
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"dict", "record", "cat", "--forms", "cats"}, {"dict", "delete", "cat"}}) {
    std::vector<std::string> all = {"--data", data_.path().string()};
    all.insert(all.end(), args.begin(), args.end());
    const CliProcess::Result run = RunBounded(all);
    EXPECT_EQ(run.exitCode, 1) << args[1];
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("'cat' was not saved"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Is a directory"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFileBytes(data_ / "LxScoop.dat"), shipped);
  }
}

}  // namespace
}  // namespace lexiscoop
