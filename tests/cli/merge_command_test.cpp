#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_runner.h"

namespace lexiscoop {
namespace {

using testing::RunCliProgram;
using testing::TempFolder;
using testing::WriteFileBytes;

class MergeCommandTest : public ::testing::Test {
 protected:
  std::string Table(const std::string& name, const std::string& text) {
    WriteFileBytes(folder_ / (name + ".txt"), text);
    const testing::CliRun run = RunCliProgram({"table", folder_ / (name + ".txt")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    WriteFileBytes(folder_ / (name + ".tab"), run.out);
    return folder_ / (name + ".tab");
  }
  TempFolder folder_;
};

TEST_F(MergeCommandTest, TablesOfThePartsSumToTheTableOfTheWhole) {
  const std::vector<std::string> parts = {
      "The cat saw the dog.\nA DOG saw THE cat.\n",
      "dogs and Cats; the end\n",
      "\n",
      "New words: zebra, Zebra, ZEBRA and the\n",
  };
  std::string whole;
  std::vector<std::string> args = {"merge"};
  for (size_t i = 0; i < parts.size(); ++i) {
    whole += parts[i];
    args.push_back(Table("part" + std::to_string(i), parts[i]));
  }
  const std::string wholeTable = testing::ReadFileBytes(Table("whole", whole));
  const testing::CliRun run = RunCliProgram(args);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, wholeTable);
  // Written out: the first spelling met, by the order of the parts.
  EXPECT_EQ(run.out,
            "The\t5\ncat\t2\nsaw\t2\ndog\t2\nA\t1\ndogs\t1\nand\t2\nCats\t1\nend\t1\nNew\t1\nwords\t1\n"
            "zebra\t3\n");
}

TEST_F(MergeCommandTest, OrderOfThePartsDecidesSpellingAndPlace) {
  WriteFileBytes(folder_ / "a.tab", "Apple\t2\nbanana\t1\n");
  WriteFileBytes(folder_ / "b.tab", "BANANA\t4\r\napple\t1\r\ncherry\t7\r\n");
  EXPECT_EQ(RunCliProgram({"merge", folder_ / "b.tab", folder_ / "a.tab"}).out, "BANANA\t5\napple\t3\ncherry\t7\n");
  EXPECT_EQ(RunCliProgram({"merge", folder_ / "a.tab", folder_ / "b.tab"}).out, "Apple\t3\nbanana\t5\ncherry\t7\n");
  // Standard input is a table too.
  EXPECT_EQ(RunCliProgram({"merge", "-", folder_ / "a.tab"}, folder_ / "b.tab").out, "BANANA\t5\napple\t3\ncherry\t7\n");
}

TEST_F(MergeCommandTest, SumsBeyondThirtyTwoBitsStayExact) {
  WriteFileBytes(folder_ / "big.tab", "the\t2147483647\n");
  const std::string big = folder_ / "big.tab";
  EXPECT_EQ(RunCliProgram({"merge", big, big, big}).out, "the\t6442450941\n");
}

TEST_F(MergeCommandTest, BadTablesFailNamingFileAndLine) {
  struct Case {
    std::string bytes;
    std::string message;
  } cases[] = {
      {"the\t1\nno tab here\n", "line 2: not a line of a word, a TAB and a count"},
      {"\t3\n", "line 1: not a line of a word, a TAB and a count"},
      {"the\t-1\n", "line 1: the count is not a whole number of 0 or more"},
      {"the\t1x\n", "line 1: the count is not a whole number of 0 or more"},
      {"the\t\n", "line 1: the count is not a whole number of 0 or more"},
      {"the\t99999999999999999999\n", "line 1: the count is not a whole number of 0 or more"},
  };
  for (const Case& c : cases) {
    WriteFileBytes(folder_ / "bad.tab", c.bytes);
    const testing::CliRun run = RunCliProgram({"merge", folder_ / "bad.tab"});
    EXPECT_EQ(run.exitCode, 1) << c.bytes;
    EXPECT_EQ(run.err, "lexiscoop-cli: " + (folder_ / "bad.tab") + ": " + c.message + "\n");
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(RunCliProgram({"merge", folder_ / "missing.tab"}).exitCode, 1);
  EXPECT_EQ(RunCliProgram({"merge"}).exitCode, 2);
}

}  // namespace
}  // namespace lexiscoop
