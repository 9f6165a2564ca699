// The main window's wiring: its commands and widgets (built by MainWindowUi)
// connected to the window's slots and controllers, once, from the constructor.

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

#include "app/FilterMenu.h"
#include "app/Form1.h"
#include "app/LevelBar.h"
#include "app/LevelSetMenu.h"
#include "platform/UserDataFolder.h"
#include "app/ListPaneLayout.h"
#include "app/ReadingPane.h"
#include "app/RecentFiles.h"
#include "views/ShownWordList.h"

namespace lexiscoop {

void TForm1::createLayout() {
  Build(*this, *recentFiles_->Menu(), words_->Shown(), run_->Result());
  levelBar_ = new LevelBar({levelButtons_, cbProperNoun, {acSWOriginal, acSWEntries, acSWWritten}, acSWNoEntry, viewMenu},
                           *words_, *this);
  levelBar_->SetCaptions(nullptr);
  levelSets_ = new LevelSetMenu(*viewMenu, UserDataFolder(programFolder_), *dialogs_, *this);
  connect(levelSets_, &LevelSetMenu::chosen, this, &TForm1::LevelSetChosen);
  panes_ = new ListPaneLayout(*Splitter1, *lvWords, this);
  readingPane_->SetSavePlace(&exportPlace_, [this] { return TextBaseName(); });
  exportPlace_.SetOpenText([this] { return run_->LastFileName(); });
  acAnalize->setEnabled(false);

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
  acCopyWords->installEventFilter(this);  // Ctrl+C with a selection elsewhere
  connect(acCopyWordsNum, &QAction::triggered, this, &TForm1::acCopyWordsNumExecute);
  connect(acCopyData, &QAction::triggered, this, &TForm1::acCopyDataExecute);
  connect(ToolButton8, &QToolButton::clicked, this, &TForm1::CopyStatisticsReport);

  // A press on an empty spot of a bar drags the window (eventFilter).
  for (QToolBar* band : {CoolBar1, cbWordsSel, cbProUse}) band->installEventFilter(this);
  // Shown or hidden from 表示 → レベルバー.
  connect(levelBar_->Menu().LevelBarAction(), &QAction::toggled, this, [this](bool shown) {
    cbProUse->setVisible(shown);
    if (dictionaryLoaded_) levelBarShown_ = shown;
  });
  levelBar_->Menu().LevelBarAction()->setChecked(true);

  connect(cbProperNoun, &QComboBox::currentIndexChanged, this, &TForm1::cbProperNounChange);
  // The actions are checkable (the 表示 menu shows their state): a refused
  // change puts the check marks back.
  connect(acSWWritten, &QAction::triggered, this, [this] {
    ToggleFormMode(FormMode::Written);
    levelBar_->Menu().Sync(Filter());
  });
  connect(acSWEntries, &QAction::triggered, this, [this] {
    ToggleFormMode(FormMode::Headword);
    levelBar_->Menu().Sync(Filter());
  });
  connect(acSWOriginal, &QAction::triggered, this, [this] {
    ToggleFormMode(FormMode::Original);
    levelBar_->Menu().Sync(Filter());
  });
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
    if (run_->ShowsResults()) ShowSelectionCount();
  });
  connect(readingPane_, &ReadingPane::statusText, this, [this](const QString& text) { statusBar()->showMessage(text, 4000); });
  lvWords->viewport()->installEventFilter(this);
  lvWords->installEventFilter(this);
  pcMemo->installEventFilter(this);
  connect(Splitter1, &QSplitter::splitterMoved, this, &TForm1::Splitter1Moved);
}

}  // namespace lexiscoop
