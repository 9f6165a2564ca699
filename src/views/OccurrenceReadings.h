#pragma once

#include <cstdint>
#include <vector>

#include "analysis/WordClassifier.h"

namespace lexiscoop {

struct AnalysisResult;

// The reading of each occurrence of the words a run read as two or more
// headwords in their sentences (AnalysisResult::readings), by the place the
// occurrence starts at in the scanned text, so that a view can show each
// occurrence as it was read: lives coloured as live in «he lives here» and
// as life in «nine lives». Made from a finished result; it keeps no pointer
// into it.
class OccurrenceReadings {
 public:
  OccurrenceReadings() = default;
  explicit OccurrenceReadings(const AnalysisResult& result);

  // How the occurrence of word-table entry `entry` that starts at byte
  // `offset` of the scanned text was read; null when the entry was read as
  // one headword only, or no occurrence of it starts there: its class in
  // the result holds.
  const WordClass* At(int32_t entry, uint64_t offset) const;
  bool Empty() const { return places_.empty(); }

 private:
  struct Place {
    uint32_t offset = 0;
    int32_t entry = -1;
    WordClass word;
  };
  std::vector<Place> places_;  // by offset
};

// Where the first occurrence of entry `entry` read as `headword` starts in
// the scanned text; -1 when the run kept no such place (the entry was not
// read in its sentences, or never as `headword`).
int64_t FirstOccurrenceReadAs(const AnalysisResult& result, int32_t entry, HeadwordId headword);

}  // namespace lexiscoop
