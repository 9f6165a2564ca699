#pragma once

#include <QWidget>
#include <vector>

#include "views/Coverage.h"

class QLabel;
class QBarCategoryAxis;
class QChart;
class QChartView;
class QBarSet;
class QLineSeries;
class QValueAxis;

namespace lexiscoop {

// Who can read this text: a bar per learner stage with the cumulative share
// of running words known, lines at 95% and 98%, and the verdict under it.
class CoverageChart : public QWidget {
  Q_OBJECT

 public:
  explicit CoverageChart(QWidget* parent = nullptr);

  // Shows `figures`; an empty text shows empty bars and no verdict.
  // The bars are the stages of the figures' level set.
  void SetFigures(const CoverageFigures& figures);
  // A line shown under the verdict (the known words' share); empty: none.
  void SetKnownLine(const QString& line);
  const CoverageFigures& Figures() const { return figures_; }
  // The verdict line as shown.
  QString VerdictText() const;
  // The least height at `width` that shows the chart at its least size and
  // the key and the verdict under it whole.
  int LeastHeight(int width) const;

 signals:
  // New figures are shown (the verdict may need another height).
  void figuresChanged();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Spaces the per cent axis's ticks for the chart's present width.
  void FitTicks();

  CoverageFigures figures_;
  QChart* chart_ = nullptr;
  QChartView* view_ = nullptr;
  QBarSet* bars_ = nullptr;
  QValueAxis* percent_ = nullptr;
  QLabel* key_ = nullptr;
  QLabel* verdict_ = nullptr;
  QBarCategoryAxis* categories_ = nullptr;
  QValueAxis* across_ = nullptr;
  std::vector<QLineSeries*> thresholds_;
  QString knownLine_;
  // Makes a bar and a category per stage of `levels`, when they differ.
  void ShowStages(const LevelSet& levels);
};

}  // namespace lexiscoop
