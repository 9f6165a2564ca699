#pragma once

#include "app/RunState.h"

class QAction;

namespace lexiscoop {

class LevelBar;
class MainWindowUi;
class RunController;
class StatusLine;

// Enables the main window's commands and controls from the run state alone,
// and shows the busy signs of a background load: the busy cursor, the
// progress in the bar and the status line.
class CommandStates {
 public:
  // All must outlive this object.
  CommandStates(const MainWindowUi& form, LevelBar& levelBar, const RunController& run, StatusLine& status);

  // The dictionary editor exists: 辞書編集 may be enabled.
  void SetEditorReady() { editorReady_ = true; }
  // Brings every command up to date with the run state.
  void Update();
  // The run state went from `previous` to `state`.
  void Follow(RunState state, RunState previous);
  // Shows how far the background load has got, in per cent.
  void ShowLoadProgress(int percent);

 private:
  // The start button carries 抽出, or 中止 while a scan or load may be stopped.
  void SwapAnalyzeButton(QAction* action);

  const MainWindowUi& form_;
  LevelBar& levelBar_;
  const RunController& run_;
  StatusLine& status_;
  bool editorReady_ = false;
};

}  // namespace lexiscoop
