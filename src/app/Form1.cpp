#include "app/Form1.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <utility>

#include "analysis/LevelSet.h"
#include "app/AppTexts.h"
#include "app/CommandStates.h"
#include "app/CopyCommands.h"
#include "app/FilterMenu.h"
#include "app/GuardedCommand.h"
#include "app/HelpCommands.h"
#include "app/KnownWordsController.h"
#include "app/ImageList.h"
#include "app/LevelBar.h"
#include "app/LevelSetMenu.h"
#include "app/ListPaneLayout.h"
#include "app/MainWindowSettings.h"
#include "app/ExportCommands.h"
#include "app/ReadingPane.h"
#include "app/ResultPresenter.h"
#include "app/StatusLine.h"
#include "app/TextInputController.h"
#include "app/WindowDictionary.h"
#include "app/WordSearchBox.h"
#include "dictionary/ConjugationDictionary.h"
#include "editor/widgets/FmEditDic.h"
#include "platform/FileSystem.h"
#include "ui/Dialogs.h"
#include "ui/Fonts.h"
#include "views/ShownWordList.h"
#include "views/widgets/WordListModel.h"

namespace lexiscoop {
namespace {

constexpr int kMinWindowWidth = 400;
constexpr int kMinWindowHeight = 300;

std::string WithoutTrailingSlash(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace

TForm1::TForm1(TForm1Options options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)) {
  InstallFontSubstitutions();
  if (options_.dialogs == nullptr) ownDialogs_ = std::make_unique<TQtDialogs>();
  dialogs_ = options_.dialogs != nullptr ? options_.dialogs : ownDialogs_.get();
  programFolder_ = WithoutTrailingSlash(options_.programFolder.empty() ? ExecutableFolder()
                                                                       : options_.programFolder);
  setObjectName(QStringLiteral("Form1"));
  setFont(WindowFont());
  setWindowIcon(ProgramIcon());
  setWindowTitle(Qs(texts::kCaptionBase));
  createLayout();
  // Every bar, the list and the status bar still fit; what a bar cannot
  // show goes behind its » button.
  setMinimumSize(kMinWindowWidth, kMinWindowHeight);
  FormCreate();
  editor_ = std::make_unique<TfrmEditDic>(
      dictionary_->Get(), *dialogs_,
      [this](const QString& path, const QString& suffix) { OpenDocument(path, suffix); }, this);
  commandStates_->SetEditorReady();
  UpdateCommandStates();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
  settings_->Read();
  search_ = new WordSearchBox(*edWord, *lvWords, *words_, *this);
  connect(edWord, &QLineEdit::textChanged, this, &TForm1::edWordChange);
  mmDatas->setFont(FixedFont());
  pcMemo->setCurrentWidget(tsText);
  pcMemo->setTabVisible(pcMemo->indexOf(tsDatas), false);
  edWord->clear();
  dictionary_ = std::make_unique<WindowDictionary>(programFolder_, *this, *dialogs_, *status_);
  dictionary_->Get().SetObserver(this);
  help_ = new HelpCommands(programFolder_, *this, *dialogs_, dictionary_->Get());
  UpdateCommandStates();

  if (!dictionary_->Load()) return;
  setAcceptDrops(true);
  SetFormMode(FormMode::Original);
  SetLevelMask(kAllLevels);
  input_->SetSampleText();
}

bool TForm1::HasDictionary() const { return dictionary_->Loaded(); }

const ConjugationDictionary& TForm1::Dictionary() const { return dictionary_->Get(); }

const std::string& TForm1::SettingsPath() const { return settings_->Path(); }

QString TForm1::StatusPanelText(int panel) const { return status_->Text(panel); }

void TForm1::AwaitAnalysisIfDictionaryChanged() {
  // Every load builds a new lexicon; results classified with another one
  // are no longer the text's.
  if (run_->ResultsOutdated(dictionary_->Get().CurrentLexicon())) SetAwaitingAnalysis(true);
}

void TForm1::LevelListLoaded(int level, bool enabled, const std::string& hint) {
  levelBar_->LevelListLoaded(level, enabled, hint, run_->ShowsResults());
}

void TForm1::LevelListsLoaded() {
  // The level bar as the user left it: hidden unless shown from 表示.
  levelBar_->Menu().LevelBarAction()->setChecked(settings_->LevelBarShown());
  cbProUse->setVisible(settings_->LevelBarShown());
  lbTickCount->hide();
}

void TForm1::OpenTextFile(const QString& path) { input_->OpenFile(path); }

void TForm1::SetCurrentText(const std::string& cp932, const QByteArray& original) { input_->SetText(cp932, original); }

void TForm1::SetAwaitingAnalysis(bool awaiting) {
  results_->ShowAwaiting(awaiting);
  UpdateCommandStates();
}

void TForm1::RunAnalysis() {
  if (!results_->Run(dictionary_->Get().CurrentLexicon())) return;
  SetAwaitingAnalysis(false);
  RebuildWordList();
}

void TForm1::LevelSetChosen() {
  if (!run_->ShowsResults() || run_->Busy()) {
    // The next run takes the set, and the list shows every level of it.
    words_->SetLevelMask(static_cast<LevelMask>(levelSets_->Levels().AllFilterBits()));
    return;
  }
  results_->ShowLevelSetChosen();
  RebuildWordList();
}

void TForm1::UpdateCommandStates() { commandStates_->Update(); }

// The command slots: each hands its command to the controller that carries
// it out.

void TForm1::acAnalizeExecute() {
  RunGuarded(*dialogs_, this, [this] { RunAnalysis(); });
}

void TForm1::acStopAnalizeExecute() { run_->Stop(); }

void TForm1::acLoadFromFileExecute() { input_->ChooseFile(); }

void TForm1::acClipToTextExecute() { input_->PasteText(); }

void TForm1::acOpenDocExecute() { help_->OpenHelp(); }

void TForm1::OpenDocument(const QString& path, const QString& suffix) { help_->OpenDocument(path, suffix); }

void TForm1::N1Click() { help_->ShowInformation(); }

void TForm1::acCloseExecute() { close(); }

void TForm1::acEditDicExecute() {
  if (run_->Busy()) return;
  // Changes are written and reloaded by the editor; a changed dictionary
  // leaves the text awaiting a new run.
  editor_->exec();
  wordModel_->ClassificationChanged();
  AwaitAnalysisIfDictionaryChanged();
}

void TForm1::acExportExecute() { exports_->ExportRows(words_->Shown(), QString(), QStringLiteral("words")); }

void TForm1::acExportNewWordsExecute() {
  if (!exports_->CanExport()) return;
  ShownWordList newWords;
  knownWords_->BuildNewWords(newWords);
  exports_->ExportRows(newWords, QStringLiteral("-new"), QStringLiteral("new-words"));
}

void TForm1::acCompareTextsExecute() {
  exports_->ShowCompareWindow(dictionary_->Get(), [this] { return results_->ContextReadingModel(); });
}

void TForm1::acShowGlossExecute(bool shown) { panes_->ShowGloss(shown); }

void TForm1::Splitter1Moved() {
  // Only the user drags the splitter: the share is theirs from now on.
  panes_->SplitterMoved();
  status_->Fit();
}

void TForm1::acAllSelectExecute() {
  words_->SelectAll();
  results_->ShowSelectionCount();
}

void TForm1::acCopyWordsExecute() { copies_->CopyWords(); }

void TForm1::acCopyWordsNumExecute() { copies_->CopyWordsWithCounts(); }

void TForm1::acCopyDataExecute() { copies_->CopyPercentColumn(); }

void TForm1::CopyStatisticsReport() { copies_->CopyStatisticsReport(); }

void TForm1::ToggleFormMode(FormMode mode) { SetFormMode(FormAfterToggle(Filter().formMode, mode)); }

void TForm1::acSWNoEntryExecute() {
  SetLevelMask(MaskAfterNoEntryToggle(Filter().levelMask, static_cast<LevelMask>(Result().Levels().AllFilterBits())));
}

void TForm1::LevelButtonClick(int bit, Qt::KeyboardModifiers modifiers) { levelBar_->Click(bit, modifiers); }

void TForm1::lvWordsDblClick() { results_->ShowWordDetails(*dictionary_->Get().CurrentLexicon()); }

void TForm1::lvWordsColumnClick(int column) { words_->SortByColumn(column); }

void TForm1::cbProperNounChange() {
  words_->SetProperNoun(ProperNounChoiceFromIndex(cbProperNoun->currentIndex()));
  levelBar_->Menu().Sync(Filter());
}

void TForm1::edWordChange() { search_->OfferWords(); }

void TForm1::JumpToWord() { search_->JumpToPick(); }

void TForm1::closeEvent(QCloseEvent* event) {
  // A scan or rebuild still on the stack is stopped first; the window
  // closes once it has unwound. A load under way is abandoned.
  if (!run_->RequestClose()) {
    event->ignore();
    return;
  }
  settings_->Write();
  event->accept();
}

void TForm1::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    status_->Fit();
    // Another program may have changed the dictionary meanwhile.
    if (!run_->Busy() && dictionary_->ReloadIfChangedOnDisk()) AwaitAnalysisIfDictionaryChanged();
  }
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (event->spontaneous() || shownOnce_) return;
  shownOnce_ = true;
  panes_->WindowShown();
  settings_->WindowShown();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (dictionary_->Loaded() && input_->AcceptsDrop(*event->mimeData())) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TForm1::dropEvent(QDropEvent* event) {
  if (!dictionary_->Loaded() || !input_->AcceptsDrop(*event->mimeData())) {
    event->ignore();
    return;
  }
  const QList<QUrl> urls = event->mimeData()->urls();
  event->acceptProposedAction();
  input_->Drop(urls);
}

}  // namespace lexiscoop
