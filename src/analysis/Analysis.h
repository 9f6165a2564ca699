#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "analysis/WordLevel.h"
#include "analysis/WordTable.h"

namespace lexiscoop {

class TMyParser;
class TStringList;

// The result of the last analysis run: the word table, the number of words
// counted and, after ClassifyWords, the per-level counters.
struct AnalysisResult {
  WordTable words;
  int32_t tokenCount = 0;  // words counted; the sum of all occurrences
  std::array<int32_t, kWordLevelCount> levelDistinct{};     // entries per level
  std::array<int32_t, kWordLevelCount> levelOccurrences{};  // occurrences per level

  // Empties the table and zeroes every counter.
  void Clear();
};

// How a scan keeps the window alive and learns that it should stop.
struct ScanControl {
  // Called about every `sliceMs` milliseconds (and once before the first
  // word) with the progress in per cent; the window processes its events
  // here. May be empty.
  std::function<void(int percent)> pump;
  // Read before every word; a value above 0 ends the scan. May be null.
  const int* stopRequest = nullptr;
  uint32_t sliceMs = 20;
  // How many words pass between two looks at the clock.
  int wordsPerClockCheck = 256;
};

// How a scan ended.
enum class ScanEnd { Empty, Completed, Stopped };

// Counts the words of the holder's text into `result` (cleared first).
// Every scanned word passes through NormalizeWord; a word that normalizes to
// nothing is skipped. An empty text ends at once with ScanEnd::Empty. A line
// that is too long raises EParserError; the words counted up to it stay.
ScanEnd ScanText(TMyParser& parser, AnalysisResult& result, const ScanControl& control = {});

// Classifies every word of the table: fills levelDistinct and
// levelOccurrences and the use counts (object slots) of the four level lists.
// A word not in `inflectionIndex` is None. Otherwise the headword is that of
// the first candidate (entries of the run of equal spellings, in index order)
// whose headword has inflection items, or else of the last candidate; the
// first of the level lists (Basic..General) that holds it gives the level,
// else Other. Null or empty level lists hold nothing.
void ClassifyWords(AnalysisResult& result, const TStringList& inflectionIndex,
                   const TStringList& headwordList,
                   const std::array<TStringList*, kListedLevelCount>& levelLists);

// The headword index (into the headword list) chosen for `word`, by the rule
// of ClassifyWords; -1 when the word is not in the index.
int ChooseHeadwordForLevel(std::string_view word, const TStringList& inflectionIndex,
                           const TStringList& headwordList);

// The summary of status panel 0 (CP932):
// «250 種 1,000 語 5min33sec(3 words per sec) / 6,000 ﾊﾞｲﾄ».
std::string SummaryText(const AnalysisResult& result, int32_t byteCount);

// Status panel 0 before a run: «6,000 ﾊﾞｲﾄ».
std::string ByteCountText(int32_t byteCount);

// A level button's caption after a run: the plain name for an empty table,
// else «基本 42%» (truncated per cent of the distinct words).
std::string LevelCaption(const AnalysisResult& result, WordLevel level);

}  // namespace lexiscoop
