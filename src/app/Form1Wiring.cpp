// The main window's wiring: its commands and widgets (built by MainWindowUi)
// and its controllers, made and connected to the window's slots once, from
// the constructor.

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

#include "app/AppTexts.h"
#include "app/CommandStates.h"
#include "app/DataPath.h"
#include "app/CopyCommands.h"
#include "app/DraggableBars.h"
#include "app/ExportCommands.h"
#include "app/FilterMenu.h"
#include "app/Form1.h"
#include "app/LevelBar.h"
#include "app/KnownWordsController.h"
#include "app/LevelSetMenu.h"
#include "dictionary/ConjugationDictionary.h"
#include "app/ListImportCommands.h"
#include "app/ListPaneLayout.h"
#include "app/MainWindowSettings.h"
#include "app/ReadingPane.h"
#include "app/RecentFiles.h"
#include "app/ResultPresenter.h"
#include "app/StatusLine.h"
#include "app/TextInputController.h"
#include "app/WindowDictionary.h"
#include "app/WordSearchBox.h"
#include "platform/Cp932.h"
#include "platform/UserDataFolder.h"
#include "ui/Dialogs.h"
#include "views/ShownWordList.h"
#include "views/widgets/WordListModel.h"

namespace lexiscoop {

void TForm1::createLayout() {
  recentFiles_ = new RecentFiles(this);
  run_ = new RunController(options_.backgroundLoadBytes, options_.readText, this);
  words_ = new WordListController(*run_, this);
  Build(*this, *recentFiles_->Menu(), words_->Shown(), run_->Result());
  const MainWindowUi& form = *this;  // the controllers' view of the widgets
  status_ = new StatusLine(statusPanels_, *statusBar(), *pcMemo, this);
  levelBar_ = new LevelBar({levelButtons_, cbProperNoun, {acSWOriginal, acSWEntries, acSWWritten}, acSWNoEntry, viewMenu},
                           *words_, *this);
  levelBar_->SetCaptions(nullptr);
  levelSets_ = new LevelSetMenu(*viewMenu, UserDataFolder(programFolder_), *dialogs_, *this);
  knownWords_ = new KnownWordsController(*viewMenu, UserDataFolder(programFolder_), *dialogs_, *this,
                                         {*run_, *words_, *wordModel_, *lvWords, *readingPane_, *coverageChart_});
  fileMenu->insertAction(acCompareTexts, knownWords_->ExportNewAction());
  imports_ = new ListImportCommands(UserDataFolder(programFolder_), *dialogs_, *this,
                                    [this] {
                                      return dictionary_ == nullptr ? nullptr : dictionary_->Get().CurrentLexicon();
                                    });
  levelSets_->SetImportAction(imports_->ImportSetAction());
  knownWords_->SetImportAction(imports_->ImportKnownAction());
  panes_ = new ListPaneLayout(*Splitter1, *lvWords, this);
  settings_ = new MainWindowSettings(
      options_.settingsPath.empty() ? UserAppDataFolderSlash() + texts::kSettingsFileName : options_.settingsPath,
      {*this, form, *panes_, *recentFiles_, exportPlace_, *knownWords_}, this);
  input_ = new TextInputController({*this, *dialogs_, *run_, *recentFiles_, *reText, *status_}, this);
  results_ = new ResultPresenter(
      {*this, form, *dialogs_, *run_, *words_, *levelBar_, *levelSets_, *knownWords_, *panes_, *status_, *input_}, programFolder_,
      this);
  copies_ = new CopyCommands({*run_, *words_, *readingPane_, *mmDatas, [this] { return input_->ShownCaption(); }},
                             *acCopyWords, this);
  commandStates_ = std::make_unique<CommandStates>(form, *levelBar_, *run_, *status_);
  exports_ = new ExportCommands({*this, *dialogs_, *run_, *input_, exportPlace_});
  readingPane_->SetSavePlace(&exportPlace_, [this] { return input_->TextBaseName(); });
  exportPlace_.SetOpenText([this] { return run_->LastFileName(); });
  acAnalize->setEnabled(false);
  wireCommands();
  wireWordList();
  words_->Attach(*lvWords, *wordModel_, *ProgressBar1);
}

void TForm1::wireCommands() {
  connect(run_, &RunController::stateChanged, this,
          [this](RunState state, RunState previous) { commandStates_->Follow(state, previous); });
  // The views let go of the text that is about to go.
  connect(run_, &RunController::textAboutToBeReplaced, this, [this] { readingPane_->Clear(); });
  // A close asked for during a run or rebuild, once its loop has unwound.
  connect(run_, &RunController::closeDue, this, [this] { close(); }, Qt::QueuedConnection);
  connect(run_, &RunController::loadProgressed, this,
          [this](int percent) { commandStates_->ShowLoadProgress(percent); });
  connect(run_, &RunController::loadFailed, this, [this](const std::string& message) {
    dialogs_->Fail(this, QString::fromStdString(Utf8FromCp932(message)));
  });
  connect(input_, &TextInputController::textReplaced, this, [this] { SetAwaitingAnalysis(true); });
  connect(levelSets_, &LevelSetMenu::chosen, this, &TForm1::LevelSetChosen);
  connect(knownWords_, &KnownWordsController::statusText, this,
          [this](const QString& text) { statusBar()->showMessage(text, 4000); });
  connect(knownWords_->ExportNewAction(), &QAction::triggered, this, &TForm1::acExportNewWordsExecute);
  connect(knownWords_, &KnownWordsController::columnsChanged, panes_, &ListPaneLayout::Fit);
  // An imported list is shown at once.
  connect(imports_, &ListImportCommands::setImported, this, [this](const std::string& name) {
    if (levelSets_->Choose(name)) LevelSetChosen();
  });
  connect(imports_, &ListImportCommands::knownListImported, this,
          [this](const std::string& name) { knownWords_->Choose(name); });

  connect(acAnalize, &QAction::triggered, this, &TForm1::acAnalizeExecute);
  connect(acStopAnalize, &QAction::triggered, this, &TForm1::acStopAnalizeExecute);
  connect(acLoadFromFile, &QAction::triggered, this, &TForm1::acLoadFromFileExecute);
  connect(acClipToText, &QAction::triggered, this, &TForm1::acClipToTextExecute);
  connect(acOpenDoc, &QAction::triggered, this, &TForm1::acOpenDocExecute);
  connect(acClose, &QAction::triggered, this, &TForm1::acCloseExecute);
  connect(Close1, &QAction::triggered, this, &TForm1::acCloseExecute);
  connect(acEditDic, &QAction::triggered, this, &TForm1::acEditDicExecute);
  connect(acShowGloss, &QAction::toggled, this, &TForm1::acShowGlossExecute);
  connect(acWrapReading, &QAction::toggled, this, [this](bool wrap) { readingPane_->SetWrap(wrap); });
  // Results read the other way are no longer the text's: 抽出 again.
  connect(acReadInContext, &QAction::toggled, this, [this] {
    if (run_->ShowsResults()) SetAwaitingAnalysis(true);
  });
  connect(N1, &QAction::triggered, this, &TForm1::N1Click);
  connect(acExport, &QAction::triggered, this, &TForm1::acExportExecute);
  connect(acCompareTexts, &QAction::triggered, this, &TForm1::acCompareTextsExecute);
  // Prints what the レベル表示 page shows, with the page in front.
  connect(acPrint, &QAction::triggered, this, [this] {
    pcMemo->setCurrentWidget(readingPane_->Page());
    readingPane_->PrintDialog();
  });
  connect(acCopyWords, &QAction::triggered, this, &TForm1::acCopyWordsExecute);
  connect(acCopyWordsNum, &QAction::triggered, this, &TForm1::acCopyWordsNumExecute);
  connect(acCopyData, &QAction::triggered, this, &TForm1::acCopyDataExecute);
  connect(ToolButton8, &QToolButton::clicked, this, &TForm1::CopyStatisticsReport);

  // A press on an empty spot of a bar drags the window.
  auto* bars = new DraggableBars(*this, {CoolBar1, cbWordsSel, cbProUse});
  connect(bars, &DraggableBars::emptySpotPressed, this, [this](QToolBar* bar) {
    if (bar != cbProUse) search_->Hide();
  });
  // Shown or hidden from 表示 → レベルバー.
  connect(levelBar_->Menu().LevelBarAction(), &QAction::toggled, this, [this](bool shown) {
    cbProUse->setVisible(shown);
    if (dictionary_ != nullptr && dictionary_->Loaded()) settings_->SetLevelBarShown(shown);
  });
  levelBar_->Menu().LevelBarAction()->setChecked(true);
}

void TForm1::wireWordList() {
  connect(words_, &WordListController::emptyLevelMaskRefused, this,
          [this] { dialogs_->Inform(this, QString::fromStdString(Utf8FromCp932(EmptyLevelMaskMessage()))); });
  connect(words_, &WordListController::rebuilt, results_, &ResultPresenter::WordListRebuilt);
  connect(words_, &WordListController::failed, this, [this](const std::string& message) {
    dialogs_->Fail(this, QString::fromStdString(Utf8FromCp932(message)));
  });
  connect(cbProperNoun, &QComboBox::currentIndexChanged, this, &TForm1::cbProperNounChange);
  connect(acSWNoEntry, &QAction::triggered, this, [this] {
    acSWNoEntryExecute();
    levelBar_->Menu().Sync(Filter());
  });
  connect(acSortABC, &QAction::triggered, this, [this] { SortList(kSortAlphabetical); });
  connect(acSortNum, &QAction::triggered, this, [this] { SortList(kSortCount); });
  connect(acSortInitial, &QAction::triggered, this, [this] { SortList(kSortFirstAppearance); });
  connect(acAllSelect, &QAction::triggered, this, &TForm1::acAllSelectExecute);
  connect(lvWords->horizontalHeader(), &QHeaderView::sectionClicked, this, &TForm1::lvWordsColumnClick);
  connect(lvWords, &QTableView::doubleClicked, this, &TForm1::lvWordsDblClick);
  // The count follows the selection however it changes: mouse, keys,
  // select all or the program itself.
  connect(lvWords->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (run_->ShowsResults()) results_->ShowSelectionCount();
  });
  connect(readingPane_, &ReadingPane::statusText, this,
          [this](const QString& text) { status_->ShowMessage(text, 4000); });
  connect(Splitter1, &QSplitter::splitterMoved, this, &TForm1::Splitter1Moved);
}

}  // namespace lexiscoop
