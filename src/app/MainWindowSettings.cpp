#include "app/MainWindowSettings.h"

#include <QAction>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <vector>

#include "app/AppTexts.h"
#include "app/ExportPlace.h"
#include "app/KnownWordsController.h"
#include "app/ListPaneLayout.h"
#include "app/MainWindowUi.h"
#include "app/RecentFiles.h"
#include "app/WindowSettings.h"
#include "platform/FileSystem.h"
#include "platform/FolderPath.h"
#include "platform/IniFile.h"

namespace lexiscoop {
namespace {

bool ReadSwitch(const TIniFile& ini, const char* key, const char* fallback) {
  return ini.ReadString(texts::kSettingsSection, key, fallback) != "0";
}

void WriteSwitch(TIniFile& ini, const char* key, bool on) {
  ini.WriteString(texts::kSettingsSection, key, on ? "1" : "0");
}

ScreenArea AreaOf(const QRect& a) { return {a.x(), a.y(), a.width(), a.height()}; }

}  // namespace

MainWindowSettings::MainWindowSettings(std::string path, Parts parts, QObject* parent)
    : QObject(parent), path_(std::move(path)), parts_(parts) {}

void MainWindowSettings::Read() {
  const TIniFile ini(path_);
  QRect screenArea(0, 0, 1024, 768);
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary != nullptr) screenArea = primary->geometry();
  // Whatever the file says, the window opens on a screen and no larger than it.
  std::vector<ScreenArea> areas;
  if (primary != nullptr) areas.push_back(AreaOf(primary->availableGeometry()));
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen != primary) areas.push_back(AreaOf(screen->availableGeometry()));
  }
  WindowBounds wanted = ReadWindowBounds(ini, screenArea.width(), screenArea.height());
  if (ini.ReadString(texts::kSettingsSection, "width", "").empty()) {
    // The first start: wide enough for the word-list bar where the screen
    // allows, so that every button is in sight.
    wanted.width = std::max(wanted.width, parts_.form.cbWordsSel->sizeHint().width() + 8);
    wanted.left = (screenArea.width() - wanted.width) / 2;
  }
  const WindowBounds bounds = FitWindowBounds(wanted, areas);
  // Qt places the frame but sizes the inside; both are read back the same
  // way when the window closes, so the place is kept exactly.
  parts_.window.move(bounds.left, bounds.top);
  parts_.window.resize(bounds.width, bounds.height);
  parts_.panes.Read(ini);
  parts_.form.acShowGloss->setChecked(ReadSwitch(ini, "ShowGloss", "1"));
  parts_.recentFiles.Read(ini);
  parts_.exportPlace.Read(ini);
  parts_.form.acWrapReading->setChecked(ReadSwitch(ini, "WrapReading", "1"));
  parts_.form.acReadInContext->setChecked(ReadSwitch(ini, "ReadInContext", "1"));
  levelBarShown_ = ini.ReadString(texts::kSettingsSection, "ShowLevelBar", "0") == "1";
  parts_.knownWords.ReadSettings(ini);
}

void MainWindowSettings::Write() {
  try {
    TIniFile ini(path_);
    const QMainWindow& window = parts_.window;
    WriteWindowBounds(ini, WindowBounds{window.x(), window.y(), window.width(), window.height()});
    parts_.panes.Write(ini);
    WriteSwitch(ini, "ShowGloss", parts_.form.acShowGloss->isChecked());
    parts_.recentFiles.Write(ini);
    parts_.exportPlace.Write(ini);
    WriteSwitch(ini, "WrapReading", parts_.form.acWrapReading->isChecked());
    WriteSwitch(ini, "ReadInContext", parts_.form.acReadInContext->isChecked());
    WriteSwitch(ini, "ShowLevelBar", levelBarShown_);
    parts_.knownWords.WriteSettings(ini);
    // A fresh account may have no configuration folder yet.
    CreateFolderPath(FolderOf(path_));
    ini.UpdateFile();
  } catch (...) {
  }
}

void MainWindowSettings::WindowShown() {
  QTimer::singleShot(0, this, &MainWindowSettings::FitFrameToScreen);
  QTimer::singleShot(300, this, &MainWindowSettings::FitFrameToScreen);
}

void MainWindowSettings::FitFrameToScreen() {
  QMainWindow& window = parts_.window;
  const QScreen* screen = window.screen();
  if (screen == nullptr || window.isMaximized() || window.isFullScreen()) return;
  const QRect area = screen->availableGeometry();
  const QRect frame = window.frameGeometry();
  if (area.contains(frame)) return;
  // The settings fit the window's inside to the screen; the frame the
  // window manager adds (its title bar) must fit as well.
  const QSize decoration = frame.size() - window.size();
  const QSize inside = window.size().boundedTo(area.size() - decoration).expandedTo(window.minimumSize());
  window.resize(inside);
  const int left = std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() + 1 - frame.width()));
  const int top = std::clamp(frame.top(), area.top(),
                             std::max(area.top(), area.bottom() + 1 - (inside.height() + decoration.height())));
  window.move(left, top);
}

}  // namespace lexiscoop
