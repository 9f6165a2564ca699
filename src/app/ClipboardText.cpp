#include "app/ClipboardText.h"

#include <QMimeData>
#include <QStringList>

#include "platform/Cp932.h"
#include "platform/InputEncoding.h"

namespace lexiscoop {
namespace {

// The character set a "text/plain;charset=…" format declares, lower case;
// empty for another format or none declared.
QString DeclaredCharset(const QString& format) {
  const QStringList parts = format.split(QLatin1Char(';'));
  if (parts.constFirst().trimmed().compare(QLatin1String("text/plain"), Qt::CaseInsensitive) != 0) return {};
  for (qsizetype i = 1; i < parts.size(); ++i) {
    const QString parameter = parts[i].trimmed();
    if (parameter.startsWith(QLatin1String("charset="), Qt::CaseInsensitive)) {
      QString value = parameter.mid(8).trimmed().toLower();
      value.remove(QLatin1Char('"'));
      return value;
    }
  }
  return {};
}

bool IsShiftJisName(const QString& charset) {
  static const QStringList kNames = {QStringLiteral("shift_jis"), QStringLiteral("shift-jis"),
                                     QStringLiteral("sjis"),      QStringLiteral("x-sjis"),
                                     QStringLiteral("cp932"),     QStringLiteral("windows-31j"),
                                     QStringLiteral("ms_kanji"),  QStringLiteral("ibm-943")};
  return kNames.contains(charset);
}

std::string Bytes(const QMimeData* data, const QString& format) { return data->data(format).toStdString(); }

}  // namespace

std::string ClipboardTextToCp932(const QMimeData* data) {
  if (data == nullptr) return {};
  const QStringList formats = data->formats();
  for (const QString& format : formats) {
    if (IsShiftJisName(DeclaredCharset(format))) return Bytes(data, format);
  }
  for (const QString& format : formats) {
    if (DeclaredCharset(format) == QLatin1String("utf-8")) return Cp932FromUtf8Text(Bytes(data, format));
  }
  if (formats.contains(QStringLiteral("text/plain"))) return TextToCp932(Bytes(data, QStringLiteral("text/plain")));
  return data->hasText() ? Cp932FromUtf8Text(data->text().toStdString()) : std::string();
}

}  // namespace lexiscoop
