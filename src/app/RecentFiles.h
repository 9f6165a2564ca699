#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QMenu;
class QWidget;

namespace lexiscoop {

class TIniFile;

// The texts opened last, most recent first, and the folder of the last one:
// what ファイル → 最近使ったファイル lists and where the open dialog starts.
// Kept in the settings' [system] section as Recent1..Recent8 and LastFolder.
class RecentFiles : public QObject {
  Q_OBJECT

 public:
  static constexpr int kMaxFiles = 8;

  // `menuParent` owns the submenu.
  explicit RecentFiles(QWidget* menuParent);

  // Replaces the list with the one in `ini`; empty, duplicate and surplus
  // entries are dropped.
  void Read(const TIniFile& ini);
  void Write(TIniFile& ini) const;

  // `path` was opened: it comes first, once, and its folder becomes the
  // open dialog's start. A path that a settings line cannot hold (it has a
  // line break) is not kept.
  void Add(const QString& path);
  void Remove(const QString& path);
  const QStringList& Files() const { return files_; }

  // The folder of the last text opened while it exists, else the home
  // folder.
  QString StartFolder() const;

  // The submenu: an entry per file, numbered from 1, rebuilt whenever it
  // opens; one disabled entry when the list is empty.
  QMenu* Menu() const { return menu_; }
  // Rebuilds the submenu's entries from the list.
  void RebuildMenu();

 signals:
  // An entry of the menu was chosen.
  void openRequested(const QString& path);

 private:
  QStringList files_;
  QString lastFolder_;
  QMenu* menu_;
};

}  // namespace lexiscoop
