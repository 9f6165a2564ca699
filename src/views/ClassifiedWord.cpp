#include "views/ClassifiedWord.h"

#include "dictionary/GlossGroups.h"

#include "analysis/Analysis.h"
#include "views/ShownWordList.h"
#include "views/WordForms.h"

namespace lexiscoop {

std::string_view Glosses::FirstGroup() const { return FirstGlossGroup(text); }

ClassifiedWord ClassifiedWordOf(const AnalysisResult& result, int32_t entry) {
  ClassifiedWord word;
  if (!result.Classified() || entry < 0 || entry >= result.words.Count()) return word;
  const WordClass& c = result.classes[static_cast<size_t>(entry)];
  word.entry = entry;
  word.headword = c.headword;
  word.level = c.level;
  word.flags = c.flags;
  if (c.InDictionary()) {
    word.headwordForm = ShownForm(*result.classifier, c, FormMode::Original);
    word.glosses.text = result.classifier->HeadwordGloss(c.headword);
  }
  return word;
}

ClassifiedWord ClassifiedRowOf(const ShownWordList& shown, int row, const AnalysisResult& result) {
  if (row < 0 || row >= shown.RowCount()) return {};
  return ClassifiedWordOf(result, shown.FirstWordOfPosition(shown.PositionOfRow(row)));
}

}  // namespace lexiscoop
