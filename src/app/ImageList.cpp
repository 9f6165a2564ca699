#include "app/ImageList.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

namespace lexiscoop {
namespace {

constexpr int kSize = 32;  // drawn large, shown at 16 or 24

struct Glyph {
  QColor color;       // the badge colour
  const char* label;  // the short text drawn on it (UTF-8)
};

// Every image is a rounded badge with a short label: plain to draw, easy to
// tell apart at 16 pixels.
constexpr int kImageCount = 17;
const std::array<Glyph, kImageCount>& Glyphs() {
  static const std::array<Glyph, kImageCount> glyphs = {{
      {QColor(70, 130, 180), "貼"},   // 0 paste
      {QColor(46, 139, 87), "抽"},    // 1 extract
      {QColor(205, 133, 63), "読"},   // 2 open
      {QColor(106, 90, 205), "Az"},   // 3 sort by letter
      {QColor(106, 90, 205), "1.."},  // 4 sort by appearance
      {QColor(106, 90, 205), "#"},    // 5 sort by frequency
      {QColor(72, 61, 139), "C"},     // 6 copy words
      {QColor(72, 61, 139), "C#"},    // 7 copy with counts
      {QColor(218, 165, 32), "?"},    // 8 help
      {QColor(), ""},                 // 9
      {QColor(), ""},                 // 10
      {QColor(160, 82, 45), "辞"},    // 11 dictionary
      {QColor(), ""},                 // 12 switch off (a box, drawn apart)
      {QColor(), ""},                 // 13 switch on
      {QColor(72, 61, 139), "全"},    // 14 select all
      {QColor(128, 128, 128), "×"},   // 15 close
      {QColor(200, 40, 40), "■"},     // 16 stop
  }};
  return glyphs;
}

QPixmap DrawSwitch(bool on) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box(5, 5, 22, 22);
  p.setPen(QPen(QColor(90, 90, 90), 2));
  p.setBrush(on ? QColor(255, 236, 140) : QColor(250, 250, 250));
  p.drawRoundedRect(box, 4, 4);
  if (on) {
    QPainterPath tick;
    tick.moveTo(9, 16);
    tick.lineTo(14, 22);
    tick.lineTo(24, 9);
    p.setPen(QPen(QColor(30, 110, 30), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
  }
  return pixmap;
}

QPixmap DrawBadge(const Glyph& glyph) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setPen(QPen(glyph.color.darker(140), 1.5));
  p.setBrush(glyph.color);
  p.drawRoundedRect(QRectF(1.5, 1.5, kSize - 3, kSize - 3), 7, 7);
  const QString label = QString::fromUtf8(glyph.label);
  QFont font(QStringLiteral("IPAPGothic"));
  font.setBold(true);
  font.setPixelSize(label.size() > 2 ? 13 : (label.size() == 2 ? 16 : 20));
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, label);
  return pixmap;
}

}  // namespace

QIcon ImageListIcon(int index) {
  static std::array<QIcon, kImageCount> icons;
  if (index < 0 || index >= kImageCount) return {};
  QIcon& icon = icons[static_cast<size_t>(index)];
  if (icon.isNull()) {
    if (index == kImageSwitchOff || index == kImageSwitchOn) {
      icon = QIcon(DrawSwitch(index == kImageSwitchOn));
    } else if (Glyphs()[static_cast<size_t>(index)].label[0] != '\0') {
      icon = QIcon(DrawBadge(Glyphs()[static_cast<size_t>(index)]));
    }
  }
  return icon;
}

}  // namespace lexiscoop
