#include "app/ExportPlace.h"

#include <cerrno>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/AppTexts.h"
#include "platform/IniFile.h"
#include "platform/OutputPath.h"

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

void ExportPlace::SetOpenText(std::function<QString()> openText) { openText_ = std::move(openText); }

QString ExportPlace::Refusal(const QString& path, const std::vector<std::string>& inputs) const {
  std::vector<std::string> protectedFiles = inputs;
  const QString text = openText_ ? openText_() : QString();
  if (!text.isEmpty()) protectedFiles.push_back(QFile::encodeName(text).toStdString());
  const Status usable = CheckOutputPath(QFile::encodeName(path).toStdString(), protectedFiles);
  if (usable.ok()) return {};
  if (usable.systemError() == EISDIR) return Qs("フォルダーには書き出せません。\n") + path;
  return Qs("読み込んだテキストのファイルです。書き出すとテキストが失われるため、何も書きませんでした。\n") + path;
}

}  // namespace lexiscoop
