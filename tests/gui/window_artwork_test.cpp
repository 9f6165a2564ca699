// The window's images: the command table's image indices, the on and off
// images of the filters, and the splash window.

#include <QAction>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QToolButton>
#include <QtTest>

#include "TestSupport.h"
#include "app/ImageList.h"
#include "app/SplashWin.h"

using namespace lexiscoop;
using namespace lexiscoop::testing;

class WindowArtworkTest : public QObject {
  Q_OBJECT

 private:
  static bool ShowsImage(const QIcon& icon, int index) { return icon.cacheKey() == ImageListIcon(index).cacheKey(); }

 private slots:
  void everyListedIndexHasAnImage() {
    for (int index = 0; index < kImageCount; ++index) {
      const bool unused = index == 9 || index == 10;
      QCOMPARE(ImageListIcon(index).isNull(), unused);
      QCOMPARE(RenderImage(index, 16).isNull(), unused);
    }
    QVERIFY(ImageListIcon(-1).isNull());
    QVERIFY(ImageListIcon(kImageCount).isNull());
    QVERIFY(!ProgramIcon().isNull());
    // Drawn, not blank: some pixels are opaque, some transparent.
    const QImage extract = RenderImage(1, 32).toImage();
    int opaque = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) opaque += qAlpha(extract.pixel(x, y)) > 200 ? 1 : 0;
    }
    QVERIFY(opaque > 100 && opaque < 32 * 32);
  }

  void commandsShowTheirTableImages() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    const std::pair<const char*, int> table[] = {
        {"acClipToText", 0}, {"acAnalize", 1},    {"acStopAnalize", 16}, {"acLoadFromFile", 2},
        {"acSortABC", 3},    {"acSortNum", 5},    {"acSortInitial", 4},  {"acCopyWords", 6},
        {"acCopyWordsNum", 7}, {"acOpenDoc", 8},  {"acAllSelect", 14},   {"acClose", 15},
        {"acCopyData", kImageCopyWords},  {"acEditDic", 11},   {"N1", 11}};
    for (const auto& [name, index] : table) {
      QAction* action = form.findChild<QAction*>(QString::fromLatin1(name));
      QVERIFY2(action != nullptr, name);
      QVERIFY2(ShowsImage(action->icon(), index), name);
    }
    QVERIFY(ShowsImage(form.findChild<QToolButton*>(QStringLiteral("ToolButton8"))->icon(), kImageCopyWords));
    // Start-up chose 原形 and every level.
    auto action = [&](const char* name) { return form.findChild<QAction*>(QString::fromLatin1(name)); };
    QVERIFY(ShowsImage(action("acSWOriginal")->icon(), kImageSwitchOn));
    QVERIFY(ShowsImage(action("acSWEntries")->icon(), kImageSwitchOff));
    QVERIFY(ShowsImage(action("acSWWritten")->icon(), kImageSwitchOff));
    QVERIFY(ShowsImage(action("acSWNoEntry")->icon(), kImageSwitchOn));
    QVERIFY(ShowsImage(form.findChild<QToolButton*>(QStringLiteral("tbWSOther"))->icon(), kImageSwitchOn));
    form.ToggleFormMode(FormMode::Written);
    QVERIFY(ShowsImage(action("acSWOriginal")->icon(), kImageSwitchOff));
    QVERIFY(ShowsImage(action("acSWWritten")->icon(), kImageSwitchOn));
  }

  void onAndOffImagesAreClearlyDifferent() {
    const QImage on = RenderImage(kImageSwitchOn, 32).toImage();
    const QImage off = RenderImage(kImageSwitchOff, 32).toImage();
    int different = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const QRgb a = on.pixel(x, y);
        const QRgb b = off.pixel(x, y);
        const int distance = qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b)) +
                             qAbs(qAlpha(a) - qAlpha(b));
        if (distance > 150) ++different;
      }
    }
    QVERIFY2(different > 32 * 32 / 4, qPrintable(QString::number(different)));
  }

  void splashIsItsPictureCentredOnTheScreen() {
    TSplashWin splash;
    QCOMPARE(TSplashWin::Picture().size(), QSize(234, 451));
    QCOMPARE(splash.size(), QSize(234, 451));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(splash.pos(), QPoint(screen.left() + (screen.width() - 234) / 2,
                                  screen.top() + (screen.height() - 451) / 2));
  }
};

QTEST_MAIN(WindowArtworkTest)
#include "window_artwork_test.moc"
