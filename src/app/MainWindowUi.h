#pragma once

#include <QString>
#include <array>

#include "analysis/WordLevel.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMainWindow;
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

class CoverageChart;
class ReadingPane;
class ShownWordList;
struct AnalysisResult;
class WordListModel;

// The main window's commands and widgets: built once, by Build, with their
// object names, captions, hints, shortcuts and looks; the window that
// inherits them wires them to its controllers (Qt's "multiple inheritance"
// use of a form class) and hands the form to the controllers that drive them.
// The window owns every widget; the pointers are null until Build.
class MainWindowUi {
 public:
  MainWindowUi() = default;
  MainWindowUi(const MainWindowUi&) = delete;
  MainWindowUi& operator=(const MainWindowUi&) = delete;

 protected:
  // Builds the commands, the menus (with `recentFilesMenu` under ファイル),
  // the three bars, the work area over `shown` and `result`, and the status
  // bar of `window`. `shown` and `result` must outlive the window.
  void Build(QMainWindow& window, QMenu& recentFilesMenu, const ShownWordList& shown, const AnalysisResult& result);

 public:
  // Commands.
  QAction* acClipToText = nullptr;
  QAction* acAnalize = nullptr;
  QAction* acStopAnalize = nullptr;
  QAction* acLoadFromFile = nullptr;
  QAction* acSortABC = nullptr;
  QAction* acSortNum = nullptr;
  QAction* acSortInitial = nullptr;
  QAction* acCopyWords = nullptr;
  QAction* acCopyWordsNum = nullptr;
  QAction* acOpenDoc = nullptr;
  QAction* acAllSelect = nullptr;
  QAction* acSWEntries = nullptr;
  QAction* acSWWritten = nullptr;
  QAction* acSWNoEntry = nullptr;
  QAction* acSWOriginal = nullptr;
  QAction* acClose = nullptr;
  QAction* acCopyData = nullptr;
  QAction* acEditDic = nullptr;
  QAction* acShowGloss = nullptr;
  QAction* acWrapReading = nullptr;  // 表示 → 折り返し: the レベル表示 page wraps its lines
  QAction* acReadInContext = nullptr;  // 表示 → 文脈で読み分ける: runs read ambiguous words by their tags
  QAction* Close1 = nullptr;
  QAction* N1 = nullptr;
  QAction* acExport = nullptr;
  QAction* acPrint = nullptr;
  QAction* acCompareTexts = nullptr;
  // The 表示 menu, which the filters' entries end.
  QMenu* fileMenu = nullptr;
  QMenu* viewMenu = nullptr;

  // Bars.
  QToolBar* CoolBar1 = nullptr;
  QToolBar* cbWordsSel = nullptr;
  QToolBar* cbProUse = nullptr;
  QWidget* ToolBar1 = nullptr;
  QWidget* tbWordsSel = nullptr;
  QWidget* tbProUse = nullptr;
  QToolButton* tbAnalizeStart = nullptr;
  QToolButton* ToolButton8 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QLabel* lbTickCount = nullptr;
  QLineEdit* edWord = nullptr;
  QComboBox* cbProperNoun = nullptr;
  std::array<QToolButton*, kWordLevelCount> levelButtons_{};  // in WordLevel order

  // Work area and status bar.
  QSplitter* Splitter1 = nullptr;
  QTabWidget* pcMemo = nullptr;
  QWidget* tsText = nullptr;
  QWidget* tsDatas = nullptr;
  QPlainTextEdit* reText = nullptr;
  QPlainTextEdit* mmDatas = nullptr;
  CoverageChart* coverageChart_ = nullptr;
  ReadingPane* readingPane_ = nullptr;
  QTableView* lvWords = nullptr;
  WordListModel* wordModel_ = nullptr;
  std::array<QLabel*, 3> statusPanels_{};

 private:
  void createActions(QMainWindow& window);
  void createMenus(QMainWindow& window, QMenu& recentFilesMenu);
  void createToolBars(QMainWindow& window);
  void createWorkArea(QMainWindow& window, const ShownWordList& shown, const AnalysisResult& result);
  void createStatusBar(QMainWindow& window);
};

}  // namespace lexiscoop
