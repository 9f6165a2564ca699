#include "analysis/Analysis.h"

#include <algorithm>

#include "analysis/NumberFormat.h"
#include "platform/Cp932.h"

namespace lexiscoop {

void AnalysisResult::Clear() {
  words.Clear();
  tokenCount = 0;
  firstOccurrences.clear();
  levelDistinct.fill(0);
  levelOccurrences.fill(0);
  classes.clear();
  readings.clear();
  watched.clear();
  classifier.reset();
  levelEntriesUsed.fill(0);
  levelEntryCount.fill(0);
  levelSet.reset();
  stopped = false;
}

void ClassifyWords(AnalysisResult& result, std::shared_ptr<const WordClassifier> classifier) {
  result.levelDistinct.fill(0);
  result.levelOccurrences.fill(0);
  result.levelEntriesUsed.fill(0);
  result.levelEntryCount.fill(0);
  result.levelSet.reset();
  const WordTable& words = result.words;
  const int n = words.Count();
  result.classes.assign(static_cast<size_t>(n), WordClass{});
  result.readings.clear();
  if (classifier) {
    std::vector<bool> used(static_cast<size_t>(classifier->LevelEntryCount()), false);
    for (int w = 0; w < n; ++w) {
      const WordClass c = classifier->Classify(words.Word(w));
      result.classes[static_cast<size_t>(w)] = c;
      if (c.InDictionary() && ShippedLevels().IsListed(c.level)) {
        const int32_t entry = classifier->LevelEntryOf(c.headword);
        if (entry >= 0 && static_cast<size_t>(entry) < used.size() && !used[static_cast<size_t>(entry)]) {
          used[static_cast<size_t>(entry)] = true;
          ++result.levelEntriesUsed[static_cast<size_t>(LevelIndex(c.level))];
        }
      }
    }
    for (const LevelInfo& level : ShippedLevels().Listed()) {
      result.levelEntryCount[static_cast<size_t>(LevelIndex(level.id))] = classifier->LevelListSize(level.id);
    }
  }
  CountLevels(result);
  result.classifier = std::move(classifier);
}

void CountLevels(AnalysisResult& result) {
  result.levelDistinct.fill(0);
  result.levelOccurrences.fill(0);
  auto index = [&](LevelId level) {
    const auto l = static_cast<size_t>(LevelIndex(level));
    return l < result.levelDistinct.size() ? l : result.levelDistinct.size();
  };
  const int n = std::min(result.words.Count(), static_cast<int>(result.classes.size()));
  auto split = result.readings.begin();
  for (int w = 0; w < n; ++w) {
    // An entry is one written form, at the level of its row.
    const size_t shown = index(result.classes[static_cast<size_t>(w)].level);
    if (shown < result.levelDistinct.size()) ++result.levelDistinct[shown];
    while (split != result.readings.end() && split->entry < w) ++split;
    if (split != result.readings.end() && split->entry == w) {
      // Its occurrences count at the level each was read at.
      for (const WordReading& r : split->readings) {
        const size_t l = index(r.word.level);
        if (l < result.levelOccurrences.size()) result.levelOccurrences[l] += r.occurrences;
      }
      continue;
    }
    if (shown < result.levelOccurrences.size()) result.levelOccurrences[shown] += result.words.Occurrences(w);
  }
}

void ApplyWordReadings(AnalysisResult& result, std::vector<EntryReadings> readings) {
  std::vector<EntryReadings> kept;
  for (EntryReadings& split : readings) {
    if (split.entry < 0 || split.entry >= result.words.Count() || split.readings.empty() ||
        static_cast<size_t>(split.entry) >= result.classes.size() ||
        (!kept.empty() && split.entry <= kept.back().entry))
      continue;
    int64_t sum = 0;
    for (const WordReading& r : split.readings) sum += r.occurrences > 0 ? r.occurrences : -1'000'000'000'000LL;
    if (sum != result.words.Occurrences(split.entry)) continue;
    WordClass& shown = result.classes[static_cast<size_t>(split.entry)];
    // The row's reading: the most occurrences; of equals, the rule's.
    const HeadwordId rule = shown.headword;
    std::stable_sort(split.readings.begin(), split.readings.end(), [rule](const WordReading& a, const WordReading& b) {
      if (a.occurrences != b.occurrences) return a.occurrences > b.occurrences;
      return a.word.headword == rule && b.word.headword != rule;
    });
    shown = split.readings.front().word;
    kept.push_back(std::move(split));
  }
  result.readings = std::move(kept);
  CountLevels(result);
  if (result.readings.empty() || !result.classifier) return;
  // A reading may be the only use of its headword's level-list entry.
  std::vector<bool> used(static_cast<size_t>(result.classifier->LevelEntryCount()), false);
  result.levelEntriesUsed.fill(0);
  auto use = [&](const WordClass& c) {
    if (!c.InDictionary() || c.level == WordLevel::Other) return;
    const int32_t entry = result.classifier->LevelEntryOf(c.headword);
    if (entry >= 0 && static_cast<size_t>(entry) < used.size() && !used[static_cast<size_t>(entry)]) {
      used[static_cast<size_t>(entry)] = true;
      ++result.levelEntriesUsed[static_cast<size_t>(LevelIndex(c.level))];
    }
  };
  for (const WordClass& c : result.classes) use(c);
  for (const EntryReadings& split : result.readings) {
    for (const WordReading& r : split.readings) use(r.word);
  }
}

std::string SummaryText(const AnalysisResult& result, int32_t byteCount) {
  static const Cp932Text kKinds(" 種 ");
  static const Cp932Text kWords(" 語 ");
  static const Cp932Text kBytes(" ﾊﾞｲﾄ");
  const int32_t tokens = result.tokenCount;
  const std::string note = StoppedNote(result);
  return (note.empty() ? note : note + "  ") + FormatThousands(result.words.Count()) + kKinds.str() + FormatThousands(tokens) +
         kWords.str() + std::to_string(tokens / 180) + "min" + std::to_string((tokens / 3) % 60) +
         "sec(3 words per sec) / " + FormatThousands(byteCount) + kBytes.str();
}

std::string StoppedNote(const AnalysisResult& result) {
  return result.stopped ? StoppedNoteAt(result.tokenCount) : std::string();
}

std::string StoppedNoteAt(int64_t wordsCounted) {
  static const Cp932Text kBefore("中止: ");
  static const Cp932Text kAfter(" 語まで");
  return kBefore.str() + FormatThousands(wordsCounted) + kAfter.str();
}

std::string ByteCountText(int32_t byteCount) {
  static const Cp932Text kBytes(" ﾊﾞｲﾄ");
  return FormatThousands(byteCount) + kBytes.str();
}

std::string ZeroByteNotice(std::string_view text) {
  const size_t zero = text.find('\0');
  if (zero == std::string_view::npos) return {};
  static const Cp932Text kEnded(" バイト目のゼロバイトで読み終えました: 残り ");
  static const Cp932Text kNotCounted(" バイトは数えていません");
  return FormatThousands(static_cast<int64_t>(zero) + 1) + kEnded.str() +
         FormatThousands(static_cast<int64_t>(text.size() - zero - 1)) + kNotCounted.str();
}

std::string LevelCaption(const AnalysisResult& result, WordLevel level) {
  const std::string& name = result.Levels().Name(level);
  const int total = result.words.Count();
  if (total == 0) return name;
  const int64_t percent =
      static_cast<int64_t>(result.levelDistinct[static_cast<size_t>(LevelIndex(level))]) * 100 / total;
  return name + " " + std::to_string(percent) + "%";
}

}  // namespace lexiscoop
