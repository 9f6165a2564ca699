#include "views/widgets/CoverageChart.h"

#include <QBarCategoryAxis>
#include <QFontMetrics>
#include <QHorizontalBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/Cp932.h"
#include "ui/Cp932Strings.h"
#include "ui/LevelColours.h"

namespace lexiscoop {
namespace {

// An upright line across the four bars at `percent`.
QLineSeries* ThresholdLine(int percent, const QString& name, const QColor& colour, Qt::PenStyle style) {
  auto* line = new QLineSeries;
  line->setName(name);
  line->append(percent, -0.5);
  line->append(percent, kCoverageStageCount - 0.5);
  QPen pen(colour, 2, style);
  line->setPen(pen);
  return line;
}

}  // namespace

CoverageChart::CoverageChart(QWidget* parent) : QWidget(parent) {
  chart_ = new QChart;
  chart_->setTitle(QString::fromUtf8("この文章を読める人 (既知語の割合)"));
  chart_->setAnimationOptions(QChart::NoAnimation);
  chart_->legend()->setVisible(false);  // the caption under the chart explains the lines
  QFont titleFont = chart_->titleFont();
  titleFont.setPixelSize(12);
  chart_->setTitleFont(titleFont);
  chart_->setBackgroundRoundness(0);
  chart_->setMargins(QMargins(4, 4, 4, 4));

  // A bar per stage, lying: the stages' names stand beside their bars,
  // where the axis takes the width they need and none is cut short.
  bars_ = new QBarSet(QString::fromUtf8("既知語の割合 %"));
  bars_->setColor(LevelColour(WordLevel::Basic, false));
  for (int s = 0; s < kCoverageStageCount; ++s) bars_->append(0);
  auto* series = new QHorizontalBarSeries;
  series->append(bars_);
  series->setLabelsVisible(true);
  series->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
  series->setLabelsFormat(QStringLiteral("@value"));
  series->setLabelsPrecision(3);

  QLineSeries* supported =
      ThresholdLine(kSupportedReadingPercent, QString::fromUtf8("95% 支援があれば読める"),
                    LevelColour(WordLevel::ToUniversity, false), Qt::DashLine);
  QLineSeries* alone = ThresholdLine(kIndependentReadingPercent, QString::fromUtf8("98% ひとりで読める"),
                                     LevelColour(WordLevel::None, false), Qt::SolidLine);
  // The lines first, so that the bars and their figures stand in front.
  chart_->addSeries(supported);
  chart_->addSeries(alone);
  chart_->addSeries(series);

  auto* categories = new QBarCategoryAxis;
  categories_ = categories;
  thresholds_ = {supported, alone};
  // The axis counts upwards: the last stage first, so that 基本 stands on
  // top and the chart reads downwards.
  const std::span<const LevelInfo> stages = ShippedLevels().Listed();
  for (auto stage = stages.rbegin(); stage != stages.rend(); ++stage) {
    categories->append(FromCp932(LevelButtonName(stage->id)));
  }
  QFont axisFont = categories->labelsFont();
  axisFont.setPixelSize(11);
  categories->setLabelsFont(axisFont);
  auto* percent = new QValueAxis;
  percent_ = percent;
  percent->setLabelsFont(axisFont);
  percent->setRange(0, 100);
  percent->setTickCount(6);
  percent->setLabelFormat(QStringLiteral("%d%%"));
  chart_->addAxis(categories, Qt::AlignLeft);
  chart_->addAxis(percent, Qt::AlignBottom);
  series->attachAxis(categories);
  series->attachAxis(percent);
  // The threshold lines run on a hidden value axis that spans the bars.
  auto* across = new QValueAxis;
  across_ = across;
  across->setRange(-0.5, kCoverageStageCount - 0.5);
  across->setVisible(false);
  chart_->addAxis(across, Qt::AlignRight);
  for (QLineSeries* line : {supported, alone}) {
    line->attachAxis(percent);
    line->attachAxis(across);
  }

  view_ = new QChartView(chart_, this);
  view_->setObjectName(QStringLiteral("CoverageChartView"));
  view_->setRenderHint(QPainter::Antialiasing);
  // Four bars read no better for being a screen high.
  view_->setMinimumSize(220, 160);
  view_->setMaximumHeight(360);
  auto* key = new QLabel(this);
  key_ = key;
  key->setObjectName(QStringLiteral("CoverageKey"));
  key->setTextFormat(Qt::RichText);
  key->setWordWrap(true);
  key->setText(QStringLiteral("<span style='color:%1'>━ 98%: ひとりで読める</span>　"
                              "<span style='color:%2'>┅ 95%: 支援があれば読める</span>")
                   .arg(LevelColour(WordLevel::None, false).name(), LevelColour(WordLevel::ToUniversity, false).name()));
  verdict_ = new QLabel(this);
  verdict_->setObjectName(QStringLiteral("CoverageVerdict"));
  verdict_->setWordWrap(true);
  verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_, 1);
  layout->addWidget(key);
  layout->addWidget(verdict_);
  // What the chart at its greatest height leaves stays empty below.
  layout->addStretch(0);
}

void CoverageChart::ShowStages(const LevelSet& levels) {
  QStringList names;
  for (int s = levels.ListedCount() - 1; s >= 0; --s) names << FromCp932(levels.Name(static_cast<LevelId>(s)));
  if (names == categories_->categories()) return;
  const int count = static_cast<int>(names.size());
  bars_->remove(0, bars_->count());
  for (int s = 0; s < count; ++s) bars_->append(0);
  categories_->clear();
  categories_->append(names);
  across_->setRange(-0.5, count - 0.5);
  for (QLineSeries* line : thresholds_) {
    const qreal x = line->at(0).x();
    line->replace(QList<QPointF>{{x, -0.5}, {x, count - 0.5}});
  }
}

void CoverageChart::SetKnownLine(const QString& line) {
  knownLine_ = line;
  SetFigures(figures_);
}

void CoverageChart::SetFigures(const CoverageFigures& figures) {
  figures_ = figures;
  ShowStages(figures.Levels());
  const int stages = figures.StageCount();
  for (int s = 0; s < stages; ++s) {
    bars_->replace(stages - 1 - s, figures.PerMille(static_cast<CoverageStage>(s)) / 10.0);
  }
  // The axis starts at the tens below the lowest bar, so that the distance
  // between 95% and 98% shows.
  const int lowest = figures.runningWords > 0 ? figures.PerMille(CoverageStage::Basic) / 10 : 0;
  const int bottom = std::clamp((lowest - 5) / 10 * 10, 0, 80);
  percent_->setRange(bottom, 100);
  FitTicks();
  const QString verdict = FromCp932(CoverageVerdict(figures));
  verdict_->setText(knownLine_.isEmpty() || figures.runningWords <= 0 ? verdict : verdict + QLatin1Char('\n') + knownLine_);
  emit figuresChanged();
}

QString CoverageChart::VerdictText() const { return verdict_->text(); }

void CoverageChart::FitTicks() {
  // A tick every ten per cent, or fewer where their labels would crowd the
  // axis; the room is what the stage names and the margins leave.
  const int range = static_cast<int>(percent_->max() - percent_->min());
  const int room = view_->width() - 90;
  const int labelWidth = QFontMetrics(percent_->labelsFont()).horizontalAdvance(QStringLiteral("100%")) + 14;
  int ticks = 2;
  for (int step : {10, 20, 25, 50}) {
    if (range % step == 0 && range / step * labelWidth <= room) {
      ticks = range / step + 1;
      break;
    }
  }
  percent_->setTickCount(ticks);
}

void CoverageChart::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitTicks();
}

int CoverageChart::LeastHeight(int width) const {
  const QMargins margins = layout()->contentsMargins();
  const int inside = width - margins.left() - margins.right();
  int height = view_->minimumHeight() + margins.top() + margins.bottom();
  for (const QLabel* label : {key_, verdict_}) height += layout()->spacing() + std::max(0, label->heightForWidth(inside));
  return height;
}

}  // namespace lexiscoop
