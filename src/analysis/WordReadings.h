#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/WordClassifier.h"

namespace lexiscoop {

struct AnalysisResult;

// One way a spelling was read in the text, and how often.
struct WordReading {
  WordClass word;              // the headword and level of this reading
  int32_t occurrences = 0;     // at least 1
  // The headword's glosses with the part of speech its occurrences took
  // most often first (CP932); empty when that is the glosses' own order.
  std::string glosses;
};

// How the occurrences of one word-table entry split among headwords when
// each was read in its sentence: the readings' occurrences add up to the
// entry's, the most frequent reading first. One reading when every
// occurrence was read as a headword other than the rule's.
struct EntryReadings {
  int32_t entry = -1;
  std::vector<WordReading> readings;  // one or more
};

// Records `readings` (by increasing entry, each adding up to its entry's
// occurrences) in a classified result: each entry's class becomes its most
// frequent reading, and the per-level counters count every reading's
// occurrences at its own level and every reading as a distinct word of its
// level (lives read as live and as life: two words), so that views that
// read the split add up to the counters. Entries outside the table or that do not add up are
// left as they were.
void ApplyWordReadings(AnalysisResult& result, std::vector<EntryReadings> readings);

}  // namespace lexiscoop
