#include "views/SetCoverage.h"

#include "views/Coverage.h"

namespace lexiscoop {

int32_t SetCoverage::PerMille(size_t stage) const {
  if (runningWords <= 0 || stage >= known.size()) return 0;
  return static_cast<int32_t>(known[stage] * 1000 / runningWords);
}

std::string SetCoverage::PercentText(size_t stage) const {
  const int32_t perMille = PerMille(stage);
  return std::to_string(perMille / 10) + "." + std::to_string(perMille % 10);
}

SetCoverage ComputeSetCoverage(const WordTable& words, std::span<const int8_t> levels, int levelCount) {
  SetCoverage coverage;
  coverage.known.assign(static_cast<size_t>(levelCount > 0 ? levelCount : 0), 0);
  for (int i = 0; i < words.Count(); ++i) {
    const size_t at = static_cast<size_t>(i);
    const int32_t occurrences = words.Occurrences(i);
    coverage.runningWords += occurrences;
    const int level = at < levels.size() ? levels[at] : -2;
    int first = levelCount;  // known at no stage
    if (level >= 0 && level < levelCount) first = level;
    else if (level == -2 && LooksLikeName(words.Word(i))) first = 0;
    for (int s = first; s < levelCount; ++s) coverage.known[static_cast<size_t>(s)] += occurrences;
  }
  return coverage;
}

}  // namespace lexiscoop
