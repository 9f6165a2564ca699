// 表示 → レベルセット: a set of one's own classifies the shown result again
// (report, level bar, list, reading legend, coverage chart), and the
// shipped levels bring back every output as it was.
#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "TestSupport.h"
#include "app/ReadingPane.h"
#include "lists/ListStore.h"
#include "platform/UserDataFolder.h"
#include "views/ShownWordList.h"
#include "views/widgets/CoverageChart.h"

using namespace lexiscoop;
using namespace lexiscoop::testing;

class LevelSetMenuTest : public QObject {
  Q_OBJECT

 private slots:
  void choosingASetClassifiesTheResultAgain() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    UserLevelSet set{"教科書", {{Sjis("一年"), "1", 0x0072B2, {"the", "cat"}}, {Sjis("二年"), "2", 0x007A5A, {"letter"}}}};
    set.name = Sjis("教科書");
    QVERIFY(ListStore(UserDataFolder(form.ProgramFolder())).SaveSet(set).ok());
    form.resize(1000, 700);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.SetCurrentText("The cat wrote the letter.\r\nThe cats sat.\r\n");
    form.findChild<QAction*>(QStringLiteral("acAnalize"))->trigger();
    auto* report = form.findChild<QPlainTextEdit*>(QStringLiteral("mmDatas"));
    const QString shipped = report->toPlainText();
    const QString shippedVerdict = form.findChild<CoverageChart*>()->VerdictText();

    auto* menu = form.findChild<QMenu*>(QStringLiteral("miLevelSets"));
    QVERIFY(menu != nullptr);
    emit menu->aboutToShow();
    QAction* own = nullptr;
    for (QAction* action : menu->actions()) {
      if (action->text() == QStringLiteral("教科書")) own = action;
    }
    QVERIFY(own != nullptr);
    own->trigger();

    QVERIFY(!form.Result().Levels().Shipped());
    const QStringList lines = report->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 25 + 3 * 2);
    QVERIFY(lines.contains(QStringLiteral("一年                   5 個   62 %")));  // the ×3, cat, cats
    QVERIFY(lines.contains(QStringLiteral("二年                   1 個   12 %")));
    QCOMPARE(form.findChild<QToolButton*>(QStringLiteral("tbWSBasic"))->text(), QStringLiteral("一年 50%"));
    QVERIFY(form.findChild<QToolButton*>(QStringLiteral("tbWSToUnivercity"))->isHidden());
    QCOMPARE(form.Reading().LevelSwitch(WordLevel::Junior)->text(), QStringLiteral("■ 二年"));
    QVERIFY(form.findChild<CoverageChart*>()->VerdictText().startsWith(QStringLiteral("二年")));
    QString levels;
    for (int r = 0; r < form.Shown().RowCount(); ++r) levels += QString::number(LevelIndex(form.Shown().LevelOfRow(r)));
    QCOMPARE(levels, QStringLiteral("00213"));  // the cat write(その他) letter sat(未登録)

    emit menu->aboutToShow();
    menu->findChild<QAction*>(QStringLiteral("acShippedLevels"))->trigger();
    QCOMPARE(report->toPlainText(), shipped);
    QCOMPARE(form.findChild<CoverageChart*>()->VerdictText(), shippedVerdict);
    QVERIFY(!form.findChild<QToolButton*>(QStringLiteral("tbWSToUnivercity"))->isHidden());
  }

  // Levels 5 to 9 get buttons of their own, and no filter drops their bits.
  void aSetOfSixLevelsShowsSixLevelButtons() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    UserLevelSet set{Sjis("六段"), {}};
    const char* words[] = {"the", "cat", "write", "dog", "letter", "sat"};
    for (int i = 0; i < 6; ++i) {
      std::string name = "L";
      name += std::to_string(i + 1);
      set.levels.push_back({name, std::to_string(i + 1), 0x0072B2, {words[i]}});
    }
    QVERIFY(ListStore(UserDataFolder(form.ProgramFolder())).SaveSet(set).ok());
    form.resize(1500, 700);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* menu = form.findChild<QMenu*>(QStringLiteral("miLevelSets"));
    emit menu->aboutToShow();
    QAction* own = nullptr;
    for (QAction* action : menu->actions()) {
      if (action->text() == QStringLiteral("六段")) own = action;
    }
    QVERIFY(own != nullptr);
    own->trigger();  // before the run
    form.SetCurrentText("The cat wrote the letter.\r\nThe cats sat.\r\n");
    form.findChild<QAction*>(QStringLiteral("acAnalize"))->trigger();
    QCOMPARE(form.Shown().RowCount(), 5);  // the cat write letter sat
    form.findChild<QToolBar*>(QStringLiteral("cbProUse"))->show();
    auto* fifth = form.findChild<QToolButton*>(QStringLiteral("tbWSLevel5"));
    auto* sixth = form.findChild<QToolButton*>(QStringLiteral("tbWSLevel6"));
    QVERIFY(fifth->isVisible() && sixth->isVisible());
    QVERIFY(!form.findChild<QToolButton*>(QStringLiteral("tbWSLevel7"))->isVisible());
    QVERIFY2(sixth->text().startsWith(QStringLiteral("L6 ")), qPrintable(sixth->text()));
    QVERIFY(sixth->mapTo(&form, QPoint(0, 0)).x() < form.findChild<QToolButton*>(QStringLiteral("tbWSOther"))->mapTo(&form, QPoint(0, 0)).x());

    QTest::mouseClick(sixth, Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(form.Shown().RowCount(), 1);
    QCOMPARE(form.Shown().WordOfRow(0), std::string_view("sat"));
    QTest::mouseClick(fifth, Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(form.Shown().RowCount(), 2);
    form.findChild<QAction*>(QStringLiteral("acSWNoEntry"))->trigger();
    form.findChild<QAction*>(QStringLiteral("acSWNoEntry"))->trigger();
    QCOMPARE(form.Shown().RowCount(), 5);
  }
};

QTEST_MAIN(LevelSetMenuTest)
#include "level_set_menu_test.moc"
