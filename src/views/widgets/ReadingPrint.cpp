#include "views/widgets/ReadingPrint.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

#include "platform/Cp932.h"
#include "ui/Cp932Strings.h"
#include "ui/LevelColours.h"
#include "views/widgets/ReadingView.h"

namespace lexiscoop {

int ReadingPageCount(const ReadingView& view) {
  const int lines = view.Lines().LineCount();
  const int perPage = view.LinesPerPage();
  return std::max(1, (lines + perPage - 1) / perPage);
}

int PrintReading(const ReadingView& view, const ReadingPrintHeader& header, QPagedPaintDevice& device) {
  QPainter painter;
  if (!painter.begin(&device)) return 0;
  const QRectF page(0, 0, device.width(), device.height());
  const int perPage = view.LinesPerPage();
  const int pages = ReadingPageCount(view);
  const TextLineIndex& lines = view.Lines();

  // The header in the view's font scaled to the device's resolution.
  const qreal deviceScale = device.logicalDpiY() / 96.0;
  QFont headerFont = view.font();
  headerFont.setPixelSize(std::max(1, static_cast<int>(view.font().pixelSize() * deviceScale)));
  const QFontMetricsF headerMetrics(headerFont, &device);
  const qreal headerHeight = headerMetrics.lineSpacing() * 3.6;

  // The text font: the screenful's lines fill the page's height, unless its
  // longest line would then be too wide.
  const qreal textHeight = page.height() - headerHeight;
  QFont textFont = view.font();
  qreal pixelSize = textHeight / perPage / 1.25;
  textFont.setPixelSize(std::max(1, static_cast<int>(pixelSize)));
  {
    const QFontMetricsF metrics(textFont, &device);
    const qreal needed = lines.LongestLine() * metrics.horizontalAdvance(QLatin1Char('M'));
    if (needed > page.width()) {
      pixelSize = pixelSize * page.width() / needed;
      textFont.setPixelSize(std::max(1, static_cast<int>(pixelSize)));
    }
  }
  const QFontMetricsF textMetrics(textFont, &device);
  const qreal lineHeight = std::max(textMetrics.lineSpacing(), textHeight / perPage);

  for (int p = 0; p < pages; ++p) {
    if (p > 0 && !device.newPage()) break;
    painter.setFont(headerFont);
    painter.setPen(Qt::black);
    const qreal ascent = headerMetrics.ascent();
    const qreal row = headerMetrics.lineSpacing();
    painter.drawText(QPointF(0, ascent), header.title);
    const QString number = QStringLiteral("%1 / %2").arg(p + 1).arg(pages);
    painter.drawText(QPointF(page.width() - headerMetrics.horizontalAdvance(number), ascent), number);
    // The legend: the name of each level shown, in its colour.
    qreal x = 0;
    for (const LevelInfo& info : ShippedLevels().Levels()) {
      const WordLevel level = info.id;
      if (!view.LevelShown(level)) continue;
      const QString name = FromCp932(LevelButtonName(level));
      painter.setPen(LevelColour(level, false));
      painter.drawText(QPointF(x, row + ascent), QStringLiteral("■") + name);
      x += headerMetrics.horizontalAdvance(QStringLiteral("■") + name) + headerMetrics.horizontalAdvance(QStringLiteral("　"));
    }
    painter.setPen(Qt::black);
    painter.drawText(QPointF(0, 2 * row + ascent), header.verdict);
    painter.drawLine(QPointF(0, headerHeight - row * 0.3), QPointF(page.width(), headerHeight - row * 0.3));

    painter.setFont(textFont);
    view.PaintLines(painter, p * perPage, perPage, 0, headerHeight, lineHeight, textFont, false);
  }
  painter.end();
  return pages;
}

}  // namespace lexiscoop
