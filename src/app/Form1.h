#pragma once

#include <QByteArray>
#include <QMainWindow>
#include <QString>
#include <memory>
#include <string>

#include "analysis/Analysis.h"
#include "app/ExportPlace.h"
#include "app/Form1Options.h"
#include "app/MainWindowUi.h"
#include "app/RunController.h"
#include "app/WordListController.h"
#include "dictionary/DictionaryObserver.h"
#include "views/WordListFilter.h"

namespace lexiscoop {

class CommandStates;
class ConjugationDictionary;
class CopyCommands;
class ExportCommands;
class HelpCommands;
class LevelBar;
class KnownWordsController;
class LevelSetMenu;
class ListImportCommands;
class ListPaneLayout;
class MainWindowSettings;
class ReadingPane;
class RecentFiles;
class ResultPresenter;
class ShownWordList;
class StatusLine;
class TDialogs;
class TextInputController;
class TfrmEditDic;
class TMyParser;
class WindowDictionary;
class WordSearchBox;

// The main window: a shell that wires its commands (MainWindowUi) to the
// controllers that carry them out. The text, the run and the window's one
// state are its RunController's; the shown word list is its
// WordListController's; the commands are enabled from the run state
// (CommandStates). It owns the dictionary from its creation to its
// destruction.
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
  // general error display. `original`: the first bytes of the text as it
  // came, when it was converted (see OriginalPreview), for the text pane.
  void SetCurrentText(const std::string& cp932, const QByteArray& original = {});
  // Switches between awaiting analysis (true) and results shown (false).
  void SetAwaitingAnalysis(bool awaiting);
  // Opens `path` (followed by `suffix`) with its registered program, or
  // shows it in the program's own help window where there is none; tells
  // the user when the file is missing.
  void OpenDocument(const QString& path, const QString& suffix);

  // Rebuilds the shown word list from the last run under the filters while
  // its results are shown; nothing otherwise.
  void RebuildWordList() { words_->Rebuild(); }
  // Sort request: the key (0 first appearance, 1 alphabet, 2 and 3 count)
  // and a flipped direction; the selected words stay selected.
  void SortList(int key) { words_->Sort(key); }
  void SetFormMode(FormMode mode) { words_->SetFormMode(mode); }
  void ToggleFormMode(FormMode mode);
  // Refuses an empty mask with a message; rebuilds in every other case in
  // which the mask changes, and after the message.
  void SetLevelMask(LevelMask mask) { words_->SetLevelMask(mask); }
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
  bool HasDictionary() const;
  const AnalysisResult& Result() const { return run_->Result(); }
  const TMyParser& Parser() const { return run_->Text(); }
  const ConjugationDictionary& Dictionary() const;
  // The dictionary editor, created hidden with the window.
  TfrmEditDic& Editor() const { return *editor_; }
  const std::string& ProgramFolder() const { return programFolder_; }
  const std::string& SettingsPath() const;
  // The レベル表示 page and its words in context.
  ReadingPane& Reading() const { return *readingPane_; }
  // The text of status panel 0, 1 or 2.
  QString StatusPanelText(int panel) const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
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
  // ファイル → エクスポート (新出語のみ)…: the rows new to the chosen known list.
  void acExportNewWordsExecute();
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
  // Builds the commands, widgets and controllers and wires them
  // (Form1Wiring.cpp).
  void createLayout();
  void wireCommands();
  void wireWordList();

  // Start-up: the settings, the dictionary and the sample text.
  void FormCreate();
  void LevelListLoaded(int level, bool enabled, const std::string& hint) override;
  void LevelListsLoaded() override;
  // Makes the text await analysis again when the dictionary was reloaded
  // since the results shown were classified.
  void AwaitAnalysisIfDictionaryChanged();
  void RunAnalysis();
  // Classifies the shown results again by the level set chosen.
  void LevelSetChosen();
  void UpdateCommandStates();

  TForm1Options options_;
  TDialogs* dialogs_;
  std::unique_ptr<TDialogs> ownDialogs_;
  std::string programFolder_;

  // The text, the run's result and the state; made first, as the views
  // show its result.
  RunController* run_ = nullptr;
  StatusLine* status_ = nullptr;
  std::unique_ptr<WindowDictionary> dictionary_;
  // Declared after the dictionary it edits, so it goes first.
  std::unique_ptr<TfrmEditDic> editor_;
  // The shown word list, its filters, sort, selection and search.
  WordListController* words_ = nullptr;
  WordSearchBox* search_ = nullptr;
  bool shownOnce_ = false;
  // 表示 → レベルセット: the levels the results are classified by.
  LevelSetMenu* levelSets_ = nullptr;
  // 表示 → 既習語リスト: the words the class knows.
  KnownWordsController* knownWords_ = nullptr;
  // 読み込み… of the level sets and the known-word lists.
  ListImportCommands* imports_ = nullptr;
  // The panes' share of the window's width and the list's column widths.
  ListPaneLayout* panes_ = nullptr;
  RecentFiles* recentFiles_ = nullptr;
  // The level bar, the level menu and the filters' entries of 表示.
  LevelBar* levelBar_ = nullptr;
  // Where save dialogs start and the names they propose.
  ExportPlace exportPlace_;
  MainWindowSettings* settings_ = nullptr;
  TextInputController* input_ = nullptr;
  ResultPresenter* results_ = nullptr;
  CopyCommands* copies_ = nullptr;
  HelpCommands* help_ = nullptr;
  std::unique_ptr<CommandStates> commandStates_;
  ExportCommands* exports_ = nullptr;
};

}  // namespace lexiscoop
