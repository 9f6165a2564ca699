#pragma once

#include <cstdint>
#include <string_view>

#include "analysis/WordClassifier.h"

namespace lexiscoop {

// Chooses, while a text is scanned, the words whose every occurrence the scan
// keeps the place of (see ScanControl::watch).
class WordWatch {
 public:
  virtual ~WordWatch() = default;
  // Called once for each new entry of the word table, in entry order, with
  // the word as the table holds it; true to keep the places of its
  // occurrences.
  virtual bool WatchNewWord(std::string_view word) = 0;
};

// One occurrence of a watched word, in the order of the text.
struct WatchedOccurrence {
  uint32_t offset = 0;  // where the word starts in the scanned text (bytes)
  int32_t entry = -1;   // its word-table entry
  HeadwordId reading = kNoHeadword;  // the headword it was read as in its sentence; kNoHeadword: the entry's
};

}  // namespace lexiscoop
