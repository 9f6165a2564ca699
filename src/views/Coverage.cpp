#include "views/Coverage.h"

#include <vector>

#include "analysis/Analysis.h"
#include "analysis/NumberFormat.h"
#include "platform/Cp932.h"

namespace lexiscoop {

std::string_view CoverageStageKey(CoverageStage stage) {
  return ShippedLevels().Listed()[static_cast<size_t>(stage)].key;
}

const std::string& CoverageStageName(CoverageStage stage) {
  static const std::vector<std::string> kNames = [] {
    std::vector<std::string> names;
    for (const LevelInfo& level : ShippedLevels().Listed()) names.push_back(Cp932FromUtf8(std::string(level.stageName)));
    return names;
  }();
  return kNames[static_cast<size_t>(stage)];
}

const std::string& CoverageStageName(const LevelSet& levels, int stage) {
  if (levels.Shipped()) return CoverageStageName(static_cast<CoverageStage>(stage));
  return levels.Name(static_cast<LevelId>(stage));
}

int32_t CoverageFigures::PerMille(CoverageStage stage) const {
  if (runningWords <= 0) return 0;
  return static_cast<int32_t>(known[static_cast<size_t>(stage)] * 1000 / runningWords);
}

std::string CoverageFigures::PercentText(CoverageStage stage) const {
  const int32_t perMille = PerMille(stage);
  return std::to_string(perMille / 10) + "." + std::to_string(perMille % 10);
}

std::optional<CoverageStage> CoverageFigures::StageReaching(int percent) const {
  if (runningWords <= 0) return std::nullopt;
  for (int s = 0; s < StageCount(); ++s) {
    if (known[static_cast<size_t>(s)] * 100 >= static_cast<int64_t>(percent) * runningWords) {
      return static_cast<CoverageStage>(s);
    }
  }
  return std::nullopt;
}

bool LooksLikeName(std::string_view word) { return !word.empty() && word[0] >= 'A' && word[0] <= 'Z'; }

void CoverageTally::Add(std::string_view word, WordLevel level, int32_t occurrences) {
  figures_.runningWords += occurrences;
  const LevelSet& levels = figures_.Levels();
  const int stages = levels.ListedCount();
  int firstKnownStage = stages;  // known at no stage
  if (level == levels.None() && LooksLikeName(word)) {
    ++figures_.nameKinds;
    figures_.nameOccurrences += occurrences;
    firstKnownStage = 0;
  } else if (levels.IsListed(level)) {
    firstKnownStage = LevelIndex(level);
  }
  for (int s = firstKnownStage; s < stages; ++s) {
    figures_.known[static_cast<size_t>(s)] += occurrences;
  }
}

CoverageFigures ComputeCoverage(const WordTable& words, std::span<const WordLevel> levels,
                                std::span<const EntryReadings> readings, std::shared_ptr<const LevelSet> set) {
  CoverageTally tally(std::move(set));
  const LevelId none = tally.Figures().Levels().None();
  auto split = readings.begin();
  for (int i = 0; i < words.Count(); ++i) {
    const size_t k = static_cast<size_t>(i);
    while (split != readings.end() && split->entry < i) ++split;
    if (split != readings.end() && split->entry == i) {
      for (const WordReading& reading : split->readings) tally.Add(words.Word(i), reading.word.level, reading.occurrences);
      continue;
    }
    tally.Add(words.Word(i), k < levels.size() ? levels[k] : none, words.Occurrences(i));
  }
  return tally.Figures();
}

std::string CoverageVerdict(const CoverageFigures& figures) {
  if (figures.runningWords <= 0 || figures.StageCount() == 0) return std::string();
  static const Cp932Text kAtLevel("レベルで ");
  static const Cp932Text kEvenAtLevel("レベルでも ");
  static const Cp932Text kAlone(" (ひとりで読める)");
  static const Cp932Text kSupported(" (支援があれば読める)");
  static const Cp932Text kHard(" (読むのは難しい)");
  static const Cp932Text kNamesBefore("　固有名詞 ");
  static const Cp932Text kNamesAfter(" 語を既知として計算");
  std::string line = figures.stopped ? StoppedNoteAt(figures.runningWords) + ": " : std::string();
  if (const auto stage = figures.StageReaching(kSupportedReadingPercent)) {
    const bool alone = figures.known[static_cast<size_t>(*stage)] * 100 >=
                       static_cast<int64_t>(kIndependentReadingPercent) * figures.runningWords;
    line += CoverageStageName(figures.Levels(), static_cast<int>(*stage)) + kAtLevel.str() + figures.PercentText(*stage) + "%" +
           (alone ? kAlone.str() : kSupported.str());
  } else {
    const int last = figures.StageCount() - 1;
    line += CoverageStageName(figures.Levels(), last) + kEvenAtLevel.str() +
           figures.PercentText(static_cast<CoverageStage>(last)) + "%" + kHard.str();
  }
  if (figures.nameOccurrences > 0) {
    line += kNamesBefore.str() + FormatThousands(figures.nameOccurrences) +
            kNamesAfter.str();
  }
  return line;
}

}  // namespace lexiscoop
