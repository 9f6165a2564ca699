#include "views/WordDetails.h"

#include <algorithm>
#include <vector>

#include "analysis/Analysis.h"
#include "analysis/NumberFormat.h"
#include "dictionary/Lexicon.h"
#include "platform/Compare.h"
#include "platform/Cp932.h"
#include "views/WordForms.h"

namespace lexiscoop {
namespace {

constexpr const char* kCrLf = "\r\n";

std::string JoinedWithCommas(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) {
    if (!text.empty()) text += ", ";
    text += item;
  }
  return text;
}

}  // namespace

std::string WordDetailsText(std::string_view word, const Lexicon& lexicon) {
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

  if (const HeadwordId h = lexicon.FindHeadword(word); h != kNoHeadword) {
    text += kIsHeadword.str() + kCrLf + kCrLf + kFormsHeading.str() + kCrLf;
    std::vector<std::string> spellings = lexicon.SpellingsOf(h);
    std::stable_sort(spellings.begin(), spellings.end(),
                     [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
    text += JoinedWithCommas(spellings) + kCrLf;
  } else {
    text += kNotHeadword.str() + kCrLf;
  }
  text += kCrLf;

  const std::span<const HeadwordId> candidates = lexicon.Candidates(word);
  if (!candidates.empty()) {
    text += kIsEntry.str() + kCrLf + kCrLf + kHeadwordsHeading.str() + kCrLf;
    std::vector<std::string> exact;
    for (const HeadwordId h : candidates) {
      const Headword& headword = lexicon.At(h);
      if (headword.spelling == word ||
          std::find(headword.forms.begin(), headword.forms.end(), word) != headword.forms.end()) {
        exact.push_back(headword.spelling);
      }
    }
    text += JoinedWithCommas(exact) + kCrLf;
  } else {
    text += kNotEntry.str() + kCrLf;
  }
  return text;
}

std::string WordRunLines(WordLevel level, int32_t count) {
  static const Cp932Text kLevel("レベル: ");
  static const Cp932Text kCount("出現数: ");
  return kLevel.str() + LevelButtonName(level) + kCrLf + kCount.str() + FormatThousands(count) + kCrLf;
}

std::string SplitReadingLines(const AnalysisResult& result, int32_t entry, HeadwordId occurrenceReading) {
  static const Cp932Text kSplit("文脈での読み: ");
  static const Cp932Text kHere("この箇所の読み: ");
  const auto split = std::find_if(result.readings.begin(), result.readings.end(),
                                  [entry](const EntryReadings& r) { return r.entry == entry; });
  if (split == result.readings.end() || split->readings.size() < 2 || !result.classifier) return {};
  std::string text = kSplit.str();
  std::string here;
  for (const WordReading& reading : split->readings) {
    const std::string_view headword = ShownForm(*result.classifier, reading.word, FormMode::Original);
    if (&reading != &split->readings.front()) text += ", ";
    text.append(headword).append(" ").append(FormatThousands(reading.occurrences));
    if (reading.word.headword == occurrenceReading) here = kHere.str() + std::string(headword) + kCrLf;
  }
  return text + kCrLf + here;
}

}  // namespace lexiscoop
