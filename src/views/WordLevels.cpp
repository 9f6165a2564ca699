#include "views/WordLevels.h"

namespace lexiscoop {

std::vector<WordLevel> WordLevelsOf(const AnalysisResult& result) {
  std::vector<WordLevel> levels(static_cast<size_t>(result.words.Count()), result.Levels().None());
  if (!result.Classified()) return levels;
  for (size_t w = 0; w < levels.size(); ++w) levels[w] = result.classes[w].level;
  return levels;
}

}  // namespace lexiscoop
