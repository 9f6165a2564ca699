#include "app/RecentFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <string>

#include "app/AppTexts.h"
#include "platform/IniFile.h"

namespace lexiscoop {
namespace {

// File names are kept as the bytes the file system uses.
std::string Bytes(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString FromBytes(const std::string& bytes) { return QFile::decodeName(QByteArray::fromStdString(bytes)); }

bool Storable(const QString& path) {
  return !path.isEmpty() && !path.contains(QLatin1Char('\n')) && !path.contains(QLatin1Char('\r'));
}

std::string Key(int number) { return "Recent" + std::to_string(number); }

}  // namespace

RecentFiles::RecentFiles(QWidget* menuParent) : QObject(menuParent), menu_(new QMenu(Qs("最近使ったファイル(&R)"), menuParent)) {
  menu_->setObjectName(QStringLiteral("miRecentFiles"));
  connect(menu_, &QMenu::aboutToShow, this, &RecentFiles::RebuildMenu);
  RebuildMenu();
}

void RecentFiles::Read(const TIniFile& ini) {
  files_.clear();
  for (int number = 1; number <= kMaxFiles; ++number) {
    const QString path = FromBytes(ini.ReadString(texts::kSettingsSection, Key(number), ""));
    if (Storable(path) && !files_.contains(path)) files_ << path;
  }
  lastFolder_ = FromBytes(ini.ReadString(texts::kSettingsSection, "LastFolder", ""));
}

void RecentFiles::Write(TIniFile& ini) const {
  for (int number = 1; number <= kMaxFiles; ++number) {
    const QString path = number <= files_.size() ? files_[number - 1] : QString();
    ini.WriteString(texts::kSettingsSection, Key(number), Bytes(path));
  }
  ini.WriteString(texts::kSettingsSection, "LastFolder", Storable(lastFolder_) ? Bytes(lastFolder_) : std::string());
}

void RecentFiles::Add(const QString& path) {
  if (!Storable(path)) return;
  const QString absolute = QFileInfo(path).absoluteFilePath();
  files_.removeAll(absolute);
  files_.prepend(absolute);
  while (files_.size() > kMaxFiles) files_.removeLast();
  lastFolder_ = QFileInfo(absolute).absolutePath();
}

void RecentFiles::Remove(const QString& path) {
  files_.removeAll(path);
}

QString RecentFiles::StartFolder() const {
  if (!lastFolder_.isEmpty() && QFileInfo(lastFolder_).isDir()) return lastFolder_;
  return QDir::homePath();
}

void RecentFiles::RebuildMenu() {
  menu_->clear();
  if (files_.isEmpty()) {
    menu_->addAction(Qs("(なし)"))->setEnabled(false);
    return;
  }
  for (qsizetype i = 0; i < files_.size(); ++i) {
    const QString path = files_[i];
    const QFileInfo file(path);
    QString caption = file.fileName() + QStringLiteral("  (") + QDir::toNativeSeparators(file.path()) +
                      QLatin1Char(')');
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* action = menu_->addAction(QStringLiteral("&%1 ").arg(i + 1) + caption);
    action->setToolTip(path);
    // Queued: opening a file changes the list, and so this menu, which
    // must not happen under the action's own signal.
    connect(action, &QAction::triggered, this, [this, path] { emit openRequested(path); }, Qt::QueuedConnection);
  }
}

}  // namespace lexiscoop
