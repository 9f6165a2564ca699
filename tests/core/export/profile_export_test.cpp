#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/ProfileExport.h"
#include "export/TableText.h"

namespace lexiscoop {
namespace {

// A profile whose running words are all of one level: `known` of them known
// from `stage` on (as coverage counts), the rest of level None.
TextProfile Text(const std::string& path, int64_t tokens, int64_t known, CoverageStage stage) {
  TextProfile p;
  p.path = path;
  p.tokens = tokens;
  p.types = tokens / 2;
  const auto level = static_cast<size_t>(stage);
  p.levelTokens[level] = known;
  p.levelTokens[static_cast<size_t>(LevelIndex(WordLevel::None))] = tokens - known;
  p.coverage.runningWords = tokens;
  for (size_t s = level; s < p.coverage.known.size(); ++s) p.coverage.known[s] = known;
  return p;
}

TextProfile Failed(const std::string& path) {
  TextProfile p;
  p.path = path;
  p.status = ProfileStatus::Failed;
  p.error = "cannot be read";
  return p;
}

std::vector<std::string> Paths(const std::vector<TextProfile>& profiles) {
  std::vector<std::string> paths;
  for (const TextProfile& p : profiles) paths.push_back(p.path);
  return paths;
}

TEST(SortProfilesTest, NumbersTextsAndStagesWithFailuresLast) {
  const std::vector<TextProfile> texts = {
      Failed("x-broken"),
      Text("b", 100, 99, CoverageStage::General),      // 98% at general
      Text("a", 200, 196, CoverageStage::Junior),      // 98% at junior
      Text("c", 50, 40, CoverageStage::Basic),         // never 95%
      Text("d", 100, 96, CoverageStage::Basic),        // 95% at basic, never 98%
  };
  struct Case {
    std::string column;
    bool descending;
    std::vector<std::string> order;
  } cases[] = {
      {"tokens", false, {"c", "b", "d", "a", "x-broken"}},
      {"tokens", true, {"a", "b", "d", "c", "x-broken"}},
      {"file", false, {"a", "b", "c", "d", "x-broken"}},
      {"file", true, {"d", "c", "b", "a", "x-broken"}},
      // Stages in their order, "none reached" after general.
      {"stage_95", false, {"d", "a", "b", "c", "x-broken"}},
      {"stage_98", false, {"a", "b", "c", "d", "x-broken"}},
      {"coverage_basic", true, {"d", "c", "b", "a", "x-broken"}},
      {"tokens_none_pct", false, {"b", "a", "d", "c", "x-broken"}},
  };
  for (const Case& c : cases) {
    std::vector<TextProfile> sorted = texts;
    ASSERT_TRUE(SortProfiles(sorted, c.column, c.descending)) << c.column;
    EXPECT_EQ(Paths(sorted), c.order) << c.column << (c.descending ? " desc" : "");
  }
  std::vector<TextProfile> unchanged = texts;
  EXPECT_FALSE(SortProfiles(unchanged, "no_such_column", false));
  EXPECT_EQ(Paths(unchanged), Paths(texts));
}

TEST(ProfileTableTest, FailedRowsAreBlankAndTheTotalSumsTheRest) {
  const ExportTable table = ProfileTable({Text("a", 200, 196, CoverageStage::Junior), Failed("bad"),
                                          Text("b", 100, 99, CoverageStage::General)});
  ASSERT_EQ(table.rows.size(), 4u);
  const std::string json = JsonLinesText(table);
  const size_t second = json.find('\n') + 1;
  const std::string failedLine = json.substr(second, json.find('\n', second) - second);
  EXPECT_EQ(failedLine.rfind(R"({"file":"bad","tokens":null,"types":null,"tokens_basic":null,)", 0), 0u) << failedLine;
  EXPECT_NE(failedLine.find(R"("error":"cannot be read"})"), std::string::npos);
  const std::string total = TsvText(table, false).substr(TsvText(table, false).rfind("(total)"));
  // 300 tokens, 150 types; basic none, junior 196 (65.3%), general 99.
  EXPECT_EQ(total.rfind("(total)\t300\t150\t0\t0.0\t0\t0.0\t196\t65.3\t", 0), 0u) << total;
  EXPECT_NE(total.find("\t196\t65.3\t"), std::string::npos) << total;
  // Coverage from the sums: junior 196/300 = 65.3, general 295/300 = 98.3.
  EXPECT_NE(total.find("\t65.3\t65.3\t98.3\tgeneral\tgeneral\t"), std::string::npos) << total;
}

}  // namespace
}  // namespace lexiscoop
