#include "analysis/NormalizeWord.h"

#include "platform/Compare.h"
#include "platform/ShortLoad.h"

namespace lexiscoop {
namespace {

bool SuffixIs(std::string_view suffix, std::string_view lower) {
  if (suffix.size() != lower.size()) return false;
  for (size_t i = 0; i < suffix.size(); ++i) {
    if (FoldAscii(static_cast<unsigned char>(suffix[i])) != static_cast<unsigned char>(lower[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string_view NormalizeWord(std::string_view word) {
  // Most words hold no apostrophe and end in a letter or digit.
  if (!word.empty() && word.size() <= 8 && word.back() != '-' &&
      !HasByte8(LoadUpTo8(word.data(), word.size()), '\'')) {
    return word;
  }
  while (!word.empty() && (word.back() == '\'' || word.back() == '-')) word.remove_suffix(1);

  const size_t apostrophe = word.find('\'');
  if (apostrophe == std::string_view::npos) return word;

  const std::string_view suffix = word.substr(apostrophe + 1);
  for (std::string_view ending : {"d", "m", "ve", "ll", "s", "re"}) {
    if (SuffixIs(suffix, ending)) return word.substr(0, apostrophe);
  }
  if (SuffixIs(suffix, "t") && apostrophe > 0 &&
      (word[apostrophe - 1] == 'n' || word[apostrophe - 1] == 'N')) {
    const std::string_view stem = word.substr(0, apostrophe - 1);
    if (SuffixIs(stem, "ca")) return word.substr(0, apostrophe);  // can't → can
    return stem;
  }
  return word;
}

}  // namespace lexiscoop
