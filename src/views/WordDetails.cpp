#include "views/WordDetails.h"

#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

constexpr const char* kCrLf = "\r\n";

}  // namespace

std::string WordDetailsText(std::string_view word, const TStringList& headwordList,
                            const TStringList& inflectionIndex) {
  static const Cp932Text kIsHeadword("見出し語です");
  static const Cp932Text kNotHeadword("見出し語ではありません");
  static const Cp932Text kFormsHeading("   活用形一覧");
  static const Cp932Text kIsEntry("登録語です");
  static const Cp932Text kNotEntry("登録語ではありません");
  static const Cp932Text kHeadwordsHeading("   見出し語一覧");

  std::string text = "----- ";
  text.append(word);
  text += " -----";
  text += kCrLf;
  text += kCrLf;

  const int h = headwordList.IndexOf(word);
  if (h >= 0) {
    text += kIsHeadword.str() + kCrLf + kCrLf + kFormsHeading.str() + kCrLf;
    for (int e = 0; e < inflectionIndex.Count(); ++e) {
      if (inflectionIndex.Objects(e) == h) text += inflectionIndex[e] + ", ";
    }
    text += kCrLf;
  } else {
    text += kNotHeadword.str() + kCrLf;
  }
  text += kCrLf;

  int k = 0;
  if (inflectionIndex.Find(word, k)) {
    text += kIsEntry.str() + kCrLf + kCrLf + kHeadwordsHeading.str() + kCrLf;
    int first = k;
    while (first > 0 && inflectionIndex[first - 1] == word) --first;
    for (int e = first; e < inflectionIndex.Count() && inflectionIndex[e] == word; ++e) {
      const int owner = inflectionIndex.Objects(e);
      if (owner >= 0 && owner < headwordList.Count()) text += headwordList[owner] + ", ";
    }
    text += kCrLf;
  } else {
    text += kNotEntry.str() + kCrLf;
  }
  return text;
}

}  // namespace lexiscoop
