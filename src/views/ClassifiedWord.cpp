#include "views/ClassifiedWord.h"

#include <algorithm>

#include "dictionary/GlossGroups.h"

#include "analysis/Analysis.h"
#include "views/ShownWordList.h"
#include "views/WordForms.h"

namespace lexiscoop {

std::string_view Glosses::FirstGroup() const { return FirstGlossGroup(text); }

namespace {

// The reading of `entry` as `headword` (the first for kNoHeadword), or null.
const WordReading* ReadingOf(const AnalysisResult& result, int32_t entry, HeadwordId headword) {
  const auto split = std::lower_bound(result.readings.begin(), result.readings.end(), entry,
                                      [](const EntryReadings& r, int32_t e) { return r.entry < e; });
  if (split == result.readings.end() || split->entry != entry || split->readings.empty()) return nullptr;
  if (headword == kNoHeadword) return &split->readings.front();
  for (const WordReading& reading : split->readings) {
    if (reading.word.headword == headword) return &reading;
  }
  return nullptr;
}

}  // namespace

ClassifiedWord ClassifiedReadingOf(const AnalysisResult& result, int32_t entry, HeadwordId headword) {
  ClassifiedWord word;
  if (!result.Classified() || entry < 0 || entry >= result.words.Count()) return word;
  const WordReading* reading = ReadingOf(result, entry, headword);
  const WordClass& c = reading ? reading->word : result.classes[static_cast<size_t>(entry)];
  word.entry = entry;
  word.headword = c.headword;
  word.level = c.level;
  word.flags = c.flags;
  if (c.InDictionary()) {
    word.headwordForm = ShownForm(*result.classifier, c, FormMode::Original);
    word.glosses.text = reading && !reading->glosses.empty() ? std::string_view(reading->glosses)
                                                             : result.classifier->HeadwordGloss(c.headword);
  }
  return word;
}

ClassifiedWord ClassifiedWordOf(const AnalysisResult& result, int32_t entry) {
  return ClassifiedReadingOf(result, entry, kNoHeadword);
}

ClassifiedWord ClassifiedRowOf(const ShownWordList& shown, int row, const AnalysisResult& result) {
  if (row < 0 || row >= shown.RowCount()) return {};
  const int position = shown.PositionOfRow(row);
  return ClassifiedReadingOf(result, shown.FirstWordOfPosition(position), shown.HeadwordOfPosition(position));
}

}  // namespace lexiscoop
