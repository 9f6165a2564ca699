#include "views/WordListBuilder.h"

#include "analysis/NumberFormat.h"
#include "platform/Cp932.h"
#include "platform/ProgressPump.h"
#include "views/WordForms.h"

namespace lexiscoop {
namespace {

bool PassesProperNounChoice(std::string_view form, ProperNounChoice choice) {
  if (choice == ProperNounChoice::All) return true;
  const bool capital = !form.empty() && form[0] >= 'A' && form[0] <= 'Z';
  return choice == ProperNounChoice::ProperOnly ? capital : !capital;
}

// Marks the list busy for the span of one rebuild.
class BusyScope {
 public:
  explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyScope() { busy_ = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& busy_;
};

}  // namespace

bool WordListBuilder::Rebuild(const AnalysisResult& result, const WordListFilter& filter, ShownWordList& shown,
                              const RebuildControl& control) const {
  if (shown.busy_) return false;
  BusyScope busy(shown.busy_);
  shown.Clear();
  try {
    const WordTable& words = result.words;
    const int n = words.Count();
    const bool classified = result.Classified();
    const LevelSet& levels = result.Levels();
    std::array<bool, kMaxLevelCount> showLevel{};
    for (const LevelInfo& level : levels.Levels()) {
      showLevel[static_cast<size_t>(LevelIndex(level.id))] = HasLevelBit(filter.levelMask, level.filterBit);
    }
    auto add = [&](std::string_view form, int32_t count, int word, WordLevel level,
                   HeadwordId headword = kNoHeadword) {
      if (!form.empty() && PassesProperNounChoice(form, filter.properNoun)) {
        shown.AddShownForm(form, count, word, level, headword);
      }
    };

    shown.Reserve(static_cast<size_t>(n), words.SpellingBytes());
    ProgressPump pump(control.pump, control.sliceMs, control.wordsPerClockCheck);
    pump.Start(100);
    auto split = result.readings.begin();  // the next entry read as several headwords
    for (int i = 0; i < n; ++i) {
      pump.Step([&] { return static_cast<int>(static_cast<int64_t>(n - i) * 100 / n); });
      if (static_cast<size_t>(i) < filter.leaveOut.size() && filter.leaveOut[static_cast<size_t>(i)] != 0) continue;
      const int32_t count = words.Occurrences(i);
      const WordClass word = classified ? result.classes[static_cast<size_t>(i)] : WordClass{};
      while (split != result.readings.end() && split->entry < i) ++split;
      if (classified && split != result.readings.end() && split->entry == i && filter.formMode != FormMode::Written) {
        // Each reading counts under its own headword and level; a spelling
        // stays one row, at its class's level, in the written form.
        for (const WordReading& reading : split->readings) {
          if (showLevel[static_cast<size_t>(LevelIndex(reading.word.level))]) {
            add(ShownForm(*result.classifier, reading.word, filter.formMode), reading.occurrences, i,
                reading.word.level, reading.word.headword);
          }
        }
      } else if (!word.InDictionary()) {
        // A word not in the dictionary differs from every dictionary form
        // (those are spellings the lexicon would have found) and, the table
        // being case-blind, from every other such word: nothing to merge.
        // Its level is None, or a level of a set that holds it as a word
        // of the user's own.
        const WordLevel level = classified ? word.level : levels.None();
        const std::string_view written = words.Word(i);
        if (showLevel[static_cast<size_t>(LevelIndex(level))] && !written.empty() && PassesProperNounChoice(written, filter.properNoun)) {
          shown.AddDistinctForm(written, count, i, level);
        }
      } else if (showLevel[static_cast<size_t>(LevelIndex(word.level))]) {
        add(ShownForm(*result.classifier, word, filter.formMode), count, i, word.level);
      }
    }
    shown.ResetRowOrder();
  } catch (...) {
    shown.Clear();
    throw;
  }
  return true;
}

int DistinctWordsOf(const AnalysisResult& result, FormMode form) {
  int distinct = result.words.Count();
  if (form != FormMode::Original && form != FormMode::Headword) return distinct;
  for (const EntryReadings& entry : result.readings) distinct += static_cast<int>(entry.readings.size()) - 1;
  return distinct;
}

std::optional<std::string> ShownWordsStatusText(int shownCount, int distinctCount) {
  if (distinctCount <= 0) return std::nullopt;
  static const Cp932Text kPrefix("表示単語数 ");
  static const Cp932Text kMiddle(" 語（");
  static const Cp932Text kSuffix(" ％）");
  const int64_t percent = static_cast<int64_t>(shownCount) * 100 / distinctCount;
  return kPrefix.str() + FormatThousands(shownCount) + kMiddle.str() + std::to_string(percent) +
         kSuffix.str();
}

}  // namespace lexiscoop
