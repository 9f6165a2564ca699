#pragma once

#include <QLabel>

namespace lexiscoop {

// A one-line label that, when narrower than its text, shows the text cut
// short with «…» and the whole of it in its tooltip. text() stays the whole
// text. For a status bar's panels, which may not grow with what they say.
class ElidingLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ElidingLabel(QWidget* parent = nullptr);

  // Whether the text is cut short at the present width.
  bool Elided() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  // Where the text is drawn.
  QRect TextArea() const;
};

}  // namespace lexiscoop
