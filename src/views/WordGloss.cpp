#include "views/WordGloss.h"

#include "analysis/Analysis.h"
#include "dictionary/Lexicon.h"
#include "views/ShownWordList.h"
#include "platform/Cp932.h"

namespace lexiscoop {

std::string GlossOfWord(std::string_view word, const Lexicon& lexicon) {
  const HeadwordId id = lexicon.Resolve(word);
  if (id == kNoHeadword) return {};
  return std::string(lexicon.At(id).gloss);
}

std::string_view GlossOfRow(const ShownWordList& shown, int row, const AnalysisResult& result) {
  if (row < 0 || row >= shown.RowCount() || !result.Classified()) return {};
  const int32_t entry = shown.FirstWordOfPosition(shown.PositionOfRow(row));
  if (entry < 0 || entry >= result.words.Count()) return {};
  const WordClass& c = result.classes[static_cast<size_t>(entry)];
  return c.InDictionary() ? result.classifier->HeadwordGloss(c.headword) : std::string_view();
}

std::string GlossLine(std::string_view glosses) {
  if (glosses.empty()) return {};
  static const Cp932Text kGloss("訳語: ");
  return kGloss.str() + std::string(glosses) + "\r\n";
}

}  // namespace lexiscoop
