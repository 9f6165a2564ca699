// The analysis run, and the window's commands as the run state has them.

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

#include "analysis/Analysis.h"
#include "analysis/MyParser.h"
#include "analysis/NumberFormat.h"
#include "app/AppTexts.h"
#include "app/ContextModel.h"
#include "app/LevelBar.h"
#include "app/LevelSetMenu.h"
#include "app/Form1.h"
#include "app/OriginalPreview.h"
#include "app/ReadingPane.h"
#include "app/RunController.h"
#include "dictionary/ConjugationDictionary.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "ui/BusyCursor.h"
#include "ui/Dialogs.h"
#include "views/widgets/CoverageChart.h"
#include "views/widgets/RowSelection.h"
#include "views/widgets/WordListModel.h"

namespace lexiscoop {
namespace {

constexpr int32_t kPreviewBytes = 4096;

// The length of `text` without a lead byte left alone at its end, so that a
// cut never shows half a double-byte character.
size_t WholeCharacters(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const size_t step = IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    if (i + step > text.size()) break;
    i += step;
  }
  return i;
}

// A status text with what a zero byte of `text` left uncounted, if any.
std::string WithZeroByteNotice(std::string status, std::string_view text) {
  const std::string notice = ZeroByteNotice(text);
  if (!notice.empty()) status += "  " + notice;
  return status;
}

}  // namespace

void TForm1::acAnalizeExecute() {
  Guarded([this] { RunAnalysis(); });
}

void TForm1::acStopAnalizeExecute() { run_->Stop(); }

std::shared_ptr<const tagging::TaggerModel> TForm1::ContextReadingModel() {
  if (!acReadInContext->isChecked()) return nullptr;
  if (!contextModel_) contextModel_ = std::make_unique<ContextModel>(JoinPath(programFolder_, tagging::kTaggerModelFile));
  std::string error;
  std::shared_ptr<const tagging::TaggerModel> model = contextModel_->Get(error);
  if (!error.empty()) dialogs_->Fail(this, QString::fromStdString(error));
  return model;
}

void TForm1::SwapAnalyzeButton(QAction* action) {
  if (tbAnalizeStart->defaultAction() == action) return;
  // A tool button with more than one action grows a menu arrow: it carries
  // exactly one.
  for (QAction* carried : tbAnalizeStart->actions()) tbAnalizeStart->removeAction(carried);
  tbAnalizeStart->setDefaultAction(action);
}

void TForm1::RunAnalysis() {
  bool ran = false;
  {
    BusyCursor busy;
    ran = run_->Run(
        dictionary_->CurrentLexicon(), ContextReadingModel(),
        [this] {
          ProgressBar1->setValue(ProgressBar1->maximum());
          QCoreApplication::processEvents();
          readingPane_->ShowText(run_->Text().FullText());  // the word table changes under it
        },
        [this](int percent) {
          ProgressBar1->setValue(ProgressBar1->maximum() * percent / 100);
          QCoreApplication::processEvents();
        });
  }
  if (!ran) return;
  // No events until the results are in place: the text commands are
  // enabled again, and a text set now would be shown as the one analysed.
  levelSets_->ApplyTo(run_->Result());
  const AnalysisResult& result = run_->Result();
  SetStatusPanel(0, QString::fromStdString(Utf8FromCp932(WithZeroByteNotice(SummaryText(result, run_->Text().ByteCount()), run_->Text().FullText()))));
  levelBar_->SetCaptions(&run_->Result());
  // A stopped run says so wherever its figures appear; its state, Stopped,
  // offers the text for another run at once.
  ShowCaption();
  readingPane_->ShowResult(windowTitle());
  coverageChart_->SetFigures(readingPane_->Figures());
  SetAwaitingAnalysis(false);
  RebuildWordList();
}

void TForm1::LevelSetChosen() {
  if (!run_->ShowsResults() || run_->Busy()) return;  // the next run takes the set
  levelSets_->ApplyTo(run_->Result());
  levelBar_->SetCaptions(&run_->Result());
  words_->SetLevelMask(static_cast<LevelMask>(run_->Result().Levels().AllFilterBits()));
  BuildStatisticsReport();
  readingPane_->ShowResult(windowTitle());
  coverageChart_->SetFigures(readingPane_->Figures());
  RebuildWordList();
}

void TForm1::RunStateChanged(RunState state, RunState previous) {
  // A large file's load shows that the window is busy and how far it got.
  if (state == RunState::Loading) {
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(true);
    ShowLoadProgress(0);
  } else if (previous == RunState::Loading) {
    QGuiApplication::restoreOverrideCursor();
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setValue(0);
    statusBar()->clearMessage();
  }
  UpdateCommandStates();
}

void TForm1::SetAwaitingAnalysis(bool awaiting) {
  // Input that waited while the text was read (Extract pressed meanwhile,
  // say) is handled before the new state is written, so that nothing it
  // starts is overwritten by the rest of this switch. Leaving the awaiting
  // state is the run's: it has set the state to the results.
  if (awaiting) {
    QCoreApplication::processEvents();
    run_->AwaitAnalysis();
    readingPane_->ShowText(run_->Text().FullText());
    ShowTextPreview();
    SetStatusPanel(1, QString());
    SetStatusPanel(2, QString());
    levelBar_->SetCaptions(nullptr);
    wordModel_->SetRowCount(0);
    pcMemo->setCurrentWidget(tsText);
  } else {
    BuildStatisticsReport();
    pcMemo->setTabVisible(pcMemo->indexOf(tsDatas), true);
    pcMemo->setCurrentWidget(tsDatas);
  }
  pcMemo->setTabVisible(pcMemo->indexOf(tsDatas), !awaiting);
  pcMemo->setTabVisible(pcMemo->indexOf(readingPane_->Page()), !awaiting);
  ShowCaption();
  UpdateCommandStates();
}

void TForm1::UpdateCommandStates() {
  // Everything here follows the run state alone.
  const RunState state = run_->State();
  const bool busy = run_->Busy();
  const bool results = run_->ShowsResults();
  SwapAnalyzeButton(state == RunState::Running || state == RunState::Loading ? acStopAnalize : acAnalize);
  acAnalize->setEnabled(run_->CanAnalyze());
  // A new text or a new dictionary must not be applied under a running scan
  // or rebuild.
  acLoadFromFile->setEnabled(!busy);
  acClipToText->setEnabled(!busy);
  acEditDic->setEnabled(!busy && editor_ != nullptr);

  // The export reads the run's result, which a run or rebuild is writing.
  acExport->setEnabled(!busy && results);
  acPrint->setEnabled(!busy && results && readingPane_->HasResult());
  if (busy) return;  // the result controls keep their state while busy
  for (QAction* action : {acCopyWords, acCopyWordsNum, acAllSelect, acSortABC, acSortNum, acSortInitial,
                          acSWOriginal, acSWEntries, acSWWritten, acSWNoEntry, acCopyData}) {
    action->setEnabled(results);
  }
  for (QToolBar* bar : {cbWordsSel, cbProUse}) {
    for (QAction* item : bar->actions()) {
      if (QWidget* control = bar->widgetForAction(item)) control->setEnabled(results);
    }
  }
  levelBar_->SetEnabled(results);
  lvWords->setEnabled(results);
}

void TForm1::ShowTextPreview() {
  const TMyParser& text = run_->Text();
  std::string lead = text.LeadingText(kPreviewBytes);
  const bool omitted = text.ByteCount() > static_cast<int32_t>(lead.size());
  if (omitted) lead.resize(WholeCharacters(lead));
  // A converted text shows as it was written where its start converts to
  // what is counted.
  const QString original = OriginalPreview(originalHead_, lead);
  QString preview = DisplayLines(original.isEmpty() ? QString::fromStdString(Utf8FromCp932(lead)) : original);
  if (omitted) {
    if (!preview.isEmpty() && !preview.endsWith(QLatin1Char('\n'))) preview += QLatin1Char('\n');
    preview += Qs(texts::kOmittedLine);
  }
  reText->setUpdatesEnabled(false);
  reText->setPlainText(preview);
  reText->setUpdatesEnabled(true);
  SetStatusPanel(0, QString::fromStdString(Utf8FromCp932(WithZeroByteNotice(ByteCountText(text.ByteCount()), text.FullText()))));
}

void TForm1::ShowSelectionCount() {
  const int selected = words_->SelectedCount();
  SetStatusPanel(1, Qs(texts::kSelectionFormat).arg(QString::fromStdString(FormatThousands(selected))));
}


}  // namespace lexiscoop
