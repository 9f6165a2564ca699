#include "views/widgets/ReportPage.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <algorithm>

#include "views/widgets/CoverageChart.h"

namespace lexiscoop {

ReportPage::ReportPage(QPlainTextEdit* memo, CoverageChart* chart, QWidget* parent)
    : QScrollArea(parent), memo_(memo), chart_(chart) {
  setObjectName(QStringLiteral("ReportPage"));
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(true);
  splitter_ = new QSplitter(Qt::Horizontal);
  splitter_->setObjectName(QStringLiteral("DatasSplitter"));
  splitter_->setChildrenCollapsible(false);
  splitter_->addWidget(memo_);
  splitter_->addWidget(chart_);
  setWidget(splitter_);
  // A new report or new figures may need another width or height.
  connect(memo_, &QPlainTextEdit::textChanged, this, &ReportPage::Arrange);
  connect(chart_, &CoverageChart::figuresChanged, this, &ReportPage::Arrange);
}

Qt::Orientation ReportPage::Orientation() const { return splitter_->orientation(); }

int ReportPage::MemoWidth() const {
  const QFontMetrics metrics(memo_->font());
  int widest = kReportColumns * metrics.horizontalAdvance(QLatin1Char('0'));
  for (QTextBlock block = memo_->document()->begin(); block.isValid(); block = block.next()) {
    widest = std::max(widest, metrics.horizontalAdvance(block.text()));
  }
  const int margins = 2 * memo_->frameWidth() + 2 * static_cast<int>(memo_->document()->documentMargin());
  // The cursor's width at the end of the line, besides.
  return widest + margins + memo_->verticalScrollBar()->sizeHint().width() + 2;
}

void ReportPage::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  Arrange();
}

void ReportPage::Arrange() {
  // The room the content has even when the page shows its vertical scroll
  // bar, so that the bar's coming and going never flips the orientation.
  const int room = width() - 2 * frameWidth() - verticalScrollBar()->sizeHint().width();
  const int handle = splitter_->handleWidth();
  const int memoWidth = MemoWidth();
  const int chartWidth = chart_->minimumSizeHint().width();
  const int memoHeight = kMemoLines * memo_->fontMetrics().lineSpacing() + 2 * memo_->frameWidth() +
                         2 * static_cast<int>(memo_->document()->documentMargin()) +
                         memo_->horizontalScrollBar()->sizeHint().height();
  const bool sideBySide = room >= memoWidth + handle + chartWidth;
  const Qt::Orientation wanted = sideBySide ? Qt::Horizontal : Qt::Vertical;
  const bool turned = !arranged_ || splitter_->orientation() != wanted;
  arranged_ = true;
  splitter_->setOrientation(wanted);
  int chartLeast = 0;
  if (sideBySide) {
    // The memo keeps its width; the chart takes what the page gains.
    chartLeast = chart_->LeastHeight(std::max(chartWidth, room - memoWidth - handle));
    splitter_->setMinimumSize(memoWidth + handle + chartWidth, std::max(memoHeight, chartLeast));
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
  } else {
    // The memo takes what the page gains; it scrolls, the chart does not.
    chartLeast = chart_->LeastHeight(std::max(room, chartWidth));
    splitter_->setMinimumSize(chartWidth, memoHeight + handle + chartLeast);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
  }
  chart_->setMinimumHeight(chartLeast);
  if (!turned) return;
  if (sideBySide) {
    splitter_->setSizes({memoWidth, std::max(chartWidth, room - memoWidth - handle)});
  } else {
    const int height = std::max(memoHeight + handle + chartLeast, viewport()->height());
    splitter_->setSizes({height - handle - chartLeast, chartLeast});
  }
}

}  // namespace lexiscoop
