#include "app/DraggableBars.h"

#include <QMouseEvent>
#include <QToolBar>
#include <QWindow>

namespace lexiscoop {

DraggableBars::DraggableBars(QWidget& window, std::initializer_list<QToolBar*> bars)
    : QObject(&window), window_(window) {
  for (QToolBar* bar : bars) bar->installEventFilter(this);
}

bool DraggableBars::eventFilter(QObject* watched, QEvent* event) {
  auto* bar = qobject_cast<QToolBar*>(watched);
  if (bar == nullptr || event->type() != QEvent::MouseButtonPress) return QObject::eventFilter(watched, event);
  const auto* mouse = static_cast<QMouseEvent*>(event);
  if (mouse->button() != Qt::LeftButton || bar->childAt(mouse->position().toPoint()) != nullptr) return false;
  emit emptySpotPressed(bar);
  if (QWindow* window = window_.windowHandle()) window->startSystemMove();
  return true;
}

}  // namespace lexiscoop
