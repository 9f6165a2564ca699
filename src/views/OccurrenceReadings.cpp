#include "views/OccurrenceReadings.h"

#include <algorithm>

#include "analysis/Analysis.h"

namespace lexiscoop {
namespace {

// The reading an occurrence left to the rule stands for: the one that is
// not a reading in context, if the split has it.
const WordReading* RuleReading(const EntryReadings& split) {
  for (const WordReading& reading : split.readings) {
    if ((reading.word.flags & kWordReadInContext) == 0) return &reading;
  }
  return nullptr;
}

const WordReading* ReadingAs(const EntryReadings& split, HeadwordId headword) {
  if (headword == kNoHeadword) return RuleReading(split);
  for (const WordReading& reading : split.readings) {
    if (reading.word.headword == headword) return &reading;
  }
  return nullptr;
}

const EntryReadings* SplitOf(const AnalysisResult& result, int32_t entry) {
  const auto split = std::lower_bound(result.readings.begin(), result.readings.end(), entry,
                                      [](const EntryReadings& r, int32_t e) { return r.entry < e; });
  return split != result.readings.end() && split->entry == entry ? &*split : nullptr;
}

}  // namespace

OccurrenceReadings::OccurrenceReadings(const AnalysisResult& result) {
  // Per entry: its split when it has two readings or more.
  std::vector<const EntryReadings*> splitOf(static_cast<size_t>(std::max(result.words.Count(), 0)), nullptr);
  bool any = false;
  for (const EntryReadings& split : result.readings) {
    if (split.readings.size() > 1 && split.entry >= 0 && static_cast<size_t>(split.entry) < splitOf.size()) {
      splitOf[static_cast<size_t>(split.entry)] = &split;
      any = true;
    }
  }
  if (!any) return;
  for (const WatchedOccurrence& occurrence : result.watched) {
    if (occurrence.entry < 0 || static_cast<size_t>(occurrence.entry) >= splitOf.size()) continue;
    const EntryReadings* split = splitOf[static_cast<size_t>(occurrence.entry)];
    if (split == nullptr) continue;
    if (const WordReading* reading = ReadingAs(*split, occurrence.reading)) {
      places_.push_back({occurrence.offset, occurrence.entry, reading->word});
    }
  }
  std::stable_sort(places_.begin(), places_.end(), [](const Place& a, const Place& b) { return a.offset < b.offset; });
}

const WordClass* OccurrenceReadings::At(int32_t entry, uint64_t offset) const {
  const auto place = std::lower_bound(places_.begin(), places_.end(), offset,
                                      [](const Place& p, uint64_t o) { return p.offset < o; });
  if (place == places_.end() || place->offset != offset || place->entry != entry) return nullptr;
  return &place->word;
}

int64_t FirstOccurrenceReadAs(const AnalysisResult& result, int32_t entry, HeadwordId headword) {
  const EntryReadings* split = SplitOf(result, entry);
  if (split == nullptr) return -1;
  const WordReading* wanted = ReadingAs(*split, headword);
  if (wanted == nullptr) return -1;
  for (const WatchedOccurrence& occurrence : result.watched) {
    if (occurrence.entry == entry && ReadingAs(*split, occurrence.reading) == wanted) return occurrence.offset;
  }
  return -1;
}

}  // namespace lexiscoop
