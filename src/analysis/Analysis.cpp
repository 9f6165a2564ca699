#include "analysis/Analysis.h"

#include "analysis/NumberFormat.h"
#include "analysis/StringList.h"
#include "platform/Compare.h"
#include "platform/Cp932.h"

namespace lexiscoop {

void AnalysisResult::Clear() {
  words.Clear();
  tokenCount = 0;
  levelDistinct.fill(0);
  levelOccurrences.fill(0);
}

int ChooseHeadwordForLevel(std::string_view word, const TStringList& inflectionIndex,
                           const TStringList& headwordList) {
  int first = 0;
  if (!inflectionIndex.Find(word, first)) return -1;
  int chosen = -1;
  const int count = inflectionIndex.Count();
  for (int i = first; i < count && CompareText(inflectionIndex[i], word) == 0; ++i) {
    chosen = inflectionIndex.Objects(i);
    if (chosen >= 0 && chosen < headwordList.Count() && headwordList.Objects(chosen) > 0) break;
  }
  return chosen;
}

void ClassifyWords(AnalysisResult& result, const TStringList& inflectionIndex,
                   const TStringList& headwordList,
                   const std::array<TStringList*, kListedLevelCount>& levelLists) {
  result.levelDistinct.fill(0);
  result.levelOccurrences.fill(0);
  for (TStringList* list : levelLists) {
    if (!list) continue;
    for (int i = 0; i < list->Count(); ++i) list->PutObject(i, 0);
  }

  const WordTable& words = result.words;
  for (int w = 0; w < words.Count(); ++w) {
    const int32_t n = words.Occurrences(w);
    WordLevel level = WordLevel::None;
    const int headword = ChooseHeadwordForLevel(words.Word(w), inflectionIndex, headwordList);
    if (headword >= 0) {
      level = WordLevel::Other;
      const std::string& name =
          headword < headwordList.Count() ? headwordList[headword] : std::string();
      for (int l = 0; l < kListedLevelCount; ++l) {
        TStringList* list = levelLists[static_cast<size_t>(l)];
        if (!list || list->Count() == 0) continue;
        const int found = list->IndexOf(name);
        if (found >= 0) {
          list->AddToObject(found, 1);
          level = static_cast<WordLevel>(l);
          break;
        }
      }
    }
    ++result.levelDistinct[static_cast<size_t>(LevelIndex(level))];
    result.levelOccurrences[static_cast<size_t>(LevelIndex(level))] += n;
  }
}

std::string SummaryText(const AnalysisResult& result, int32_t byteCount) {
  static const Cp932Text kKinds(" 種 ");
  static const Cp932Text kWords(" 語 ");
  static const Cp932Text kBytes(" ﾊﾞｲﾄ");
  const int32_t tokens = result.tokenCount;
  return FormatThousands(result.words.Count()) + kKinds.str() + FormatThousands(tokens) +
         kWords.str() + std::to_string(tokens / 180) + "min" + std::to_string((tokens / 3) % 60) +
         "sec(3 words per sec) / " + FormatThousands(byteCount) + kBytes.str();
}

std::string ByteCountText(int32_t byteCount) {
  static const Cp932Text kBytes(" ﾊﾞｲﾄ");
  return FormatThousands(byteCount) + kBytes.str();
}

std::string LevelCaption(const AnalysisResult& result, WordLevel level) {
  const std::string& name = LevelButtonName(level);
  const int total = result.words.Count();
  if (total == 0) return name;
  const int64_t percent =
      static_cast<int64_t>(result.levelDistinct[static_cast<size_t>(LevelIndex(level))]) * 100 / total;
  return name + " " + std::to_string(percent) + "%";
}

}  // namespace lexiscoop
