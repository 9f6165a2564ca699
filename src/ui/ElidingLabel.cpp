#include "ui/ElidingLabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace lexiscoop {

ElidingLabel::ElidingLabel(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

QRect ElidingLabel::TextArea() const {
  const int m = margin();
  return contentsRect().adjusted(m + indent() / 2, m, -m, -m);
}

bool ElidingLabel::Elided() const { return fontMetrics().horizontalAdvance(text()) > TextArea().width(); }

void ElidingLabel::paintEvent(QPaintEvent* event) {
  if (!Elided()) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter painter(this);
  drawFrame(&painter);
  const QRect area = TextArea();
  painter.setPen(palette().color(foregroundRole()));
  painter.drawText(area, static_cast<int>(alignment()) | Qt::TextSingleLine,
                   fontMetrics().elidedText(text(), Qt::ElideRight, area.width()));
}

bool ElidingLabel::event(QEvent* event) {
  // A tooltip of its own wins; else a cut text shows whole.
  if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
    const auto* help = static_cast<QHelpEvent*>(event);
    if (Elided()) {
      QToolTip::showText(help->globalPos(), text(), this);
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }
  return QLabel::event(event);
}

}  // namespace lexiscoop
