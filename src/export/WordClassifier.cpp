#include "export/WordClassifier.h"

#include <memory>

#include "analysis/Analysis.h"
#include "analysis/WordTable.h"
#include "views/FoldedLookup.h"

namespace lexiscoop {

std::function<WordClass(int entry)> TableWordClassifier(const WordTable& words, const DictionaryLists& lists) {
  auto levels = std::make_shared<std::array<std::unique_ptr<FoldedLookup>, kListedLevelCount>>();
  for (size_t l = 0; l < lists.levelLists.size(); ++l) {
    if (lists.levelLists[l] != nullptr) (*levels)[l] = std::make_unique<FoldedLookup>(*lists.levelLists[l]);
  }
  return [&words, lists, levels](int entry) {
    WordClass word;
    const int headword = ChooseHeadwordForLevel(words.Word(entry), lists.inflectionIndex, lists.headwordList);
    if (headword < 0 || headword >= lists.headwordList.Count()) return word;
    word.headword = lists.headwordList[headword];
    word.level = WordLevel::Other;
    for (size_t l = 0; l < levels->size(); ++l) {
      if ((*levels)[l] && (*levels)[l]->Contains(word.headword)) {
        word.level = static_cast<WordLevel>(l);
        break;
      }
    }
    return word;
  };
}

}  // namespace lexiscoop
