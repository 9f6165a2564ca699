#include "export/WordClassifier.h"

#include "analysis/Analysis.h"
#include "views/WordForms.h"

namespace lexiscoop {

std::function<EntryHeadword(int entry)> ResultHeadwords(const AnalysisResult& result) {
  return [&result](int entry) {
    EntryHeadword word;
    if (!result.Classified() || entry < 0 || entry >= result.words.Count()) return word;
    const WordClass& c = result.classes[static_cast<size_t>(entry)];
    word.level = c.level;
    if (c.InDictionary()) {
      word.headword = ShownForm(*result.classifier, c, FormMode::Original);
      word.gloss = std::string(result.classifier->HeadwordGloss(c.headword));
    }
    return word;
  };
}

}  // namespace lexiscoop
