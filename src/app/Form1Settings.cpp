// The settings file: the window's place and the word list's column widths.

#include <QGuiApplication>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <QHeaderView>
#include <QScreen>
#include <QTableView>

#include "app/AppTexts.h"
#include "app/Form1.h"
#include "app/ListPaneLayout.h"
#include "app/RecentFiles.h"
#include "app/WindowSettings.h"
#include "platform/FileSystem.h"
#include "platform/FolderPath.h"
#include "platform/IniFile.h"
#include "views/widgets/WordListModel.h"

namespace lexiscoop {

void TForm1::ReadSettings() {
  const TIniFile ini(settingsPath_);
  QRect screenArea(0, 0, 1024, 768);
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary != nullptr) screenArea = primary->geometry();
  // Whatever the file says, the window opens on a screen and no larger than it.
  std::vector<ScreenArea> areas;
  if (primary != nullptr) {
    const QRect a = primary->availableGeometry();
    areas.push_back({a.x(), a.y(), a.width(), a.height()});
  }
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen == primary) continue;
    const QRect a = screen->availableGeometry();
    areas.push_back({a.x(), a.y(), a.width(), a.height()});
  }
  WindowBounds wanted = ReadWindowBounds(ini, screenArea.width(), screenArea.height());
  if (ini.ReadString(texts::kSettingsSection, "width", "").empty()) {
    // The first start: wide enough for the word-list bar where the screen
    // allows, so that every button is in sight.
    wanted.width = std::max(wanted.width, cbWordsSel->sizeHint().width() + 8);
    wanted.left = (screenArea.width() - wanted.width) / 2;
  }
  const WindowBounds bounds = FitWindowBounds(wanted, areas);
  // Qt places the frame but sizes the inside; both are read back the same
  // way when the window closes, so the place is kept exactly.
  move(bounds.left, bounds.top);
  resize(bounds.width, bounds.height);
  panes_->Read(ini);
  acShowGloss->setChecked(ini.ReadString(texts::kSettingsSection, "ShowGloss", "1") != "0");
  recentFiles_->Read(ini);
  exportPlace_.Read(ini);
  acWrapReading->setChecked(ini.ReadString(texts::kSettingsSection, "WrapReading", "1") != "0");
  acReadInContext->setChecked(ini.ReadString(texts::kSettingsSection, "ReadInContext", "1") != "0");
  levelBarShown_ = ini.ReadString(texts::kSettingsSection, "ShowLevelBar", "0") == "1";
}

void TForm1::FitFrameToScreen() {
  const QScreen* screen = this->screen();
  if (screen == nullptr || isMaximized() || isFullScreen()) return;
  const QRect area = screen->availableGeometry();
  const QRect frame = frameGeometry();
  if (area.contains(frame)) return;
  // The settings fit the window's inside to the screen; the frame the
  // window manager adds (its title bar) must fit as well.
  const QSize decoration = frame.size() - size();
  const QSize inside = size().boundedTo(area.size() - decoration).expandedTo(minimumSize());
  resize(inside);
  const int left = std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() + 1 - frame.width()));
  const int top = std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() + 1 - (inside.height() + decoration.height())));
  move(left, top);
}

void TForm1::WriteSettings() {
  // Writing the settings never keeps the window from closing.
  try {
    TIniFile ini(settingsPath_);
    WriteWindowBounds(ini, WindowBounds{x(), y(), width(), height()});
    panes_->Write(ini);
    ini.WriteString(texts::kSettingsSection, "ShowGloss", acShowGloss->isChecked() ? "1" : "0");
    recentFiles_->Write(ini);
    exportPlace_.Write(ini);
    ini.WriteString(texts::kSettingsSection, "WrapReading", acWrapReading->isChecked() ? "1" : "0");
    ini.WriteString(texts::kSettingsSection, "ReadInContext", acReadInContext->isChecked() ? "1" : "0");
    ini.WriteString(texts::kSettingsSection, "ShowLevelBar", levelBarShown_ ? "1" : "0");
    // A fresh account may have no configuration folder yet.
    CreateFolderPath(FolderOf(settingsPath_));
    ini.UpdateFile();
  } catch (...) {
  }
}

}  // namespace lexiscoop
