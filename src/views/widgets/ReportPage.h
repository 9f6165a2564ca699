#pragma once

#include <QScrollArea>

class QPlainTextEdit;
class QSplitter;

namespace lexiscoop {

class CoverageChart;

// The 詳細データ page: the report memo and the coverage chart. Side by side
// where the page is wide enough for the memo's widest line and the chart,
// the chart under the memo where it is not; where the page is smaller than
// both at their least readable sizes, the page scrolls as a whole rather
// than squeezing one over the other.
class ReportPage : public QScrollArea {
  Q_OBJECT

 public:
  // Takes `memo` and `chart` into the page.
  ReportPage(QPlainTextEdit* memo, CoverageChart* chart, QWidget* parent = nullptr);

  // Horizontal while memo and chart stand side by side.
  Qt::Orientation Orientation() const;
  // The width that shows every line of the memo whole, scroll bar included;
  // at least that of a report line of kReportColumns columns.
  int MemoWidth() const;

  // The report's widest lines, in columns of the fixed-pitch font.
  static constexpr int kReportColumns = 40;
  // The memo's least height in lines when the chart stands under it.
  static constexpr int kMemoLines = 6;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Chooses the orientation for the present width and sets the least size
  // of the page's content to match.
  void Arrange();

  QPlainTextEdit* memo_;
  CoverageChart* chart_;
  QSplitter* splitter_;
  bool arranged_ = false;  // the splitter's sizes were set once
};

}  // namespace lexiscoop
