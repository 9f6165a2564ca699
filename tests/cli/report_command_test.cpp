#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_runner.h"

namespace lexiscoop {
namespace {

using testing::CliDataFolder;
using testing::RunCliProgram;
using testing::TestDataFile;

std::vector<std::string> Lines(const std::string& out) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < out.size()) {
    const size_t end = out.find('\n', pos);
    if (end == std::string::npos) break;
    lines.push_back(out.substr(pos, end - pos));
    pos = end + 1;
  }
  return lines;
}

TEST(ReportCommandTest, WritesTheThirtySevenLinesOfTheMemo) {
  CliDataFolder data;
  ASSERT_TRUE(data.packed());
  const testing::CliRun run = RunCliProgram(data.With({"report", TestDataFile("cli_sample.txt")}));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 37u);
  EXPECT_EQ(run.out.find('\r'), std::string::npos);
  // Line number (1-based) → text: the title, the counters of the sample
  // text against the fixture dictionary, and the level-list use.
  const std::pair<int, const char*> expected[] = {
      {1, " cli_sample.txt"},
      {2, "----------------------------------"},
      {6, "総数                  37 個  100 %"},
      {8, "基本                   9 個   24 %"},
      {9, "中学                   9 個   24 %"},
      {11, "一般                   1 個    2 %"},
      {12, "その他                 6 個   16 %"},
      {13, "未登録                12 個   32 %"},
      {20, "総数                  31 形  100 %"},
      {22, "基本                   6 形   19 %"},
      {23, "中学                   7 形   22 %"},
      {26, "その他                 5 形   16 %"},
      {27, "未登録                12 形   38 %"},
      {34, "基本                   5 種  100 %"},
      {35, "中学                   3 種  100 %"},
      {36, "大学受験               0 種    0 %"},
      {37, "一般                   1 種  100 %"},
  };
  for (const auto& [number, text] : expected) EXPECT_EQ(lines[number - 1], text) << "line " << number;

  const testing::CliRun clip =
      RunCliProgram(data.With({"report", "--clipboard-form", TestDataFile("cli_sample.txt")}));
  ASSERT_EQ(clip.exitCode, 0) << clip.err;
  std::vector<std::string> withShortSeparators = lines;
  for (std::string& line : withShortSeparators) {
    if (line == std::string(34, '-')) line = "---";
  }
  EXPECT_EQ(Lines(clip.out), withShortSeparators);
}

TEST(ReportCommandTest, NamesStandardInputByItsFirstNonBlankLine) {
  CliDataFolder data;
  ASSERT_TRUE(data.packed());
  testing::TempFolder folder;
  testing::WriteFileBytes(folder / "in.txt", "\r\n  \r\n  My cat\r\ncats\r\n");
  const testing::CliRun run = RunCliProgram(data.With({"report", "-"}), folder / "in.txt");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 37u);
  EXPECT_EQ(lines[0], "   My cat");
  EXPECT_EQ(lines[5], "総数                   3 個  100 %");
  EXPECT_EQ(lines[7], "基本                   2 個   66 %");
}

TEST(ReportCommandTest, RefusesBadArgumentsAndUnreadableInput) {
  CliDataFolder data;
  EXPECT_EQ(RunCliProgram(data.With({"report"})).exitCode, 2);
  EXPECT_EQ(RunCliProgram(data.With({"report", "a.txt", "b.txt"})).exitCode, 2);
  EXPECT_EQ(RunCliProgram(data.With({"report", "--memo", "a.txt"})).exitCode, 2);
  const testing::CliRun run = RunCliProgram(data.With({"report", data.path().string()}));
  EXPECT_EQ(run.exitCode, 1);  // a folder is not a text
  EXPECT_FALSE(run.err.empty());
  EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace lexiscoop
