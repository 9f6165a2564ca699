#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "analysis/Analysis.h"
#include "views/ShownWordList.h"
#include "views/WordListFilter.h"

namespace lexiscoop {

// How a rebuild keeps the window alive.
struct RebuildControl {
  // Called before the first word and then about every `sliceMs` milliseconds
  // with the progress bar position (N − i) × 100 ÷ N; the window processes its
  // events here. Setting the bar back to 0 afterwards is the caller's. May be empty.
  std::function<void(int percent)> pump;
  uint32_t sliceMs = 20;
  // How many words pass between two looks at the clock.
  int wordsPerClockCheck = 256;
};

// Rebuilds the shown word list (RebuildWordList) from a classified analysis
// result under a filter: for every word, in table order, a dictionary word
// whose level's bit is set is shown in its form (FormMode; see ShownForm),
// and a word not in the dictionary is shown as written while the None bit is
// set. Forms equal without regard to letter case are merged and their counts
// added. A word whose occurrences were read as several headwords
// (AnalysisResult::readings) shows each reading under its own headword and
// level in the 原形 and 見出し語 forms, and is one row at its class's level
// in the written form. The row order afterwards is build order; the sort key
// and direction are kept. So the list filtered to one level adds up to the
// result's occurrences of that level in the 原形 and 見出し語 forms, and in
// the written form has one row per distinct word of that level.
class WordListBuilder {
 public:
  // Refills `shown`. Returns false, changing nothing, when `shown` is already
  // being rebuilt (a rebuild started from inside the pump). A result that
  // was never classified shows its words as not in the dictionary. If a step
  // throws, `shown` is left empty and consistent and the exception passes on.
  bool Rebuild(const AnalysisResult& result, const WordListFilter& filter, ShownWordList& shown,
               const RebuildControl& control = {}) const;
};

// Status panel 2 after a rebuild: «表示単語数 120 語（30 ％）» (CP932), the
// shown count formatted "#,##0" and its truncated share of the distinct words.
// nullopt for an empty word table: the panel keeps its text.
std::optional<std::string> ShownWordsStatusText(int shownCount, int distinctCount);

// The distinct words a list in `form` can show at most, the share's
// denominator: the table's entries, and in the forms that list headwords
// one more for every further headword an entry was read as in context, so
// that live and life from one spelling never make the share pass 100 %.
int DistinctWordsOf(const AnalysisResult& result, FormMode form);

}  // namespace lexiscoop
