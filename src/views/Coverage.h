#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "analysis/WordLevel.h"
#include "analysis/WordReadings.h"
#include "analysis/WordTable.h"

namespace lexiscoop {

// A learner's stage: everything up to and including this listed level is
// known (one stage per listed level of the set). The names are the shipped
// set's stages; stage n of another set is its listed level n.
enum class CoverageStage { Basic, Junior, ToUniversity, General };
constexpr int kCoverageStageCount = kListedLevelCount;

// The stage's key on the command line and in JSON: "basic", "junior",
// "university", "general".
std::string_view CoverageStageKey(CoverageStage stage);

// The share of running words known at each stage. A name (a word not in the
// dictionary that is written with a capital A-Z first) counts as known at
// every stage; words of the level その他 and other words not in the
// dictionary are known at none.
struct CoverageFigures {
  int64_t runningWords = 0;                          // every occurrence counted
  // Occurrences known at each stage, names included (StageCount() used).
  std::array<int64_t, LevelSet::kMaxListedLevels> known{};
  int32_t nameKinds = 0;                             // distinct names
  int64_t nameOccurrences = 0;                       // their occurrences
  bool stopped = false;                              // counted by a scan stopped before the end
  std::shared_ptr<const LevelSet> levelSet;          // the stages' set; null: the shipped set

  const LevelSet& Levels() const { return levelSet ? *levelSet : ShippedLevels(); }
  int StageCount() const { return Levels().ListedCount(); }

  // known[stage] × 1000 ÷ runningWords truncated: per mille, so 962 shows as
  // 96.2. 0 for a text without words. Truncation keeps the shown figure at or
  // above a threshold exactly when the threshold is reached.
  int32_t PerMille(CoverageStage stage) const;
  // "96.2": PerMille with one decimal.
  std::string PercentText(CoverageStage stage) const;
  // The first stage at which at least `percent` of the running words are
  // known (compared exactly, in integers); nullopt when none reaches it or
  // the text has no words.
  std::optional<CoverageStage> StageReaching(int percent) const;
};

// The thresholds of reading research: 95% of running words known reads with
// support, 98% reads alone.
constexpr int kSupportedReadingPercent = 95;
constexpr int kIndependentReadingPercent = 98;

// Adds up coverage one distinct word at a time; no state beyond the object.
class CoverageTally {
 public:
  // Stages of `levels` (null: the shipped set).
  explicit CoverageTally(std::shared_ptr<const LevelSet> levels = nullptr) { figures_.levelSet = std::move(levels); }
  // Counts `occurrences` of a word spelled `word` (as first met) at `level`.
  void Add(std::string_view word, WordLevel level, int32_t occurrences);
  const CoverageFigures& Figures() const { return figures_; }

 private:
  CoverageFigures figures_;
};

// True for a word that coverage treats as a name when the dictionary lacks it.
bool LooksLikeName(std::string_view word);

// The coverage of a word table whose entry i has the level levels[i] of
// `set` (null: the shipped set). Entries beyond the end of `levels` count as
// not in the dictionary. An entry in `readings` (by increasing entry) counts
// each reading's occurrences at the reading's level.
CoverageFigures ComputeCoverage(const WordTable& words, std::span<const WordLevel> levels,
                                std::span<const EntryReadings> readings = {},
                                std::shared_ptr<const LevelSet> set = nullptr);

// The one-line verdict (CP932): the lowest stage that reaches 95% and what
// that means, e.g. «中学修了レベルで 96.2% (支援があれば読める)», or the figure
// at 一般 when no stage does; then how many names were counted as known.
// Figures of a stopped scan start with «中止: 8,679,364 語まで: ». Empty for a
// text without words.
std::string CoverageVerdict(const CoverageFigures& figures);

// The stage's name in the verdict and the chart (CP932): "基本語", "中学修了",
// "大学受験", "一般".
const std::string& CoverageStageName(CoverageStage stage);
// Stage `stage` of `levels`: as above for the shipped set, else the name of
// its listed level.
const std::string& CoverageStageName(const LevelSet& levels, int stage);

}  // namespace lexiscoop
