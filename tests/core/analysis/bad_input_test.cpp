// The text holder over files it should never have been given: each bad text
// of bad_inputs.h gives its word table or its exact failure; folders, FIFOs,
// devices and missing names are refused without waiting on them.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "analysis/MyParser.h"
#include "analysis/ParserDB.h"
#include "core/analysis/bad_inputs.h"
#include "core/analysis/reference_scanner.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

class BadInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/lexiscoop-bad-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string File(const std::string& name, const std::string& bytes) {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  std::string dir_;
};

// The table of the analysis run over `path`.
std::string TableOf(const std::string& path) {
  TMyParser parser;
  AnalysisResult result;
  parser.LoadFile(path);
  ScanText(parser, result);
  std::string table;
  for (int i = 0; i < result.words.Count(); ++i) {
    table += std::string(result.words.Word(i)) + "\t" + std::to_string(result.words.Occurrences(i)) + "\n";
  }
  return table;
}

TEST_F(BadInputTest, EveryBadTextGivesItsTable) {
  int n = 0;
  for (const testing::BadInput& input : testing::BadInputs()) {
    const std::string path = File("text" + std::to_string(n++) + ".txt", input.bytes);
    EXPECT_EQ(TableOf(path), input.table) << input.name;
  }
}

TEST_F(BadInputTest, BinaryFilesScanLikeThePlainSplitter) {
  const std::vector<std::string> texts = {testing::RandomBinary(1 << 16, 7), testing::RandomBinary(5000, 8)};
  for (const std::string& text : texts) {
    TMyParser parser;
    parser.LoadFile(File("random.bin", text));
    std::vector<std::string> words;
    parser.Rewind();
    for (; parser.HasWord(); parser.NextWord()) words.push_back(parser.CurrentWord());
    EXPECT_EQ(words, testing::ReferenceWords(text));
  }
  // The test program itself: its header holds the word "ELF", then a zero byte.
  EXPECT_EQ(TableOf("/proc/self/exe"), "ELF\t1\n");
}

TEST_F(BadInputTest, NamesThatAreNoRegularFileLeaveTheTextAndAreRefusedWhenRead) {
  const std::string fifo = dir_ + "/fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  struct Case {
    std::string path;
    std::string reason;  // in the message of ReadTextFile
  };
  const Case cases[] = {
      {dir_, "Is a directory"},
      {fifo, "通常のファイルではありません"},
      {"/dev/zero", "通常のファイルではありません"},
      {dir_ + "/missing.txt", "No such file or directory"},
  };
  for (const Case& c : cases) {
    // The holder takes what is no regular file for a name that does not
    // exist: its text stays.
    TMyParser parser;
    parser.AssignText("kept text");
    parser.LoadFile(c.path);
    EXPECT_EQ(parser.FullText(), "kept text") << c.path;

    std::string message;
    try {
      ReadTextFile(c.path);
    } catch (const EFileOpenError& e) {
      message = Utf8FromCp932(e.what());
    }
    EXPECT_EQ(message, "ファイル " + c.path + " を開けません (" + c.reason + ")");
  }
}

TEST_F(BadInputTest, ReadTextFileConvertsAndLeavesTheFileUnlocked) {
  const std::string path = File("u16.txt", testing::Utf16("Hi there", false, true));
  TMyParser holder;
  holder.LoadFile(path);  // holds the lock
  EXPECT_EQ(ReadTextFile(path), "Hi there");
  EXPECT_EQ(ReadTextFile(path), "Hi there");
}

}  // namespace
}  // namespace lexiscoop
