#include "app/Form1.h"

#include <QAction>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>
#include <QApplication>
#include <QCloseEvent>
#include <QResizeEvent>
#include <QShowEvent>
#include <QHeaderView>
#include <QComboBox>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QTimer>
#include <QScrollBar>
#include <QToolButton>
#include <QWindow>

#include "analysis/MyParser.h"
#include "app/AppTexts.h"
#include "app/ContextModel.h"
#include "app/DataPath.h"
#include "app/FilterMenu.h"
#include "app/LevelBar.h"
#include "app/ImageList.h"
#include "app/ListPaneLayout.h"
#include "app/ReadingPane.h"
#include "app/RecentFiles.h"
#include "app/WordSearchBox.h"
#include "dictionary/CompressStringList.h"
#include "dictionary/ConjugationDictionary.h"
#include "dictionary/DictionaryFiles.h"
#include "dictionary/DictionaryTransaction.h"
#include "editor/EditorTexts.h"
#include "editor/widgets/FmEditDic.h"
#include "views/widgets/WordListModel.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/UserDataFolder.h"
#include "ui/Dialogs.h"
#include "ui/Fonts.h"
#include "views/ShownWordList.h"

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
  settingsPath_ = options_.settingsPath.empty() ? UserAppDataFolderSlash() + texts::kSettingsFileName
                                                : options_.settingsPath;

  setObjectName(QStringLiteral("Form1"));
  setFont(WindowFont());
  setWindowIcon(ProgramIcon());
  caption_ = Cp932FromUtf8(texts::kCaptionBase);
  setWindowTitle(Qs(texts::kCaptionBase));

  recentFiles_ = new RecentFiles(this);
  run_ = new RunController(options_.backgroundLoadBytes, options_.readText, this);
  words_ = new WordListController(*run_, this);
  connect(words_, &WordListController::filterChanged, this, [this] { levelBar_->ShowFilters(); });
  connect(words_, &WordListController::emptyLevelMaskRefused, this,
          [this] { dialogs_->Inform(this, QString::fromStdString(Utf8FromCp932(EmptyLevelMaskMessage()))); });
  connect(words_, &WordListController::rebuilt, this, &TForm1::WordListRebuilt);
  connect(words_, &WordListController::failed, this,
          [this](const std::string& message) { ShowFailure(message.c_str()); });
  connect(run_, &RunController::stateChanged, this, &TForm1::RunStateChanged);
  // The views let go of the text that is about to go.
  connect(run_, &RunController::textAboutToBeReplaced, this, [this] { readingPane_->Clear(); });
  connect(run_, &RunController::fileOpened, this,
          [this](const QString& path) { Guarded([&] { TextFileOpened(path); }); });
  // A close asked for during a run or rebuild, once its loop has unwound.
  connect(run_, &RunController::closeDue, this, [this] { close(); }, Qt::QueuedConnection);
  connect(run_, &RunController::loadProgressed, this, &TForm1::ShowLoadProgress);
  connect(run_, &RunController::loadFailed, this,
          [this](const std::string& message) { ShowFailure(message.c_str()); });
  connect(recentFiles_, &RecentFiles::openRequested, this, &TForm1::OpenRecentFile);
  createLayout();
  words_->Attach(*lvWords, *wordModel_, *ProgressBar1);
  // Every bar, the list and the status bar still fit; what a bar cannot
  // show goes behind its » button.
  setMinimumSize(kMinWindowWidth, kMinWindowHeight);
  FormCreate();
  editor_ = std::make_unique<TfrmEditDic>(
      *dictionary_, *dialogs_, [this](const QString& path, const QString& suffix) { OpenDocument(path, suffix); },
      this);
  UpdateCommandStates();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
  ReadSettings();
  search_ = new WordSearchBox(*edWord, *lvWords, *words_, *this);
  connect(edWord, &QLineEdit::textChanged, this, &TForm1::edWordChange);
  mmDatas->setFont(FixedFont());
  pcMemo->setCurrentWidget(tsText);
  pcMemo->setTabVisible(pcMemo->indexOf(tsDatas), false);
  edWord->clear();
  // The level lists are addressed by bare file name in the program folder,
  // which the program makes its current folder at start-up. The user's own
  // files go there too, unless the folder is the system's (an installed
  // package): then to the user's data folder.
  dictionary_ = std::make_unique<ConjugationDictionary>(programFolder_, programFolder_, UserDataFolder(programFolder_));
  dictionary_->SetObserver(this);
  // Another program's change holds the files: say so and keep painting.
  dictionary_->SetLockWaitNotice([this](int) {
    statusBar()->showMessage(Qs(texts::kDictionaryBusy), 500);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
  });
  UpdateCommandStates();

  if (!CheckDictionaryFiles()) return;
  dictionary_->ReloadDictionary(false);
  dictionaryLoaded_ = true;
  ReportDamagedFiles();
  setAcceptDrops(true);
  SetFormMode(FormMode::Original);
  SetLevelMask(kAllLevels);

  std::string sample;
  for (const char* line : texts::kSampleLines) {
    if (!sample.empty()) sample += "\r\n";
    sample += Cp932FromUtf8(line);
  }
  SetCurrentText(sample);
}

bool TForm1::CheckDictionaryFiles() {
  if (dictionary_->HasDictionaryFile()) return true;
  const QString shippedName = QString::fromLatin1(kShippedDictionaryFile);
  const QString message = Qs(texts::kNoDictionaryFormat).arg(shippedName) + QStringLiteral("\r\n\r\n") +
                          Qs(texts::kNeedDictionaryFormat)
                              .arg(windowTitle(), shippedName, QString::fromStdString(programFolder_));
  dialogs_->Inform(this, message);
  return false;
}

void TForm1::ReportDamagedFiles() {
  // The window goes on with what loaded, but says which file it could not
  // read; the editor never writes over it.
  std::vector<std::pair<std::string, int>> damaged;
  if (dictionary_->DictionaryLoadStatus() != 0) {
    damaged.emplace_back(dictionary_->DictionaryPath(), dictionary_->DictionaryLoadStatus());
  }
  for (int level = 1; level <= kLevelCount; ++level) {
    if (dictionary_->LevelLoadStatus(level) != 0) damaged.emplace_back(dictionary_->LevelPath(level), dictionary_->LevelLoadStatus(level));
  }
  for (const auto& [path, status] : damaged) {
    // A file gone since it was found is named as missing.
    const std::string message =
        status == ENOENT ? TCompressStringList::MissingFileMessage(path) : DamagedFileMessage(path);
    dialogs_->Inform(this, QString::fromStdString(Utf8FromCp932(message)));
  }
  if (const int rc = dictionary_->InterruptedChangeStatus(); rc != 0) {
    const std::string refusal = ChangeRefusalText(rc);
    dialogs_->Inform(this, Qs(texts::kInterruptedChangeFormat)
                               .arg(QString::fromStdString(refusal.empty() ? std::strerror(rc) : refusal)));
  }
}

void TForm1::ReloadIfChangedOnDisk() {
  if (!dictionaryLoaded_ || run_->Busy() || !dictionary_->FilesChangedOnDisk()) return;
  dictionary_->ReloadDictionary(false);
  AwaitAnalysisIfDictionaryChanged();
}

void TForm1::AwaitAnalysisIfDictionaryChanged() {
  // Every load builds a new lexicon; results classified with another one
  // are no longer the text's.
  if (!run_->ResultsOutdated(dictionary_->CurrentLexicon())) return;
  SetAwaitingAnalysis(true);
}

void TForm1::LevelListLoaded(int level, bool enabled, const std::string& hint) {
  levelBar_->LevelListLoaded(level, enabled, hint, run_->ShowsResults());
}

void TForm1::LevelListsLoaded() {
  // The level bar as the user left it: hidden unless shown from 表示.
  levelBar_->Menu().LevelBarAction()->setChecked(levelBarShown_);
  cbProUse->setVisible(levelBarShown_);
  lbTickCount->hide();
}

void TForm1::ShowFailure(const char* cp932Message) {
  dialogs_->Fail(this, QString::fromStdString(Utf8FromCp932(cp932Message)));
}

QString TForm1::StatusPanelText(int panel) const {
  if (panel < 0 || panel >= static_cast<int>(statusPanels_.size())) return {};
  return statusPanels_[static_cast<size_t>(panel)]->text();
}

void TForm1::SetStatusPanel(int panel, const QString& text) {
  statusPanels_[static_cast<size_t>(panel)]->setText(text);
  FitStatusPanel0();
}

void TForm1::closeEvent(QCloseEvent* event) {
  // A scan or rebuild still on the stack is stopped first; the window
  // closes once it has unwound. A load under way is abandoned.
  if (!run_->RequestClose()) {
    event->ignore();
    return;
  }
  WriteSettings();
  event->accept();
}

void TForm1::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    FitStatusPanel0();
    // Another program may have changed the dictionary meanwhile.
    ReloadIfChangedOnDisk();
  }
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FitStatusPanel0();
}

void TForm1::Splitter1Moved() {
  // Only the user drags the splitter: the share is theirs from now on.
  panes_->SplitterMoved();
  FitStatusPanel0();
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (event->spontaneous() || shownOnce_) return;
  shownOnce_ = true;
  panes_->WindowShown();
  // The window manager adds its frame after the window is mapped.
  QTimer::singleShot(0, this, &TForm1::FitFrameToScreen);
  QTimer::singleShot(300, this, &TForm1::FitFrameToScreen);
}

void TForm1::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  // The suggestions belong under the search box; they do not follow it.
  HideSearchMenu();
}

void TForm1::FitStatusPanel0() {
  if (pcMemo == nullptr || statusPanels_[0] == nullptr) return;
  // The panel ends where the text pane ends, or further where its text
  // needs it, as far as the other panels keep room for their texts; it
  // never holds the window wider.
  QLabel* panel = statusPanels_[0];
  auto needed = [](const QLabel* label) {
    return label->fontMetrics().horizontalAdvance(label->text()) + 2 * label->frameWidth() + 2 * label->margin() + 4;
  };
  int others = 0;
  for (size_t i = 1; i < statusPanels_.size(); ++i) others += std::max(statusPanels_[i]->minimumWidth(), needed(statusPanels_[i]));
  // The bar's spacing between panels and its size grip, besides.
  const int room = statusBar()->width() - others - 40;
  panel->setMinimumWidth(50);
  panel->setMaximumWidth(std::max({50, pcMemo->width(), std::min(needed(panel), room)}));
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  // Ctrl+C copies what the focused widget has selected; the menu and the
  // button copy the selected words whatever has the focus.
  if (watched == acCopyWords && type == QEvent::Shortcut && CopyFocusedSelection()) return true;
  for (QToolBar* band : {CoolBar1, cbWordsSel, cbProUse}) {
    if (watched == band && type == QEvent::MouseButtonPress) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton && band->childAt(mouse->position().toPoint()) == nullptr) {
        if (band != cbProUse) HideSearchMenu();
        // A press on an empty spot of a bar drags the whole window.
        if (QWindow* window = windowHandle()) window->startSystemMove();
        return true;
      }
    }
  }
  if (watched == pcMemo && type == QEvent::Resize) FitStatusPanel0();
  if (lvWords != nullptr) {
    if (watched == lvWords->viewport() && type == QEvent::MouseButtonPress) HideSearchMenu();
  }
  return QMainWindow::eventFilter(watched, event);
}

void TForm1::acCloseExecute() { close(); }

void TForm1::acEditDicExecute() {
  if (run_->Busy()) return;
  // Changes are written and reloaded by the editor; a changed dictionary
  // leaves the text awaiting a new run.
  editor_->exec();
  wordModel_->ClassificationChanged();
  AwaitAnalysisIfDictionaryChanged();
}

void TForm1::acShowGlossExecute(bool shown) {
  panes_->ShowGloss(shown);
}

}  // namespace lexiscoop
