#include "views/WordForms.h"

namespace lexiscoop {

std::string_view ShownForm(const WordClassifier& classifier, const WordClass& word, FormMode mode) {
  if (!word.InDictionary() || mode == FormMode::None) return {};
  std::string_view form;
  switch (mode) {
    case FormMode::Written: return classifier.StoredSpelling(word.spelling);
    case FormMode::Headword:
      // A spelling with no headword of its own shows the headword it was read as.
      form = (word.flags & kWordReadInContext) && !(word.flags & kWordOwnHeadword)
                 ? classifier.HeadwordSpelling(word.headword)
                 : classifier.HeadwordForm(word.spelling);
      break;
    case FormMode::Original: form = classifier.HeadwordSpelling(word.headword); break;
    case FormMode::None: break;
  }
  return form.empty() ? classifier.StoredSpelling(word.spelling) : form;
}

int LevelBitOf(WordLevel level) { return ShippedLevels()[level].filterBit; }

}  // namespace lexiscoop
