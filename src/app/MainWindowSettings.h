#pragma once

#include <QObject>
#include <string>

class QMainWindow;

namespace lexiscoop {

class ExportPlace;
class KnownWordsController;
class ListPaneLayout;
class MainWindowUi;
class RecentFiles;

// The main window's settings file: the window's place, the panes and column
// widths, the recent files, the export folder and the 表示 switches. Read
// when the window is made, written when it closes; the window is kept on
// the available part of its screen.
class MainWindowSettings : public QObject {
  Q_OBJECT

 public:
  // The parts whose state is kept; all must outlive this object.
  struct Parts {
    QMainWindow& window;
    const MainWindowUi& form;
    ListPaneLayout& panes;
    RecentFiles& recentFiles;
    ExportPlace& exportPlace;
    KnownWordsController& knownWords;
  };

  MainWindowSettings(std::string path, Parts parts, QObject* parent);

  const std::string& Path() const { return path_; }
  void Read();
  // Writes every setting; a failure never keeps the window from closing.
  void Write();
  // The window is shown the first time: its frame, which the window manager
  // adds after the window is mapped, is fitted to the screen.
  void WindowShown();

  // The level bar as the user left it; it is shown at first only when no
  // dictionary loaded.
  bool LevelBarShown() const { return levelBarShown_; }
  void SetLevelBarShown(bool shown) { levelBarShown_ = shown; }

 private:
  // Moves and shrinks the window so that its frame lies on the available
  // part of its screen.
  void FitFrameToScreen();

  std::string path_;
  Parts parts_;
  bool levelBarShown_ = false;
};

}  // namespace lexiscoop
