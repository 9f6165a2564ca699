#pragma once

#include <QObject>
#include <QString>
#include <array>

class QLabel;
class QStatusBar;
class QWidget;

namespace lexiscoop {

// The main window's status bar: three panels (the text's size or the run's
// summary, the selection, the shown words) and passing messages. The first
// panel ends where the text pane ends, or further where its text needs it,
// as far as the other panels keep room for theirs; it never holds the window
// wider. It refits itself when the bar or the text pane changes size.
class StatusLine : public QObject {
  Q_OBJECT

 public:
  static constexpr int kPanelCount = 3;

  // The panels, the bar that holds them and the text pane the first panel
  // lines up with; all must outlive this object.
  StatusLine(const std::array<QLabel*, kPanelCount>& panels, QStatusBar& bar, QWidget& textPane, QObject* parent);

  // The text of panel 0, 1 or 2; empty for any other number.
  QString Text(int panel) const;
  void Set(int panel, const QString& text);
  // A message over the panels for `milliseconds` (0: until cleared).
  void ShowMessage(const QString& text, int milliseconds = 0);
  void ClearMessage();
  // Refits the first panel.
  void Fit();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::array<QLabel*, kPanelCount> panels_;
  QStatusBar& bar_;
  QWidget& textPane_;
};

}  // namespace lexiscoop
