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
  const std::vector<std::string> expected = {
      " cli_sample.txt",
      "----------------------------------",
      "単語の出現頻度(個数)",
      "（単語の累計数です）",
      "----------------------------------",
      "総数                  37 個  100 %",
      "",
      "基本                   9 個   24 %",
      "中学                   9 個   24 %",
      "大学受験               0 個    0 %",
      "一般                   1 個    2 %",
      "その他                 6 個   16 %",
      "未登録                12 個   32 %",
      "",
      "",
      "----------------------------------",
      "単語表記の出現頻度(種類)",
      "（文に表記されている形の種類数です）",
      "----------------------------------",
      "総数                  31 形  100 %",
      "",
      "基本                   6 形   19 %",
      "中学                   7 形   22 %",
      "大学受験               0 形    0 %",
      "一般                   1 形    3 %",
      "その他                 5 形   16 %",
      "未登録                12 形   38 %",
      "",
      "",
      "----------------------------------",
      "レベル別単語の利用状況",
      "（各レベルのうちで使われている割合です）",
      "----------------------------------",
      "基本                   5 種  100 %",
      "中学                   3 種  100 %",
      "大学受験               0 種    0 %",
      "一般                   1 種  100 %",
  };
  EXPECT_EQ(Lines(run.out), expected);
  EXPECT_EQ(run.out.find('\r'), std::string::npos);

  const testing::CliRun clip =
      RunCliProgram(data.With({"report", "--clipboard-form", TestDataFile("cli_sample.txt")}));
  ASSERT_EQ(clip.exitCode, 0) << clip.err;
  std::vector<std::string> withShortSeparators = expected;
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
