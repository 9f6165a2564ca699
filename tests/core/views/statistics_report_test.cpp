#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Cp932.h"
#include "views/CopyText.h"
#include "views/StatisticsReport.h"

namespace lexiscoop {
namespace {

std::string Sjis(const char* utf8) { return Cp932FromUtf8(utf8); }

TEST(ReportLineTest, PadsFieldsInBytesAndTruncatesThePerCent) {
  struct Case {
    const char* name;
    int32_t count, base;
    std::string line;  // UTF-8
  } cases[] = {
      {"総数", 1234, 1234, "総数               1,234 個  100 %"},
      {"基本", 56, 1234, "基本                  56 個    4 %"},  // 4.5: truncated
      {"大学受験", 617, 1234, "大学受験             617 個   50 %"},
      {"その他", 0, 1234, "その他                 0 個    0 %"},
      {"一般", 5, 0, "一般                   5 個    0 %"},  // no base: 0
      {"未登録", 2000000000, 2000000000, "未登録     2,000,000,000 個  100 %"},
      {"長い名前です", 1, 3, std::string("長い名前です") + std::string(15, ' ') + "1 個   33 %"},  // longer than 8 bytes: not cut
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReportLine(Sjis(c.name), c.count, c.base, Sjis("個")), Sjis(c.line.c_str())) << c.line;
  }
}

TEST(LevelUsageLineTest, CountsUsedEntriesOfAllEntries) {
  EXPECT_EQ(LevelUsageLine(Sjis("中学"), 2, 4), Sjis("中学                   2 種   50 %"));
  EXPECT_EQ(LevelUsageLine(Sjis("一般"), 0, 0), Sjis("一般                   0 種    0 %"));
}

class StatisticsReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    result_.levelOccurrences = {56, 450, 100, 28, 500, 100};  // 1,234
    result_.levelDistinct = {10, 20, 5, 5, 40, 20};           // 100
    result_.levelEntriesUsed = {2, 0, 0, 0};
    result_.levelEntryCount = {3, 1, 0, 0};
  }
  std::vector<std::string> Build(ReportForm form) {
    return BuildStatisticsReport(Sjis("レキシスクープ 単語拾い / a.txt"), result_, form);
  }

  AnalysisResult result_;
};

TEST_F(StatisticsReportTest, MemoFormIsByteExact) {
  const char* expected[kReportLineCount] = {
      " a.txt",
      "----------------------------------",
      "単語の出現頻度(個数)",
      "（単語の累計数です）",
      "----------------------------------",
      "総数               1,234 個  100 %",
      "",
      "基本                  56 個    4 %",
      "中学                 450 個   36 %",
      "大学受験             100 個    8 %",
      "一般                  28 個    2 %",
      "その他               500 個   40 %",
      "未登録               100 個    8 %",
      "",
      "",
      "----------------------------------",
      "単語表記の出現頻度(種類)",
      "（文に表記されている形の種類数です）",
      "----------------------------------",
      "総数                 100 形  100 %",
      "",
      "基本                  10 形   10 %",
      "中学                  20 形   20 %",
      "大学受験               5 形    5 %",
      "一般                   5 形    5 %",
      "その他                40 形   40 %",
      "未登録                20 形   20 %",
      "",
      "",
      "----------------------------------",
      "レベル別単語の利用状況",
      "（各レベルのうちで使われている割合です）",
      "----------------------------------",
      "基本                   2 種   66 %",
      "中学                   0 種    0 %",
      "大学受験               0 種    0 %",
      "一般                   0 種    0 %",
  };
  const std::vector<std::string> lines = Build(ReportForm::Memo);
  ASSERT_EQ(lines.size(), static_cast<size_t>(kReportLineCount));
  for (int i = 0; i < kReportLineCount; ++i) EXPECT_EQ(lines[i], Sjis(expected[i])) << "line " << i + 1;
}

TEST_F(StatisticsReportTest, ClipboardFormDiffersOnlyInTheSeparators) {
  const std::vector<std::string> memo = Build(ReportForm::Memo);
  const std::vector<std::string> clip = Build(ReportForm::Clipboard);
  ASSERT_EQ(clip.size(), memo.size());
  int separators = 0;
  for (size_t i = 0; i < memo.size(); ++i) {
    if (memo[i] == std::string(34, '-')) {
      EXPECT_EQ(clip[i], "---");
      ++separators;
    } else {
      EXPECT_EQ(clip[i], memo[i]);
    }
  }
  EXPECT_EQ(separators, 6);
  const std::string text = JoinCrLf(clip);
  EXPECT_EQ(text.substr(0, 13), " a.txt\r\n---\r\n");
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST_F(StatisticsReportTest, EmptyRunAndCaptionWithoutSlash) {
  AnalysisResult empty;
  const auto lines = BuildStatisticsReport(Sjis("レキシスクープ 単語拾い"), empty, ReportForm::Memo);
  ASSERT_EQ(lines.size(), static_cast<size_t>(kReportLineCount));
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[5], Sjis("総数                   0 個    0 %"));
  EXPECT_EQ(lines[12], Sjis("未登録                 0 個    0 %"));
  EXPECT_EQ(lines[19], Sjis("総数                   0 形    0 %"));
  // Only the first "/" splits; the rest belongs to the title.
  const auto titled = BuildStatisticsReport(Sjis("レキシスクープ 単語拾い / a/b"), empty, ReportForm::Memo);
  EXPECT_EQ(titled[0], " a/b");
}

TEST_F(StatisticsReportTest, PerCentColumnCopyTakesTheFigureBeforeEachPercentSign) {
  std::vector<std::string> lines = Build(ReportForm::Memo);
  const std::string copy = CopyPercentColumn(lines);
  std::vector<std::string> got;
  for (size_t p = 0; p < copy.size();) {
    const size_t e = copy.find("\r\n", p);
    ASSERT_NE(e, std::string::npos);
    got.push_back(copy.substr(p, e - p));
    p = e + 2;
  }
  const std::vector<std::string> expected = {
      " a.txt", "", "", "", "", "100", "", "4", "36", "8", "2", "40", "8", "", "",
      "",       "", "", "", "100", "", "10", "20", "5", "5", "40", "20", "", "",
      "",       "", "", "", "66", "0", "0", "0"};
  EXPECT_EQ(got, expected);
  EXPECT_EQ(CopyPercentColumn({}), "");
  EXPECT_EQ(CopyPercentColumn({"t", "no sign", "x  45 %", "abc5%", "%"}), "t\r\n\r\n45\r\nbc5\r\n\r\n");
}

}  // namespace
}  // namespace lexiscoop
