#include "views/widgets/ReadingPrint.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/Cp932.h"
#include "ui/Cp932Strings.h"
#include "ui/LevelColours.h"
#include "views/LineWrap.h"
#include "views/widgets/ReadingView.h"

namespace lexiscoop {
namespace {

// How the body goes onto the device's pages.
struct HandoutLayout {
  QFont font;             // the body's, also the header's
  qreal lineHeight = 0;   // device pixels
  qreal headerHeight = 0;
  int rowsPerPage = 1;
  WrappedRows rows;       // the view's lines wrapped at the page's width
  int pages = 1;
};

HandoutLayout LayOutHandout(const ReadingView& view, QPagedPaintDevice& device, double bodyPoints) {
  HandoutLayout layout;
  layout.font = view.font();
  // In the device's pixels: the glyphs are drawn from a raw font of the
  // font's pixel size, which a size in points would take at the screen's
  // resolution.
  layout.font.setPixelSize(std::max(1, qRound(std::clamp(bodyPoints, 4.0, 72.0) * device.logicalDpiY() / 72.0)));
  const QFontMetricsF metrics(layout.font, &device);
  layout.lineHeight = std::ceil(metrics.lineSpacing());
  // Title and page number, the legend, the coverage line and a rule.
  layout.headerHeight = layout.lineHeight * 3.6;
  const int columns = std::max(8, static_cast<int>(device.width() / std::max<qreal>(1, metrics.horizontalAdvance(QLatin1Char('M')))));
  layout.rows.Reset(view.Lines(), columns);
  layout.rowsPerPage = std::max(1, static_cast<int>((device.height() - layout.headerHeight) / layout.lineHeight));
  layout.pages = std::max(1, (layout.rows.RowCount() + layout.rowsPerPage - 1) / layout.rowsPerPage);
  return layout;
}

}  // namespace

int ReadingPageCount(const ReadingView& view, QPagedPaintDevice& device, double bodyPoints) {
  return LayOutHandout(view, device, bodyPoints).pages;
}

int PrintReading(const ReadingView& view, const ReadingPrintHeader& header, QPagedPaintDevice& device,
                 double bodyPoints) {
  QPainter painter;
  if (!painter.begin(&device)) return 0;
  const HandoutLayout layout = LayOutHandout(view, device, bodyPoints);
  const qreal width = device.width();
  const QFontMetricsF metrics(layout.font, &device);
  const qreal ascent = metrics.ascent();
  const qreal row = layout.lineHeight;

  for (int p = 0; p < layout.pages; ++p) {
    if (p > 0 && !device.newPage()) break;
    painter.setFont(layout.font);
    painter.setPen(Qt::black);
    const QString number = QStringLiteral("%1 / %2").arg(p + 1).arg(layout.pages);
    const qreal numberWidth = metrics.horizontalAdvance(number);
    painter.drawText(QPointF(width - numberWidth, ascent), number);
    // The title as far as the page number leaves room.
    painter.drawText(QPointF(0, ascent),
                     metrics.elidedText(header.title, Qt::ElideRight, width - numberWidth - metrics.averageCharWidth() * 2));
    // The legend: the name of each level shown, in its colour.
    qreal x = 0;
    const LevelSet& levels = view.Words().Levels();
    for (const LevelInfo& info : levels.Levels()) {
      const WordLevel level = info.id;
      if (!view.LevelShown(level)) continue;
      const QString name = QStringLiteral("■") + FromCp932(levels.Name(level));
      painter.setPen(LevelColour(level, false, levels));
      painter.drawText(QPointF(x, row + ascent), name);
      x += metrics.horizontalAdvance(name) + metrics.horizontalAdvance(QStringLiteral("　"));
    }
    painter.setPen(Qt::black);
    painter.drawText(QPointF(0, 2 * row + ascent), metrics.elidedText(header.verdict, Qt::ElideRight, width));
    painter.drawLine(QPointF(0, layout.headerHeight - row * 0.3), QPointF(width, layout.headerHeight - row * 0.3));

    view.PaintRows(painter, layout.rows, p * layout.rowsPerPage, layout.rowsPerPage, 0, layout.headerHeight,
                   layout.lineHeight, layout.font, false);
  }
  painter.end();
  return layout.pages;
}

}  // namespace lexiscoop
