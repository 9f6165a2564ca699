#pragma once

#include <QByteArray>
#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "app/ExportPlace.h"
#include "app/MainWindowUi.h"
#include "app/RunController.h"
#include "app/TextFileLoader.h"
#include "app/WordListController.h"
#include "dictionary/DictionaryObserver.h"
#include "views/WordListFilter.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QSplitter;
class QTabWidget;
class QTableView;
class QToolBar;
class QToolButton;
class QWidget;

namespace lexiscoop {
namespace tagging {
class TaggerModel;
}

class ConjugationDictionary;
class Lexicon;
class CoverageChart;
class ContextModel;
class LevelBar;
class LevelSetMenu;
class HelpWindow;
class ListPaneLayout;
class ReadingPane;
class RecentFiles;
class ShownWordList;
class TDialogs;
class TfrmEditDic;
class TMyParser;
class TfrmProfile;
class WordListModel;
class WordSearchBox;

// Where the window finds its files and how it reaches the user.
struct TForm1Options {
  // The program folder: the dictionary, the level lists and help/ are here.
  // Empty: the folder of the running executable.
  std::string programFolder;
  // The settings file. Empty: <user config folder>/lexiscoop.ini.
  std::string settingsPath;
  // Message boxes, the open dialog and the document opener. Null: the real
  // Qt ones. Not owned; must outlive the window.
  TDialogs* dialogs = nullptr;
  // Files of at least this many bytes are read on a worker thread while the
  // window shows progress and offers Stop; smaller ones at once.
  int64_t backgroundLoadBytes = int64_t{4} << 20;
  // How a file is read into a text holder. Empty: TMyParser::LoadFile.
  TextFileLoader::ReadFunction readText;
};

// The main window: the tool bars, the text pane, the word list and the status
// bar; it owns the text holder, the analysis result and the dictionary from
// its creation to its destruction. The text, the run and the window's one
// state are its RunController's; the window enables its commands from that
// state (UpdateCommandStates).
class TForm1 : public QMainWindow, private MainWindowUi, private DictionaryObserver {
  Q_OBJECT

 public:
  explicit TForm1(TForm1Options options = {}, QWidget* parent = nullptr);
  ~TForm1() override;

  // Makes the file's contents the current text (nothing happens for the path
  // loaded last, nor for a path that names no file). Errors go to the
  // general error display.
  void OpenTextFile(const QString& path);
  // Makes `cp932` the current text unless it already is. Errors go to the
  // general error display.
  // `original`: the first bytes of the text as it came, when it was
  // converted (see OriginalPreview), for the text pane.
  void SetCurrentText(const std::string& cp932, const QByteArray& original = {});
  // Switches between awaiting analysis (true) and results shown (false).
  void SetAwaitingAnalysis(bool awaiting);
  // Opens `path` (followed by `suffix`) with its registered program, or
  // shows it in the program's own help window where there is none; tells
  // the user when the file is missing.
  void OpenDocument(const QString& path, const QString& suffix);

  // Rebuilds the shown word list from the last run under the filters while
  // its results are shown; nothing otherwise.
  void RebuildWordList();
  // Sort request: the key (0 first appearance, 1 alphabet, 2 and 3 count)
  // and a flipped direction; the selected words stay selected.
  void SortList(int key);
  void SetFormMode(FormMode mode);
  void ToggleFormMode(FormMode mode);
  // Refuses an empty mask with a message; rebuilds in every other case in
  // which the mask changes, and after the message.
  void SetLevelMask(LevelMask mask);
  // A click on the level button of `bit` with `modifiers` held.
  void LevelButtonClick(int bit, Qt::KeyboardModifiers modifiers);

  RunState State() const { return run_->State(); }
  bool Running() const { return State() == RunState::Running; }
  // True while awaiting analysis, false while results are shown.
  bool AwaitingAnalysis() const { return !run_->ShowsResults(); }
  bool Rebuilding() const { return State() == RunState::Rebuilding; }
  // True while a file is read in the background.
  bool Loading() const { return State() == RunState::Loading; }
  const WordListFilter& Filter() const { return words_->Filter(); }
  const ShownWordList& Shown() const { return words_->Shown(); }
  bool HasDictionary() const { return dictionaryLoaded_; }
  const AnalysisResult& Result() const { return run_->Result(); }
  const TMyParser& Parser() const { return run_->Text(); }
  const ConjugationDictionary& Dictionary() const { return *dictionary_; }
  // The dictionary editor, created hidden with the window.
  TfrmEditDic& Editor() const { return *editor_; }
  const std::string& ProgramFolder() const { return programFolder_; }
  const std::string& SettingsPath() const { return settingsPath_; }
  // The レベル表示 page and its words in context.
  ReadingPane& Reading() const { return *readingPane_; }
  // The text of status panel 0, 1 or 2.
  QString StatusPanelText(int panel) const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  QMenu* createPopupMenu() override { return nullptr; }

 private slots:
  void acAnalizeExecute();
  void acStopAnalizeExecute();
  void acLoadFromFileExecute();
  void acClipToTextExecute();
  void acOpenDocExecute();
  void acCloseExecute();
  void acEditDicExecute();
  void acExportExecute();
  void acCompareTextsExecute();
  // 表示 → 訳語: shows or hides the word list's 訳語 column.
  void acShowGlossExecute(bool shown);
  void N1Click();
  void Splitter1Moved();
  void acAllSelectExecute();
  void acCopyWordsExecute();
  void acCopyWordsNumExecute();
  void acCopyDataExecute();
  void CopyStatisticsReport();
  void acSWNoEntryExecute();
  void lvWordsDblClick();
  void lvWordsColumnClick(int column);
  void cbProperNounChange();
  void edWordChange();
  void JumpToWord();

 private:
  // Builds the commands and widgets and wires them (Form1Wiring.cpp).
  void createLayout();

  // Start-up (Form1.cpp).
  void FormCreate();
  bool CheckDictionaryFiles();
  void LevelListLoaded(int level, bool enabled, const std::string& hint) override;
  void LevelListsLoaded() override;

  // Settings (Form1Settings.cpp).
  void ReadSettings();
  // Names every dictionary or level file that exists but did not load.
  void ReportDamagedFiles();
  // Reloads the dictionary when its files changed on disk since the load.
  void ReloadIfChangedOnDisk();
  // Makes the text await analysis again when the dictionary was reloaded
  // since the results shown were classified.
  void AwaitAnalysisIfDictionaryChanged();
  void WriteSettings();
  // Moves and shrinks the window so that its frame lies on the available
  // part of its screen.
  void FitFrameToScreen();

  // The analysis run (Form1Run.cpp).
  void RunAnalysis();
  // Classifies the shown results again by the level set chosen, without
  // reading the text again, and shows them again.
  void LevelSetChosen();
  // The model runs read words in context with; null when 文脈で読み分ける is
  // off or the model cannot be used (said once).
  std::shared_ptr<const tagging::TaggerModel> ContextReadingModel();
  void ShowTextPreview();
  void ShowSelectionCount();
  void SetStatusPanel(int panel, const QString& text);
  void UpdateCommandStates();
  // Follows the run state: the busy signs of a load, the commands.
  void RunStateChanged(RunState state, RunState previous);
  void FitStatusPanel0();
  void SwapAnalyzeButton(QAction* action);

  // The word list, its filters and copies (Form1Words.cpp, Form1Copy.cpp).
  void BuildStatisticsReport();
  // The list was rebuilt with `rows` rows: the status panels follow.
  void WordListRebuilt(int rows);
  void PutOnClipboard(const std::string& cp932);
  // Ctrl+C: copies the selection of the widget that has the focus (a text
  // pane's selected text, the context lines); false when that widget has
  // nothing of its own to copy, so that the selected words are copied.
  bool CopyFocusedSelection();

  void HideSearchMenu();

  // Text input (Form1TextInput.cpp).
  // The text of `path` is the current text: it is named and awaits analysis.
  void TextFileOpened(const QString& path);
  // Shows how far the background load has got, in per cent.
  void ShowLoadProgress(int percent);
  void AssignCurrentText(const std::string& cp932, const QByteArray& original);
  void SetCaptionName(const std::string& cp932Name);
  // The current text's file name without its extension; empty for a text
  // that came from no file.
  QString TextBaseName() const;
  // The caption of the text (CP932), marked with the StoppedNote while the
  // results of a stopped run are shown.
  std::string ShownCaption() const;
  // Makes ShownCaption the window's title.
  void ShowCaption();
  // ファイル → 最近使ったファイル: opens `path`, or tells the user that it is
  // gone and drops it from the list.
  void OpenRecentFile(const QString& path);

  // Runs `command`; a failure it raises goes to the general error display.
  template <class Command>
  void Guarded(Command&& command);
  void ShowFailure(const char* cp932Message);

  TForm1Options options_;
  TDialogs* dialogs_;
  std::unique_ptr<TDialogs> ownDialogs_;
  std::string programFolder_;
  std::unique_ptr<ContextModel> contextModel_;
  std::string settingsPath_;
  std::string caption_;  // CP932

  // The text, the run's result and the state; made first, as the views
  // show its result.
  RunController* run_ = nullptr;
  std::unique_ptr<ConjugationDictionary> dictionary_;
  // Declared after the dictionary it edits, so it goes first.
  std::unique_ptr<TfrmEditDic> editor_;
  // The dictionary loaded at start-up; without it the window takes no drop.
  bool dictionaryLoaded_ = false;
  // The first bytes of the current text as it came, before its conversion
  // to CP932; the text pane shows them where they differ (café, not cafe).
  QByteArray originalHead_;
  // The shown word list, its filters, sort, selection and search.
  WordListController* words_ = nullptr;
  WordSearchBox* search_ = nullptr;
  bool shownOnce_ = false;
  // 表示 → レベルセット: the levels the results are classified by.
  LevelSetMenu* levelSets_ = nullptr;
  // The panes' share of the window's width and the list's column widths.
  ListPaneLayout* panes_ = nullptr;

  RecentFiles* recentFiles_ = nullptr;
  // The level bar, the level menu and the filters' entries of 表示.
  LevelBar* levelBar_ = nullptr;
  // The level bar as the user left it (settings ShowLevelBar); it is shown
  // at first only when no dictionary loaded.
  bool levelBarShown_ = false;
  // Where save dialogs start and the names they propose.
  ExportPlace exportPlace_;
  // The compare-texts window, made on first use.
  TfrmProfile* frmProfile_ = nullptr;
  // The help pages where no program is registered for them, made on first use.
  HelpWindow* helpWindow_ = nullptr;

};

}  // namespace lexiscoop

#include <exception>

namespace lexiscoop {

template <class Command>
void TForm1::Guarded(Command&& command) {
  try {
    command();
  } catch (const std::exception& failure) {
    ShowFailure(failure.what());
  }
}

}  // namespace lexiscoop
