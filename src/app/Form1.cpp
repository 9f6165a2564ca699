#include "app/Form1.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QWindow>
#include <utility>

#include "app/AppTexts.h"
#include "app/CommandStates.h"
#include "app/DataPath.h"
#include "app/FilterMenu.h"
#include "app/GuardedCommand.h"
#include "app/HelpCommands.h"
#include "app/ImageList.h"
#include "app/LevelBar.h"
#include "app/ListPaneLayout.h"
#include "app/MainWindowSettings.h"
#include "app/ReadingPane.h"
#include "app/ResultPresenter.h"
#include "app/StatusLine.h"
#include "app/TextInputController.h"
#include "app/WindowDictionary.h"
#include "app/WordSearchBox.h"
#include "dictionary/ConjugationDictionary.h"
#include "editor/widgets/FmEditDic.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/UserDataFolder.h"
#include "ui/Dialogs.h"
#include "ui/Fonts.h"
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

  std::string sample;
  for (const char* line : texts::kSampleLines) {
    if (!sample.empty()) sample += "\r\n";
    sample += Cp932FromUtf8(line);
  }
  SetCurrentText(sample);
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
  if (!run_->ShowsResults() || run_->Busy()) return;  // the next run takes the set
  results_->ShowLevelSetChosen();
  RebuildWordList();
}

void TForm1::UpdateCommandStates() { commandStates_->Update(); }

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

void TForm1::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  // The suggestions belong under the search box; they do not follow it.
  HideSearchMenu();
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

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
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
  if (lvWords != nullptr && watched == lvWords->viewport() && type == QEvent::MouseButtonPress) HideSearchMenu();
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace lexiscoop
