#pragma once

namespace lexiscoop {

// What the main window's text and results are doing; the one state from
// which the window enables its commands.
//
//   NoText ──text set──▶ AwaitingAnalysis ──抽出──▶ Running ──▶ ResultsShown
//                                   ▲                  │   └──中止──▶ Stopped
//                                   └──run failed──────┘   Stopped ──抽出──▶ Running
//   (any settled state) ──new text or new dictionary──▶ AwaitingAnalysis
//   (any settled state) ──large file──▶ Loading ──read──▶ AwaitingAnalysis
//                                           └──中止 or failure──▶ (back)
//   ResultsShown, Stopped ──filter or sort──▶ Rebuilding ──▶ (back)
enum class RunState {
  NoText,            // before the first text: nothing to analyse
  AwaitingAnalysis,  // a new text is set and waits for 抽出
  Loading,           // a file is read in the background; 中止 abandons it
  Running,           // the analysis run scans the text; 中止 ends it
  Rebuilding,        // the word list is being rebuilt from the results
  ResultsShown,      // the results of a completed run are shown
  Stopped,           // the results of a run ended by 中止 are shown; 抽出 is offered
};

}  // namespace lexiscoop
