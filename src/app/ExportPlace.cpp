#include "app/ExportPlace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/AppTexts.h"
#include "platform/IniFile.h"

namespace lexiscoop {

void ExportPlace::Read(const TIniFile& ini) {
  folder_ = QFile::decodeName(QByteArray::fromStdString(ini.ReadString(texts::kSettingsSection, "ExportFolder", "")));
}

void ExportPlace::Write(TIniFile& ini) const {
  // A settings line holds no line break.
  const bool storable = !folder_.contains(QLatin1Char('\n')) && !folder_.contains(QLatin1Char('\r'));
  ini.WriteString(texts::kSettingsSection, "ExportFolder", storable ? QFile::encodeName(folder_).toStdString() : std::string());
}

QString ExportPlace::Folder() const {
  return !folder_.isEmpty() && QFileInfo(folder_).isDir() ? folder_ : QDir::homePath();
}

QString ExportPlace::Suggest(const QString& baseName, const QString& suffix, const QString& fallback) const {
  QString name = baseName.trimmed();
  for (QChar& c : name) {
    if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20) c = QLatin1Char('_');
  }
  if (name.isEmpty() || name.startsWith(QLatin1Char('.'))) name = fallback;
  return QDir(Folder()).filePath(name + suffix);
}

void ExportPlace::Saved(const QString& path) {
  if (path.isEmpty()) return;
  folder_ = QFileInfo(path).absolutePath();
}

}  // namespace lexiscoop
