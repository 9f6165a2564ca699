#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "analysis/WordTable.h"
#include "views/DictionaryLists.h"
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

// Rebuilds the shown word list (RebuildWordList) from a word table under a
// filter: for every word, in table order, the level test on its preferred
// headword decides whether its dictionary form (by FormMode) is shown, and a
// word not in the dictionary is shown as written while the None bit is set.
// Forms equal without regard to letter case are merged and their counts
// added. The row order afterwards is build order; the sort key and direction
// are kept.
class WordListBuilder {
 public:
  // Keeps references to the lists, which must outlive the builder.
  explicit WordListBuilder(const DictionaryLists& dictionary) : dictionary_(dictionary) {}

  // Refills `shown`. Returns false, changing nothing, when `shown` is already
  // being rebuilt (a rebuild started from inside the pump). If a step throws,
  // `shown` is left empty and consistent and the exception passes on.
  bool Rebuild(const WordTable& words, const WordListFilter& filter, ShownWordList& shown,
               const RebuildControl& control = {}) const;

 private:
  DictionaryLists dictionary_;
};

// Status panel 2 after a rebuild: «表示単語数 120 語（30 ％）» (CP932), the
// shown count formatted "#,##0" and its truncated share of the distinct words.
// nullopt for an empty word table: the panel keeps its text.
std::optional<std::string> ShownWordsStatusText(int shownCount, int distinctCount);

}  // namespace lexiscoop
