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
// occurrences) in a classified result and counts the levels again
// (CountLevels). Each entry's readings are put in row order: the most
// occurrences first, of equal ones the rule's headword first; the entry's
// class becomes that first reading. The entry stays one written form, at
// its class's level, while its occurrences count at the level of each
// reading (lives read 3 times as live and twice as life: one form, three
// occurrences of live's level and two of life's). Entries outside the table
// or that do not add up are left as they were.
void ApplyWordReadings(AnalysisResult& result, std::vector<EntryReadings> readings);

}  // namespace lexiscoop
