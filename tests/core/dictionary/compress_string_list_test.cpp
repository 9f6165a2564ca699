#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <random>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "dictionary/CompressStringList.h"
#include "dictionary/DeltaCode.h"
#include "platform/AtomicFile.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

using testing_support::ReadBytes;
using testing_support::TestFolder;

std::vector<std::string> Lines(const TStringList& list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
  return lines;
}

TCompressStringList ListOf(const std::vector<std::string>& lines) {
  TCompressStringList list;
  for (const std::string& line : lines) list.Add(line);
  return list;
}

class CompressStringListTest : public ::testing::Test {
 protected:
  void TearDown() override { SetWriteFaultForTesting(std::nullopt); }
  TestFolder dir_;
};

TEST_F(CompressStringListTest, SavesTheAbcLineAs41BytesAndReadsItBack) {
  const std::string path = dir_ / "abc.dat";
  ASSERT_TRUE(ListOf({"abc"}).SaveToFile(path).ok());
  const std::string image = ReadBytes(path);
  ASSERT_EQ(image.size(), 41u);
  EXPECT_EQ(image.substr(32), std::string("\x0D\x0A\x63\x61\x62\x90\x4A\x00\x08", 9));
  TCompressStringList back;
  ASSERT_TRUE(back.LoadFromFile(path).ok());
  EXPECT_EQ(Lines(back), std::vector<std::string>{"abc"});
}

TEST_F(CompressStringListTest, EmptyListIs33BytesAndLoadsEmpty) {
  const std::string path = dir_ / "empty.dat";
  ASSERT_TRUE(TCompressStringList().SaveToFile(path).ok());
  const std::string image = ReadBytes(path);
  ASSERT_EQ(image.size(), 33u);
  EXPECT_EQ(static_cast<unsigned char>(image[32]), 0xAA);
  TCompressStringList back = ListOf({"old"});
  ASSERT_TRUE(back.LoadFromFile(path).ok());
  EXPECT_EQ(back.Count(), 0);
}

TEST_F(CompressStringListTest, RoundTripsRandomListsOfEverySizeClass) {
  // Lists whose texts hold 2 (CR LF only), up to 10, up to 42, exactly 42
  // and all 256 distinct bytes (M = 1, <= 9, <= 41, 41, 255).
  std::mt19937 rng(7);
  struct Row {
    int alphabet;
    int lines;
  };
  const Row rows[] = {{0, 3}, {8, 20}, {40, 200}, {40, 2000}, {254, 400}, {254, 3000}};
  for (const Row& row : rows) {
    std::vector<char> symbols;
    for (int b = 0; b < 256 && static_cast<int>(symbols.size()) < row.alphabet; ++b) {
      if (b != 0 && b != '\r' && b != '\n') symbols.push_back(static_cast<char>(b));
    }
    std::vector<std::string> lines;
    for (int i = 0; i < row.lines; ++i) {
      std::string line;
      const int length = symbols.empty() ? 0 : static_cast<int>(rng() % 12);
      for (int j = 0; j < length; ++j) line.push_back(symbols[rng() % symbols.size()]);
      lines.push_back(line);
    }
    const std::string path = dir_ / ("list" + std::to_string(row.alphabet) + ".dat");
    ASSERT_TRUE(ListOf(lines).SaveToFile(path).ok());
    TCompressStringList back;
    ASSERT_TRUE(back.LoadFromFile(path).ok());
    EXPECT_EQ(Lines(back), lines) << row.alphabet;
  }
}

TEST_F(CompressStringListTest, MissingFileIsReportedByNameAndKeepsTheLines) {
  TCompressStringList list = ListOf({"kept"});
  const std::string path = dir_ / "myLxScoop.dat";
  EXPECT_EQ(list.LoadFromFile(path).systemError(), ENOENT);
  EXPECT_EQ(Utf8FromCp932(TCompressStringList::MissingFileMessage(path)), path + " がありません");
  EXPECT_EQ(Lines(list), std::vector<std::string>{"kept"});
}

TEST_F(CompressStringListTest, DamagedFilesLeaveTheLines) {
  const std::string path = dir_ / "list.dat";
  ASSERT_TRUE(ListOf({"one", "two"}).SaveToFile(path).ok());
  const std::string good = ReadBytes(path);
  std::string wrongVersion = good;
  wrongVersion[3] = '2';
  for (const std::string& damaged : {good.substr(0, good.size() - 1), wrongVersion, std::string("BDC")}) {
    ASSERT_TRUE(WriteFileAtomically(path, damaged).ok());
    TCompressStringList list = ListOf({"kept"});
    EXPECT_EQ(list.LoadFromFile(path).systemError(), EBADMSG);
    EXPECT_EQ(Lines(list), std::vector<std::string>{"kept"});
  }
  TCompressStringList list = ListOf({"kept"});
  EXPECT_EQ(list.LoadFromFile(dir_.path()).systemError(), ENOENT);  // a folder is no file
}

TEST_F(CompressStringListTest, SortedLoadMatchesInsertingLineByLine) {
  const std::string text = "pear\r\nApple\r\napple\r\n\r\nzoo\r\nAPPLE\r\nco-op\r\ncoop\r\npear\r\n";
  for (Duplicates policy : {Duplicates::Ignore, Duplicates::Accept}) {
    TStringList expected;
    expected.SetDuplicates(policy);
    expected.SetSorted(true);
    expected.SetText(text);  // one sorted insertion per line
    TCompressStringList list;
    list.SetDuplicates(policy);
    list.SetSorted(true);
    list.LoadText(text);
    EXPECT_EQ(Lines(list), Lines(expected)) << static_cast<int>(policy);
    EXPECT_TRUE(list.Sorted());
  }
}

TEST_F(CompressStringListTest, SaveRefusesAnEmptyNameAndAnUncreatableFolder) {
  EXPECT_FALSE(ListOf({"x"}).SaveToFile("").ok());
  const std::string blocker = dir_ / "file";
  ASSERT_TRUE(WriteFileAtomically(blocker, "not a folder").ok());
  EXPECT_FALSE(ListOf({"x"}).SaveToFile(blocker + "/sub/list.dat").ok());
  EXPECT_EQ(ReadBytes(blocker), "not a folder");
}

TEST_F(CompressStringListTest, SaveCreatesMissingFolders) {
  const std::string path = dir_ / "a/b/c/list.dat";
  ASSERT_TRUE(ListOf({"deep"}).SaveToFile(path).ok());
  TCompressStringList back;
  ASSERT_TRUE(back.LoadFromFile(path).ok());
  EXPECT_EQ(Lines(back), std::vector<std::string>{"deep"});
}

TEST_F(CompressStringListTest, SaveOverAReadOnlyFileKeepsItReadOnly) {
  const std::string path = dir_ / "ro.dat";
  ASSERT_TRUE(ListOf({"old"}).SaveToFile(path).ok());
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  ASSERT_TRUE(ListOf({"new"}).SaveToFile(path).ok());
  struct stat st{};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0444u);
  TCompressStringList back;
  ASSERT_TRUE(back.LoadFromFile(path).ok());
  EXPECT_EQ(Lines(back), std::vector<std::string>{"new"});
}

TEST_F(CompressStringListTest, FailedSaveLeavesTheOldFileByteForByte) {
  const std::string path = dir_ / "dict.dat";
  ASSERT_TRUE(ListOf({"old", "lines"}).SaveToFile(path).ok());
  const std::string before = ReadBytes(path);
  for (WriteStep step : {WriteStep::Open, WriteStep::Write, WriteStep::Flush, WriteStep::Rename}) {
    SetWriteFaultForTesting(step);
    EXPECT_EQ(ListOf({"new"}).SaveToFile(path).systemError(), EIO);
    SetWriteFaultForTesting(std::nullopt);
    EXPECT_EQ(ReadBytes(path), before);
  }
}

}  // namespace
}  // namespace lexiscoop
