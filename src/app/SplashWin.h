#pragma once

#include <QSplashScreen>

namespace lexiscoop {

// The borderless start-up window: one picture of 234 × 451 pixels, centred
// on the screen, shown while the main window is being created. It goes away
// when the main window is shown (finish).
class TSplashWin : public QSplashScreen {
  Q_OBJECT

 public:
  TSplashWin();

  // The splash picture; the window takes its size.
  static QPixmap Picture();
};

}  // namespace lexiscoop
