#include "views/WordLevels.h"

#include "analysis/Analysis.h"

namespace lexiscoop {

std::vector<WordLevel> ClassifyWordLevels(const WordTable& words, const DictionaryLists& dictionary) {
  std::vector<WordLevel> levels(static_cast<size_t>(words.Count()), WordLevel::None);
  const TStringList& headwords = dictionary.headwordList;
  for (int w = 0; w < words.Count(); ++w) {
    const int headword = ChooseHeadwordForLevel(words.Word(w), dictionary.inflectionIndex, headwords);
    if (headword < 0) continue;
    WordLevel level = WordLevel::Other;
    const std::string name = headword < headwords.Count() ? headwords[headword] : std::string();
    for (int l = 0; l < kListedLevelCount; ++l) {
      const TStringList* list = dictionary.levelLists[static_cast<size_t>(l)];
      if (list != nullptr && list->Count() > 0 && list->IndexOf(name) >= 0) {
        level = static_cast<WordLevel>(l);
        break;
      }
    }
    levels[static_cast<size_t>(w)] = level;
  }
  return levels;
}

}  // namespace lexiscoop
