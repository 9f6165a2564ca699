#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "platform/Cp932.h"
#include "test_dictionary.h"
#include "views/Coverage.h"
#include "views/WordLevels.h"

namespace lexiscoop {
namespace {

using testing::TestDictionary;

struct Word {
  const char* spelling;
  WordLevel level;
  int32_t occurrences;
};

CoverageFigures FiguresOf(std::initializer_list<Word> words) {
  CoverageTally tally;
  for (const Word& w : words) tally.Add(w.spelling, w.level, w.occurrences);
  return tally.Figures();
}

std::string Utf8Verdict(const CoverageFigures& figures) { return Utf8FromCp932(CoverageVerdict(figures)); }

// 40 running words worked out by hand: basic 20, junior 8, university 2,
// general 4, その他 1, names 3 (Smith ×2, Osaka ×1), plain unknown words 2.
TEST(CoverageTest, CumulatesStagesAndCountsNamesAsKnownEverywhere) {
  const CoverageFigures f = FiguresOf({
      {"the", WordLevel::Basic, 20},   {"Smith", WordLevel::None, 2},   {"school", WordLevel::Junior, 8},
      {"exam", WordLevel::ToUniversity, 2}, {"lexeme", WordLevel::General, 4},
      {"Thomas", WordLevel::Other, 1}, {"Osaka", WordLevel::None, 1},  {"blorp", WordLevel::None, 2},
  });
  EXPECT_EQ(f.runningWords, 40);
  EXPECT_EQ(f.nameKinds, 2);
  EXPECT_EQ(f.nameOccurrences, 3);
  const std::array<int64_t, LevelSet::kMaxListedLevels> known = {23, 31, 33, 37};
  EXPECT_EQ(f.known, known);
  EXPECT_EQ(f.PercentText(CoverageStage::Basic), "57.5");
  EXPECT_EQ(f.PercentText(CoverageStage::Junior), "77.5");
  EXPECT_EQ(f.PercentText(CoverageStage::ToUniversity), "82.5");
  EXPECT_EQ(f.PercentText(CoverageStage::General), "92.5");
  EXPECT_FALSE(f.StageReaching(kSupportedReadingPercent).has_value());
  EXPECT_EQ(Utf8Verdict(f), "一般レベルでも 92.5% (読むのは難しい)　固有名詞 3 語を既知として計算");
}

// A capital makes a name only of a word the dictionary lacks; a lower-case
// unknown word and a non-letter start are never names.
TEST(CoverageTest, NamesAreCapitalisedWordsMissingFromTheDictionary) {
  EXPECT_TRUE(LooksLikeName("Smith"));
  EXPECT_TRUE(LooksLikeName("X"));
  EXPECT_FALSE(LooksLikeName("smith"));
  EXPECT_FALSE(LooksLikeName("3D"));
  EXPECT_FALSE(LooksLikeName(""));
  const CoverageFigures f = FiguresOf({{"Japan", WordLevel::General, 5}, {"Zed", WordLevel::Other, 5}});
  EXPECT_EQ(f.nameKinds, 0);
  const std::array<int64_t, LevelSet::kMaxListedLevels> known = {0, 0, 0, 5};
  EXPECT_EQ(f.known, known);
}

// Per mille truncated, and thresholds compared exactly: 949 of 1000 is not
// 95%, 950 is; the shown figure never rounds up across a threshold.
TEST(CoverageTest, ThresholdsAreExactAndFiguresTruncate) {
  struct Row {
    int32_t basic, junior, unknown;
    const char* basicText;
    int reaches95;  // stage index, -1 for none
    int reaches98;
    const char* verdict;
  };
  const Row rows[] = {
      {949, 0, 51, "94.9", -1, -1, "一般レベルでも 94.9% (読むのは難しい)"},
      {9499, 0, 501, "94.9", -1, -1, "一般レベルでも 94.9% (読むのは難しい)"},
      {950, 0, 50, "95.0", 0, -1, "基本語レベルで 95.0% (支援があれば読める)"},
      {900, 62, 38, "90.0", 1, -1, "中学修了レベルで 96.2% (支援があれば読める)"},
      {900, 80, 20, "90.0", 1, 1, "中学修了レベルで 98.0% (ひとりで読める)"},
      {1000, 0, 0, "100.0", 0, 0, "基本語レベルで 100.0% (ひとりで読める)"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.basicText);
    const CoverageFigures f = FiguresOf(
        {{"a", WordLevel::Basic, r.basic}, {"b", WordLevel::Junior, r.junior}, {"c", WordLevel::None, r.unknown}});
    EXPECT_EQ(f.PercentText(CoverageStage::Basic), r.basicText);
    const auto s95 = f.StageReaching(kSupportedReadingPercent);
    const auto s98 = f.StageReaching(kIndependentReadingPercent);
    EXPECT_EQ(s95 ? static_cast<int>(*s95) : -1, r.reaches95);
    EXPECT_EQ(s98 ? static_cast<int>(*s98) : -1, r.reaches98);
    EXPECT_EQ(Utf8Verdict(f), r.verdict);
  }
}

TEST(CoverageTest, EmptyTextHasNoFiguresAndNoVerdict) {
  const CoverageFigures f = CoverageTally().Figures();
  EXPECT_EQ(f.PercentText(CoverageStage::General), "0.0");
  EXPECT_FALSE(f.StageReaching(kSupportedReadingPercent).has_value());
  EXPECT_EQ(CoverageVerdict(f), "");
}

TEST(CoverageTest, StageKeysAreTheCommandLineNames) {
  EXPECT_EQ(CoverageStageKey(CoverageStage::Basic), "basic");
  EXPECT_EQ(CoverageStageKey(CoverageStage::Junior), "junior");
  EXPECT_EQ(CoverageStageKey(CoverageStage::ToUniversity), "university");
  EXPECT_EQ(CoverageStageKey(CoverageStage::General), "general");
}

// The levels given to coverage are the ones the report counts: over random
// texts drawn from an ambiguous small dictionary, the occurrences per level
// of WordLevelsOf equal the report's counters, and coverage at 一般
// equals the report's first four level lines plus the names.
TEST(CoverageTest, AgreesWithTheReportCounters) {
  TestDictionary dict;
  dict.Line("see", {"sees", "saw", "seen"});
  dict.Line("saw", {"saws"});
  dict.Line("leave", {"leaves", "left"});
  dict.Line("left", {});
  dict.Line("school", {"schools"});
  dict.Line("exam", {"exams"});
  dict.Line("Thomas", {});
  dict.Level(0, {"see", "leave"});
  dict.Level(1, {"school", "saw"});
  dict.Level(2, {"exam"});
  dict.Level(3, {"left"});
  const char* vocabulary[] = {"see", "Saw", "saw", "seen", "left", "LEFT", "leaves", "schools",
                              "exam", "Thomas", "Smith", "blorp", "Exams", "Osaka", "saws"};
  std::mt19937 random(13);
  for (int round = 0; round < 50; ++round) {
    AnalysisResult result;
    const int n = 1 + static_cast<int>(random() % 60);
    for (int i = 0; i < n; ++i) {
      result.words.CountWord(vocabulary[random() % std::size(vocabulary)]);
      ++result.tokenCount;
    }
    ClassifyWords(result, dict.MakeLexicon());
    const std::vector<WordLevel> levels = WordLevelsOf(result);
    std::array<int32_t, kMaxLevelCount> occurrences{};
    for (int w = 0; w < result.words.Count(); ++w) {
      occurrences[static_cast<size_t>(LevelIndex(levels[static_cast<size_t>(w)]))] += result.words.Occurrences(w);
    }
    ASSERT_EQ(occurrences, result.levelOccurrences) << "round " << round;

    const CoverageFigures f = ComputeCoverage(result.words, levels);
    int64_t cumulative = f.nameOccurrences;
    for (int s = 0; s < kCoverageStageCount; ++s) {
      cumulative += result.levelOccurrences[static_cast<size_t>(s)];
      EXPECT_EQ(f.known[static_cast<size_t>(s)], cumulative) << "round " << round << " stage " << s;
    }
    EXPECT_EQ(f.runningWords, result.tokenCount);
  }
}

}  // namespace
}  // namespace lexiscoop
