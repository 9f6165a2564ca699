#include "ui/JapaneseInterface.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "ui/Fonts.h"

namespace lexiscoop {

bool InstallJapaneseInterface(QApplication& app) {
  InstallFontSubstitutions();
  // One font for every window: a dialog drawn in the system font would
  // take its Japanese glyphs from a fallback font and its Latin ones from
  // another, so a line such as «----- バージョン情報 -----» mixed both.
  QApplication::setFont(WindowFont());

  // The program speaks Japanese whatever the user's locale is.
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  auto* translator = new QTranslator(&app);
  if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                        folder)) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

}  // namespace lexiscoop
