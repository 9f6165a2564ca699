#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "analysis/WordClassifier.h"

namespace lexiscoop {

// One occurrence of a watched word, in the order of the text.
struct WatchedOccurrence {
  uint32_t offset = 0;  // where the word starts in the scanned text (bytes)
  int32_t entry = -1;   // its word-table entry
  HeadwordId reading = kNoHeadword;  // the headword it was read as in its sentence; kNoHeadword: the entry's
  uint8_t tag = kNoTag;              // its part-of-speech tag in the sentence (a tagging::Tag)

  static constexpr uint8_t kNoTag = 0xFF;
};

// Chooses, while a text is scanned, the words whose every occurrence the scan
// keeps the place of (see ScanControl::watch).
class WordWatch {
 public:
  virtual ~WordWatch() = default;
  // Every occurrence, as a limit of WatchNewWord.
  static constexpr int32_t kEveryOccurrence = INT32_MAX;

  // Called once for each new entry of the word table, in entry order, with
  // the word as the table holds it: of how many of its occurrences, from the
  // first on, to keep the places (0 for none).
  virtual int32_t WatchNewWord(std::string_view word) = 0;

  // Called after each kOccurrencesPerHandOver occurrences kept, with every
  // occurrence kept so far (valid during the call only), so that a watch
  // may begin on them while the scan goes on.
  virtual void OccurrencesKept(std::span<const WatchedOccurrence> kept) { (void)kept; }
  static constexpr size_t kOccurrencesPerHandOver = 4096;
};

}  // namespace lexiscoop
