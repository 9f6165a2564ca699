#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/WordClassifier.h"
#include "analysis/WordLevel.h"
#include "views/Coverage.h"
#include "views/RowOccurrences.h"

class QAction;
class QLayout;
class QDoubleSpinBox;
class QLabel;
class QPrinter;
class QTableView;
class QToolButton;
class QWidget;

namespace lexiscoop {

class ExportPlace;

class ContextModel;
class ReadingView;
class ShownWordList;
struct AnalysisResult;
struct WordListFilter;

// The レベル表示 page: the whole text coloured by level with its legend (a
// switch per level), the marks of the words selected in the word list with
// next/previous, the words in context of the current word, and printing.
// The window owns it and tells it when the text and the result change; it
// talks to the word list through the view and the shown list it is given.
class ReadingPane : public QObject {
  Q_OBJECT

 public:
  // `words` is the word list view over `shown`; `result` is the window's
  // run, all outliving the pane.
  ReadingPane(QTableView& words, const ShownWordList& shown, const AnalysisResult& result, QWidget* parent);

  // The page to put into the tab widget.
  QWidget* Page() const { return page_; }
  ReadingView& View() const { return *view_; }
  ContextModel& Context() const { return *context_; }
  QTableView& ContextTable() const { return *contextTable_; }
  QToolButton* LevelSwitch(WordLevel level) const { return switches_[static_cast<size_t>(LevelIndex(level))]; }
  const CoverageFigures& Figures() const { return figures_; }
  // True from ShowResult to the next Clear or ShowText.
  bool HasResult() const { return hasResult_; }

  // Forgets text and result; call before the text they point into changes.
  void Clear();
  // Shows `text` (CP932, alive until the next Clear) plain.
  void ShowText(std::string_view text);
  // Colours the text by the run's result and works out its coverage;
  // `title` heads printed pages.
  void ShowResult(const QString& title);
  // The table entries known to the class (entry i when known[i] is not 0),
  // drawn plain by the next ShowResult; empty: none.
  void SetKnownWords(std::vector<uint8_t> known) { known_ = std::move(known); }
  // The tooltip of the counted word (table entry) that starts at byte
  // `offset` of the text: headword, level, count, how its occurrences were
  // read when they were read as several headwords, and the glosses, one per
  // line; the headword, level and glosses are this occurrence's reading.
  QStringList ToolTipLines(int wordIndex, uint64_t offset) const;
  // The headword the current occurrence of the text was read as in its
  // sentence, when it is an occurrence of table entry `wordIndex` read as
  // one of several headwords; otherwise kNoHeadword.
  HeadwordId CurrentReadingOf(int wordIndex) const;
  // The table entry's row in the word list as it is now, or -1.
  int RowOfWord(int wordIndex);
  // Saves the coloured text as PDF; false (with nothing written) on failure.
  bool SaveAsPdf(const QString& path);
  // Where the save and print dialogs start and what name they propose:
  // `place` (not owned, outliving the pane) and the text's file name
  // without its extension, as `baseName` gives it.
  void SetSavePlace(ExportPlace* place, std::function<QString()> baseName);
  // The path the PDF dialogs propose.
  QString SuggestedPdfPath() const;
  // Names the document and the file a print to PDF proposes.
  void PreparePrinter(QPrinter& printer) const;
  // Wraps the text at the view's width (表示 → 折り返し).
  void SetWrap(bool wrap);
  // The body's size on paper, in points.
  double PrintPoints() const;
  // Copies the selected context lines to the clipboard.
  void CopyContext();

 signals:
  // A status text for the window (UTF-8 already decoded).
  void statusText(const QString& text);

 public slots:
  void PrintDialog();
  void SavePdfDialog();

 private:
  void BuildPage(QWidget* parent);
  // Makes the legend's switch of level i.
  void AddLevelSwitch(int i);
  void WordClicked(int wordIndex);
  void ListSelectionChanged();
  void ListRebuilt();
  void JumpToContextRow(int row);
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Shares the context table's width between its columns.
  void FitContextColumns();

  QTableView& words_;
  const ShownWordList& shown_;
  const AnalysisResult& result_;

  QWidget* page_ = nullptr;
  ReadingView* view_ = nullptr;
  QTableView* contextTable_ = nullptr;
  ContextModel* context_ = nullptr;
  QLabel* contextCaption_ = nullptr;
  std::array<QToolButton*, kMaxLevelCount> switches_{};
  QLayout* legendLayout_ = nullptr;
  std::vector<uint8_t> known_;  // the table entries the class knows, drawn plain
  QAction* nextMark_ = nullptr;
  QAction* previousMark_ = nullptr;
  QAction* print_ = nullptr;
  QAction* pdf_ = nullptr;
  QAction* copyContext_ = nullptr;
  QDoubleSpinBox* printPoints_ = nullptr;
  ExportPlace* savePlace_ = nullptr;
  std::function<QString()> baseName_;

  bool hasResult_ = false;
  QString title_;
  CoverageFigures figures_;
  RowOccurrences contextWords_;  // the occurrences the context shows
};

}  // namespace lexiscoop
