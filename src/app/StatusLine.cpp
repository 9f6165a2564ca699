#include "app/StatusLine.h"

#include <QEvent>
#include <QLabel>
#include <QStatusBar>
#include <algorithm>

namespace lexiscoop {
namespace {

int NeededWidth(const QLabel& label) {
  return label.fontMetrics().horizontalAdvance(label.text()) + 2 * label.frameWidth() + 2 * label.margin() + 4;
}

}  // namespace

StatusLine::StatusLine(const std::array<QLabel*, kPanelCount>& panels, QStatusBar& bar, QWidget& textPane,
                       QObject* parent)
    : QObject(parent), panels_(panels), bar_(bar), textPane_(textPane) {
  bar_.installEventFilter(this);
  textPane_.installEventFilter(this);
}

QString StatusLine::Text(int panel) const {
  if (panel < 0 || panel >= kPanelCount) return {};
  return panels_[static_cast<size_t>(panel)]->text();
}

void StatusLine::Set(int panel, const QString& text) {
  panels_[static_cast<size_t>(panel)]->setText(text);
  Fit();
}

void StatusLine::ShowMessage(const QString& text, int milliseconds) { bar_.showMessage(text, milliseconds); }

void StatusLine::ClearMessage() { bar_.clearMessage(); }

void StatusLine::Fit() {
  QLabel& first = *panels_[0];
  int others = 0;
  for (size_t i = 1; i < panels_.size(); ++i) others += std::max(panels_[i]->minimumWidth(), NeededWidth(*panels_[i]));
  // The bar's spacing between panels and its size grip, besides.
  const int room = bar_.width() - others - 40;
  first.setMinimumWidth(50);
  first.setMaximumWidth(std::max({50, textPane_.width(), std::min(NeededWidth(first), room)}));
}

bool StatusLine::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == &bar_ || watched == &textPane_) && event->type() == QEvent::Resize) Fit();
  return QObject::eventFilter(watched, event);
}

}  // namespace lexiscoop
