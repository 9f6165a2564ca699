#pragma once

#include <QObject>
#include <initializer_list>

class QToolBar;
class QWidget;

namespace lexiscoop {

// Tool bars by which the window can be moved: a left press on an empty spot
// of one of them starts a system move of `window`.
class DraggableBars : public QObject {
  Q_OBJECT

 public:
  // `window` and `bars` must outlive this object, which `window` owns.
  DraggableBars(QWidget& window, std::initializer_list<QToolBar*> bars);

 signals:
  // An empty spot of `bar` was pressed; the move follows.
  void emptySpotPressed(QToolBar* bar);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
};

}  // namespace lexiscoop
