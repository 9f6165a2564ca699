#include "views/WordGloss.h"

#include "dictionary/Lexicon.h"
#include "platform/Cp932.h"

namespace lexiscoop {

std::string GlossOfWord(std::string_view word, const Lexicon& lexicon) {
  const HeadwordId id = lexicon.Resolve(word);
  if (id == kNoHeadword) return {};
  return std::string(lexicon.At(id).gloss);
}

std::string GlossLine(std::string_view glosses) {
  if (glosses.empty()) return {};
  static const Cp932Text kGloss("訳語: ");
  return kGloss.str() + std::string(glosses) + "\r\n";
}

}  // namespace lexiscoop
