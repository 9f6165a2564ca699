#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/TextSpan.h"
#include "analysis/WordClassifier.h"
#include "analysis/WordLevel.h"
#include "analysis/WordReadings.h"
#include "analysis/WordTable.h"
#include "analysis/WordWatch.h"

namespace lexiscoop {

class TMyParser;

// The result of the last analysis run: the word table, the number of words
// counted and, after ClassifyWords, each word's class and the per-level
// counters. Once finished it is only read, and may be read from many threads.
struct AnalysisResult {
  WordTable words;
  int32_t tokenCount = 0;  // words counted; the sum of all occurrences
  // Per level of `levelSet`, in its order (the places past its levels hold 0).
  std::array<int32_t, kMaxLevelCount> levelDistinct{};     // entries per level
  std::array<int32_t, kMaxLevelCount> levelOccurrences{};  // occurrences per level
  // Where entry i first occurs in the scanned text, as the scanner delimits
  // it (the word as written, before folding and before its contraction
  // ending is cut); recorded by ScanText.
  std::vector<TextSpan> firstOccurrences;
  // Entry i classifies word i of the table; empty until ClassifyWords.
  std::vector<WordClass> classes;
  // The entries whose occurrences were read as more than one headword in
  // their sentences (by increasing entry); empty unless words were read in
  // context. Every view counts such an entry by these readings.
  std::vector<EntryReadings> readings;
  // Every occurrence of the words ScanControl::watch chose, in text order,
  // with the headword each was read as; empty without a watch.
  std::vector<WatchedOccurrence> watched;
  // The lexicon that classified the words; kept so that the ids in
  // `classes` stay meaningful after the dictionary has been reloaded.
  std::shared_ptr<const WordClassifier> classifier;
  // Per level list of `levelSet` (its listed levels): how many of its
  // entries gave a word of the run its level, and how many entries it had.
  std::array<int32_t, LevelSet::kMaxListedLevels> levelEntriesUsed{};
  std::array<int32_t, LevelSet::kMaxListedLevels> levelEntryCount{};
  // The level set the levels in `classes` and the counters above belong to;
  // null: the shipped set (as ClassifyWords leaves it).
  std::shared_ptr<const LevelSet> levelSet;
  // The scan was stopped before the end of the text: every figure is that of
  // the words counted up to then.
  bool stopped = false;

  // Empties the table, the classes and every counter.
  void Clear();
  // True once ClassifyWords has classified the current table.
  bool Classified() const { return classes.size() == static_cast<size_t>(words.Count()) && classifier != nullptr; }
  // The set the result is classified by.
  const LevelSet& Levels() const { return levelSet ? *levelSet : ShippedLevels(); }
};

// How a scan keeps the window alive and learns that it should stop.
struct ScanControl {
  // Called about every `sliceMs` milliseconds (and once before the first
  // word) with the progress in per cent; the window processes its events
  // here. May be empty.
  std::function<void(int percent)> pump;
  // Read before every word; a value above 0 ends the scan. May be null.
  const int* stopRequest = nullptr;
  // The same, set from another thread. May be null.
  const std::atomic<bool>* stopFlag = nullptr;
  uint32_t sliceMs = 20;
  // How many words pass between two looks at the clock.
  int wordsPerClockCheck = 256;
  // Chooses the words whose occurrences the scan records in
  // AnalysisResult::watched. May be null: nothing is recorded.
  WordWatch* watch = nullptr;
};

// How a scan ended.
enum class ScanEnd { Empty, Completed, Stopped };

// Counts the words of the holder's text into `result` (cleared first) and
// records where each entry first occurs.
// Every scanned word passes through NormalizeWord; a word that normalizes to
// nothing is skipped. An empty text ends at once with ScanEnd::Empty.
ScanEnd ScanText(TMyParser& parser, AnalysisResult& result, const ScanControl& control = {});

// Classifies every word of the table once through `classifier`: fills
// `classes`, the per-level counters and the level lists' use, and keeps the
// classifier. Nothing is written anywhere else. A null classifier (no
// dictionary) makes every word None.
void ClassifyWords(AnalysisResult& result, std::shared_ptr<const WordClassifier> classifier);

// Counts levelDistinct and levelOccurrences again from the levels in
// `classes` and `readings` (after they were given by another set): each
// entry is one distinct word at its class's level; the occurrences of an
// entry in `readings` count at each reading's level.
void CountLevels(AnalysisResult& result);

// The summary of status panel 0 (CP932):
// «250 種 1,000 語 5min33sec(3 words per sec) / 6,000 ﾊﾞｲﾄ»; after a stopped
// scan it starts with the StoppedNote and two blanks.
std::string SummaryText(const AnalysisResult& result, int32_t byteCount);

// What marks the figures of a stopped scan (CP932): «中止: 8,679,364 語まで»
// with the words counted; empty for a scan that reached the end.
std::string StoppedNote(const AnalysisResult& result);
// «中止: 8,679,364 語まで» for `wordsCounted` words (CP932).
std::string StoppedNoteAt(int64_t wordsCounted);

// Status panel 0 before a run: «6,000 ﾊﾞｲﾄ».
std::string ByteCountText(int32_t byteCount);

// What a zero byte, which ends the text for the scanner, leaves out (CP932):
// «1,234 バイト目のゼロバイトで読み終えました: 残り 56 バイトは数えていません»
// (the zero byte's place counted from 1, and the bytes after it); "" for a
// text without one.
std::string ZeroByteNotice(std::string_view text);

// A level button's caption after a run: the plain name for an empty table,
// else «基本 42%» (truncated per cent of the distinct words).
std::string LevelCaption(const AnalysisResult& result, WordLevel level);

}  // namespace lexiscoop
