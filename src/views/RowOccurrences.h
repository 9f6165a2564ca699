#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "analysis/WordClassifier.h"

namespace lexiscoop {

class ShownWordList;

// Which occurrences of the text one position of the shown word list counts:
// every occurrence of the words shown under it whole, and of a word whose
// readings the list shows apart (lives under live and under life), only the
// occurrences read as the headword of this position.
class RowOccurrences {
 public:
  RowOccurrences() = default;
  // Position `position` of `shown`, built over a table of `wordCount` entries.
  RowOccurrences(const ShownWordList& shown, int position, int wordCount);

  // Whether the occurrence of entry `entry` read as `reading` (null: as the
  // entry's class, or not read in its sentence) counts for the position.
  bool Holds(int entry, const WordClass* reading) const;
  bool operator==(const RowOccurrences&) const = default;

 private:
  std::vector<bool> words_;  // per entry: shown under the position
  std::vector<bool> split_;  // per entry: its readings shown apart
  std::vector<std::pair<int32_t, HeadwordId>> readings_;  // the readings the position counts
};

}  // namespace lexiscoop
