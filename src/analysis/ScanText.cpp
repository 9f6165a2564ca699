#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "analysis/MyParser.h"
#include "analysis/NormalizeWord.h"
#include "platform/ProgressPump.h"

namespace lexiscoop {

ScanEnd ScanText(TMyParser& parser, AnalysisResult& result, const ScanControl& control) {
  result.words.Clear();
  result.tokenCount = 0;
  result.firstOccurrences.clear();
  result.watched.clear();
  result.stopped = false;
  if (parser.FullText().empty()) return ScanEnd::Empty;

  result.words.ReserveForText(parser.FullText().size());
  ProgressPump pump(control.pump, control.sliceMs, control.wordsPerClockCheck);
  pump.Start(100);
  parser.Rewind();
  std::vector<int32_t> watched;  // per entry: how many more of its occurrences to record
  auto stopAsked = [&control] {
    return (control.stopRequest && *control.stopRequest > 0) ||
           (control.stopFlag && control.stopFlag->load(std::memory_order_relaxed));
  };
  while (parser.HasWord()) {
    if (stopAsked()) break;
    if (pump.Step([&parser] { return static_cast<int>(parser.ProgressPercent()); })) {
      // A stop asked for inside the pump ends the scan before the next word.
      if (stopAsked()) break;
    }
    const std::string_view normalized = NormalizeWord(parser.CurrentWordView());
    if (!normalized.empty()) {
      ++result.tokenCount;
      const int entry = result.words.CountWord(normalized);
      // Entries are numbered in order of first appearance: a new one is the next.
      if (static_cast<size_t>(result.words.Count()) > result.firstOccurrences.size()) {
        result.firstOccurrences.push_back({parser.CurrentWordOffset(), parser.CurrentWordSourceLength()});
        if (control.watch) watched.push_back(control.watch->WatchNewWord(normalized));
      }
      if (control.watch && watched[static_cast<size_t>(entry)] > 0) {
        --watched[static_cast<size_t>(entry)];
        result.watched.push_back({static_cast<uint32_t>(parser.CurrentWordOffset()), entry});
        if (result.watched.size() % WordWatch::kOccurrencesPerHandOver == 0) {
          control.watch->OccurrencesKept(result.watched);
        }
      }
    }
    parser.NextWord();
  }
  // A stop asked for after the last word has been counted changes nothing.
  result.stopped = parser.HasWord();
  return result.stopped ? ScanEnd::Stopped : ScanEnd::Completed;
}

}  // namespace lexiscoop
