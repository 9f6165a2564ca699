#include "ui/Fonts.h"

#include <QStringList>

namespace lexiscoop {
namespace {

const QString& ProportionalName() {
  static const QString name = QString::fromUtf8("ＭＳ Ｐゴシック");
  return name;
}

const QString& FixedName() {
  static const QString name = QString::fromUtf8("ＭＳ ゴシック");
  return name;
}

}  // namespace

void InstallFontSubstitutions() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  const QStringList proportional = {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")};
  const QStringList fixed = {QStringLiteral("IPAGothic"), QStringLiteral("Monospace")};
  QFont::insertSubstitutions(ProportionalName(), proportional);
  QFont::insertSubstitutions(QStringLiteral("MS PGothic"), proportional);
  QFont::insertSubstitutions(FixedName(), fixed);
  QFont::insertSubstitutions(QStringLiteral("MS Gothic"), fixed);
}

QFont WindowFont() {
  QFont font(ProportionalName());
  font.setPixelSize(12);
  return font;
}

QFont FixedFont() {
  QFont font(FixedName());
  font.setPixelSize(12);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

}  // namespace lexiscoop
