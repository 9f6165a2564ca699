// Every command of the main window can be reached at every window size down
// to the minimum: each item of every bar is in sight or behind its bar's
// extension button (»), every menu of the menu bar is in sight or behind the
// menu bar's extension, and the choices of the level bar, which starts
// hidden, are in the 表示 menu too. At the default size nothing is cut short.

#include <QAction>
#include <QHash>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "TestSupport.h"
#include "app/WindowSettings.h"
#include "views/ShownWordList.h"
#include "views/widgets/WordListModel.h"
#include "views/WordListFilter.h"

using namespace lexiscoop;
using namespace lexiscoop::testing;

namespace {

// The bar's extension button; null when the bar has none.
QToolButton* Extension(QWidget* bar, const char* name) {
  return bar->findChild<QToolButton*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

// True when all of `widget` lies inside the visible part of `window`.
bool WhollyInSight(const QWidget* widget, const QWidget* window) {
  if (!widget->isVisible()) return false;
  const QRect area(widget->mapTo(window, QPoint(0, 0)), widget->size());
  return window->rect().contains(area);
}

// Every action the menus of `bar` hold, sub-menus included.
void MenuActions(const QMenu* menu, QList<QAction*>& actions) {
  for (QAction* action : menu->actions()) {
    if (action->isSeparator()) continue;
    actions << action;
    if (action->menu() != nullptr) MenuActions(action->menu(), actions);
  }
}

// The letter after & in `text` (lower case), or none.
QChar Mnemonic(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != QLatin1Char('&')) continue;
    if (text[i + 1] != QLatin1Char('&')) return text[i + 1].toLower();
    ++i;
  }
  return {};
}

// Fails where two entries of one menu (or of the menu bar) share an
// access key: the key then only moves between them.
void ExpectDistinctMnemonics(const QList<QAction*>& entries, const QString& where) {
  QHash<QChar, QString> seen;
  for (const QAction* action : entries) {
    if (action->isSeparator() || !action->isVisible()) continue;
    const QChar key = Mnemonic(action->text());
    if (key.isNull()) continue;
    QVERIFY2(!seen.contains(key), qPrintable(where + QStringLiteral(": ") + seen.value(key) + QStringLiteral(" / ") + action->text()));
    seen.insert(key, action->text());
    if (action->menu() != nullptr) ExpectDistinctMnemonics(action->menu()->actions(), action->text());
  }
}

}  // namespace

class ReachabilityTest : public QObject {
  Q_OBJECT

 private:
  static QAction* Action(TForm1& form, const char* name) {
    return form.findChild<QAction*>(QString::fromLatin1(name));
  }
  static QMenu* ViewMenu(TForm1& form) {
    for (QAction* action : form.menuBar()->actions()) {
      if (action->text().startsWith(U("表示"))) return action->menu();
    }
    return nullptr;
  }

  // Checks every bar item and every menu of `form` at its present size.
  static void CheckEveryCommandReachable(TForm1& form) {
    QCoreApplication::processEvents();
    const QString size = QStringLiteral("%1x%2").arg(form.width()).arg(form.height());
    for (QToolBar* bar : form.findChildren<QToolBar*>()) {
      if (bar->isHidden()) {
        // A hidden bar: the 表示 menu shows it.
        QAction* show = Action(form, "acShowLevelBar");
        QVERIFY2(bar->objectName() == QLatin1String("cbProUse") && show != nullptr, qPrintable(bar->objectName()));
        QList<QAction*> inMenus;
        MenuActions(ViewMenu(form), inMenus);
        QVERIFY(inMenus.contains(show));
        continue;
      }
      QVERIFY2(WhollyInSight(bar, &form) || form.rect().intersects(QRect(bar->pos(), bar->size())),
               qPrintable(bar->objectName()));
      QToolButton* more = Extension(bar, "qt_toolbar_ext_button");
      const bool overflow = more != nullptr && more->isVisible() && WhollyInSight(more, &form);
      for (QAction* action : bar->actions()) {
        // An item hidden on purpose (the buttons of levels the set lacks) is no command.
        if (action->isSeparator() || !action->isVisible()) continue;
        QWidget* item = bar->widgetForAction(action);
        QVERIFY(item != nullptr);
        QVERIFY2(WhollyInSight(item, &form) || (overflow && item->isHidden()),
                 qPrintable(size + QLatin1Char(' ') + bar->objectName() + QLatin1Char(' ') + item->objectName()));
      }
    }
    QMenuBar* menus = form.menuBar();
    QVERIFY(WhollyInSight(menus, &form));
    QToolButton* moreMenus = Extension(menus, "qt_menubar_ext_button");
    const bool menuOverflow = moreMenus != nullptr && moreMenus->isVisible();
    for (QAction* action : menus->actions()) {
      const QRect place = menus->actionGeometry(action);
      QVERIFY2(menus->rect().contains(place) || menuOverflow, qPrintable(size + QLatin1Char(' ') + action->text()));
    }
  }

  static void Analyze(TForm1& form, const char* text) {
    form.SetCurrentText(text);
    Action(form, "acAnalize")->trigger();
  }

 private slots:
  void everyCommandIsReachableAtTheMinimumAndTheDefaultSize() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    Analyze(form, "cat dog Thomas wrote\r\n");
    const QSize minimum = form.minimumSize();
    QVERIFY(minimum.width() >= form.minimumSizeHint().width());
    QVERIFY(minimum.height() >= form.minimumSizeHint().height());
    // The smallest window is small enough for any screen.
    QVERIFY2(minimum.width() <= 480 && minimum.height() <= 360,
             qPrintable(QStringLiteral("%1x%2").arg(minimum.width()).arg(minimum.height())));
    for (const QSize size : {minimum, QSize(kDesignWidth, 500), QSize(kDesignWidth, minimum.height())}) {
      form.resize(size);
      QTRY_COMPARE(form.size(), size);
      CheckEveryCommandReachable(form);
      Action(form, "acShowLevelBar")->setChecked(true);
      CheckEveryCommandReachable(form);
      Action(form, "acShowLevelBar")->setChecked(false);
    }
    ExpectDistinctMnemonics(form.menuBar()->actions(), QStringLiteral("menu bar"));
  }

  void theExtensionShowsTheItemsThatDoNotFit() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    Analyze(form, "cat dog\r\n");
    form.resize(form.minimumSize());
    auto* bar = form.findChild<QToolBar*>(QStringLiteral("cbWordsSel"));
    auto* original = form.findChild<QToolButton*>(QStringLiteral("ToolButton30"));
    QTRY_VERIFY(original->isHidden());
    QToolButton* more = Extension(bar, "qt_toolbar_ext_button");
    QVERIFY(more->isVisible() && more->isEnabled());
    more->click();
    // The bar opens downwards: the button is whole and in sight.
    QTRY_VERIFY(WhollyInSight(original, &form));
    QVERIFY(QRect(QPoint(0, 0), bar->size()).contains(QRect(original->mapTo(bar, QPoint(0, 0)), original->size())));
    // Usable from there.
    original->click();
    QCOMPARE(form.Filter().formMode, FormMode::None);
  }

  void viewMenuHoldsEveryFilterInStepWithTheBars() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    QMenu* view = ViewMenu(form);
    QVERIFY(view != nullptr);
    QList<QAction*> entries;
    MenuActions(view, entries);
    for (const char* name : {"acSWOriginal", "acSWEntries", "acSWWritten", "acSWNoEntry", "miLevel1", "miLevel2",
                             "miLevel3", "miLevel5", "miLevel6", "miLevel0", "miAllLevels", "miProperNoun0",
                             "miProperNoun1", "miProperNoun2", "acShowLevelBar"}) {
      QVERIFY2(entries.contains(Action(form, name)), name);
    }
    // Nothing to filter before a run.
    QVERIFY(!Action(form, "miLevel1")->isEnabled());
    QVERIFY(!Action(form, "miProperNoun1")->isEnabled());

    Analyze(form, "cat dog wife Thomas wrote\r\n");
    QVERIFY(Action(form, "acSWOriginal")->isChecked());
    QVERIFY(!Action(form, "acSWEntries")->isChecked());
    QVERIFY(Action(form, "miLevel1")->isEnabled() && Action(form, "miLevel1")->isChecked());
    // No General list in the fixture.
    QVERIFY(!Action(form, "miLevel5")->isEnabled());
    QVERIFY(Action(form, "miProperNoun0")->isChecked());

    // The menu entry filters like the button, and both show it.
    const int rows = form.Shown().RowCount();
    Action(form, "miLevel1")->trigger();
    QVERIFY(!HasLevelBit(form.Filter().levelMask, kLevelBitBasic));
    QVERIFY(!Action(form, "miLevel1")->isChecked());
    QVERIFY(form.Shown().RowCount() < rows);
    form.LevelButtonClick(kLevelBitBasic, Qt::ShiftModifier);
    QVERIFY(Action(form, "miLevel1")->isChecked());
    QCOMPARE(form.Shown().RowCount(), rows);

    // Only 未登録 left, then an attempt to turn it off too is refused with
    // the message, and the check stays.
    form.SetLevelMask(LevelBit(kLevelBitNone));
    QVERIFY(Action(form, "miLevel0")->isChecked());
    QVERIFY(Action(form, "acSWNoEntry")->isChecked());
    Action(form, "miLevel0")->trigger();
    QCOMPARE(folder.dialogs.informed.size(), 1);
    QVERIFY(Action(form, "miLevel0")->isChecked());
    Action(form, "miAllLevels")->trigger();
    QCOMPARE(form.Filter().levelMask, kAllLevels);
    QVERIFY(Action(form, "miLevel3")->isChecked());

    // The form choice from the menu and from the bar.
    Action(form, "acSWEntries")->trigger();
    QCOMPARE(form.Filter().formMode, FormMode::Headword);
    QVERIFY(Action(form, "acSWEntries")->isChecked());
    QVERIFY(!Action(form, "acSWOriginal")->isChecked());
    form.SetFormMode(FormMode::Written);
    QVERIFY(Action(form, "acSWWritten")->isChecked());
    QVERIFY(!Action(form, "acSWEntries")->isChecked());

    // The proper-noun choice from the menu moves the box, and back.
    auto* nouns = form.findChild<QComboBox*>(QStringLiteral("cbProperNoun"));
    Action(form, "miProperNoun2")->trigger();
    QCOMPARE(nouns->currentIndex(), 2);
    QCOMPARE(form.Filter().properNoun, ProperNounChoice::ProperOnly);
    nouns->setCurrentIndex(1);
    QVERIFY(Action(form, "miProperNoun1")->isChecked());
    QVERIFY(!Action(form, "miProperNoun2")->isChecked());
  }

  void levelBarStartsHiddenAndIsRemembered() {
    ProgramFolder folder;
    {
      TForm1 form(folder.Options());
      auto* bar = form.findChild<QToolBar*>(QStringLiteral("cbProUse"));
      QVERIFY(bar->isHidden());
      QVERIFY(!Action(form, "acShowLevelBar")->isChecked());
      Action(form, "acShowLevelBar")->trigger();
      QVERIFY(!bar->isHidden());
      form.close();
    }
    QVERIFY(folder.ReadSettings().find("ShowLevelBar=1\r\n") != std::string::npos);
    {
      TForm1 form(folder.Options());
      QVERIFY(!form.findChild<QToolBar*>(QStringLiteral("cbProUse"))->isHidden());
      QVERIFY(Action(form, "acShowLevelBar")->isChecked());
      form.findChild<QAction*>(QStringLiteral("acShowLevelBar"))->trigger();
      form.close();
    }
    TForm1 form(folder.Options());
    QVERIFY(form.findChild<QToolBar*>(QStringLiteral("cbProUse"))->isHidden());
  }

  void noCaptionIsCutShort() {
    ProgramFolder folder(false);  // no dictionary: the level bar stays shown
    TForm1 form(folder.Options());
    form.resize(1600, 600);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (QToolBar* bar : form.findChildren<QToolBar*>()) {
      for (QToolButton* button : bar->findChildren<QToolButton*>()) {
        if (button->text().isEmpty() || button->objectName().startsWith(QLatin1String("qt_"))) continue;
        const int needed = button->fontMetrics().horizontalAdvance(button->text()) + 4;
        QVERIFY2(button->width() >= needed, qPrintable(button->objectName() + QLatin1Char(' ') + button->text()));
      }
    }
  }

  void wordListAndStatusBarFitAtTheDefaultSize() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.resize(kDesignWidth, 500);
    Analyze(form, "cat dog wife Thomas wrote\r\n");
    QCoreApplication::processEvents();
    // The word list shows every column, the glosses too, without
    // scrolling sideways.
    auto* list = form.findChild<QTableView*>(QStringLiteral("lvWords"));
    QHeaderView* header = list->horizontalHeader();
    QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
    for (int column = 0; column < header->count(); ++column) {
      if (list->isColumnHidden(column)) continue;
      const int left = header->sectionViewportPosition(column);
      QVERIFY2(left >= 0 && left + 20 <= list->viewport()->width(), qPrintable(QString::number(column)));
    }
    // The selection count and the list's count show their whole texts
    // (panel 0 ends where the text pane ends).
    for (int panel = 1; panel < 3; ++panel) {
      auto* label = form.statusBar()->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(panel));
      const int needed = label->fontMetrics().horizontalAdvance(label->text());
      QVERIFY2(label->contentsRect().width() >= needed, qPrintable(label->text()));
    }
    // With the text pane at its narrowest, the summary still shows whole:
    // the panel reaches past the pane where the others leave it room.
    auto* splitter = form.findChild<QSplitter*>(QStringLiteral("Splitter1"));
    splitter->setSizes({0, splitter->width()});
    QCoreApplication::processEvents();
    QVERIFY(form.findChild<QWidget*>(QStringLiteral("pcMemo"))->width() <= 210);
    for (int panel = 0; panel < 3; ++panel) {
      auto* label = form.statusBar()->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(panel));
      const int needed = label->fontMetrics().horizontalAdvance(label->text());
      QVERIFY2(label->contentsRect().width() >= needed, qPrintable(label->text()));
    }
  }
};

QTEST_MAIN(ReachabilityTest)
#include "reachability_test.moc"
