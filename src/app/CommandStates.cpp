#include "app/CommandStates.h"

#include <QAction>
#include <QGuiApplication>
#include <QProgressBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

#include "app/AppTexts.h"
#include "app/LevelBar.h"
#include "app/MainWindowUi.h"
#include "app/ReadingPane.h"
#include "app/RunController.h"
#include "app/StatusLine.h"

namespace lexiscoop {

CommandStates::CommandStates(const MainWindowUi& form, LevelBar& levelBar, const RunController& run, StatusLine& status)
    : form_(form), levelBar_(levelBar), run_(run), status_(status) {}

void CommandStates::SwapAnalyzeButton(QAction* action) {
  QToolButton& button = *form_.tbAnalizeStart;
  if (button.defaultAction() == action) return;
  // A tool button with more than one action grows a menu arrow: it carries
  // exactly one.
  for (QAction* carried : button.actions()) button.removeAction(carried);
  button.setDefaultAction(action);
}

void CommandStates::Update() {
  const MainWindowUi& f = form_;
  const RunState state = run_.State();
  const bool busy = run_.Busy();
  const bool results = run_.ShowsResults();
  SwapAnalyzeButton(state == RunState::Running || state == RunState::Loading ? f.acStopAnalize : f.acAnalize);
  f.acAnalize->setEnabled(run_.CanAnalyze());
  // A new text or a new dictionary must not be applied under a running scan
  // or rebuild.
  f.acLoadFromFile->setEnabled(!busy);
  f.acClipToText->setEnabled(!busy);
  f.acEditDic->setEnabled(!busy && editorReady_);

  // The export reads the run's result, which a run or rebuild is writing.
  f.acExport->setEnabled(!busy && results);
  f.acPrint->setEnabled(!busy && results && f.readingPane_->HasResult());
  if (busy) return;  // the result controls keep their state while busy
  for (QAction* action : {f.acCopyWords, f.acCopyWordsNum, f.acAllSelect, f.acSortABC, f.acSortNum, f.acSortInitial,
                          f.acSWOriginal, f.acSWEntries, f.acSWWritten, f.acSWNoEntry, f.acCopyData}) {
    action->setEnabled(results);
  }
  for (QToolBar* bar : {f.cbWordsSel, f.cbProUse}) {
    for (QAction* item : bar->actions()) {
      if (QWidget* control = bar->widgetForAction(item)) control->setEnabled(results);
    }
  }
  levelBar_.SetEnabled(results);
  f.lvWords->setEnabled(results);
}

void CommandStates::Follow(RunState state, RunState previous) {
  // A large file's load shows that the window is busy and how far it got.
  QProgressBar& progress = *form_.ProgressBar1;
  if (state == RunState::Loading) {
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    progress.setRange(0, 100);
    progress.setTextVisible(true);
    ShowLoadProgress(0);
  } else if (previous == RunState::Loading) {
    QGuiApplication::restoreOverrideCursor();
    progress.setTextVisible(false);
    progress.setValue(0);
    status_.ClearMessage();
  }
  Update();
}

void CommandStates::ShowLoadProgress(int percent) {
  if (run_.State() != RunState::Loading) return;
  form_.ProgressBar1->setValue(percent);
  status_.ShowMessage(Qs(texts::kLoadingFormat).arg(run_.LoadingName(), QString::number(percent)));
}

}  // namespace lexiscoop
