#include <string>

#include "analysis/Analysis.h"
#include "analysis/MyParser.h"
#include "analysis/NormalizeWord.h"
#include "platform/TickCount.h"

namespace lexiscoop {

ScanEnd ScanText(TMyParser& parser, AnalysisResult& result, const ScanControl& control) {
  result.words.Clear();
  result.tokenCount = 0;
  if (parser.FullText().empty()) return ScanEnd::Empty;

  result.words.ReserveForText(parser.FullText().size());
  if (control.pump) control.pump(100);
  parser.Rewind();
  uint32_t lastPump = TickCount();
  int untilClockCheck = control.wordsPerClockCheck;
  while (parser.HasWord()) {
    if (control.stopRequest && *control.stopRequest > 0) return ScanEnd::Stopped;
    if (--untilClockCheck <= 0) {
      untilClockCheck = control.wordsPerClockCheck;
      const uint32_t now = TickCount();
      if (control.pump && now - lastPump >= control.sliceMs) {
        control.pump(static_cast<int>(parser.ProgressPercent()));
        lastPump = TickCount();
        // A stop asked for inside the pump ends the scan before the next word.
        if (control.stopRequest && *control.stopRequest > 0) return ScanEnd::Stopped;
      }
    }
    const std::string_view normalized = NormalizeWord(parser.CurrentWordView());
    if (!normalized.empty()) {
      ++result.tokenCount;
      result.words.CountWord(normalized);
    }
    parser.NextWord();
  }
  return ScanEnd::Completed;
}

}  // namespace lexiscoop
