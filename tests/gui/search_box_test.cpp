// The word search box: suggestions, picking and jumping to the rows.

#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include "TestSupport.h"
#include "views/ShownWordList.h"

using namespace lexiscoop;
using namespace lexiscoop::testing;

class SearchBoxTest : public QObject {
  Q_OBJECT

 private:
  struct Window {
    ProgramFolder folder;
    TForm1 form{folder.Options()};
    QLineEdit* edit = nullptr;
    QListWidget* menu = nullptr;
    QTableView* list = nullptr;

    // Shows the window with `text` analysed in the written form.
    explicit Window(const char* text) {
      form.show();
      form.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&form));
      form.SetCurrentText(text);
      form.findChild<QAction*>(QStringLiteral("acAnalize"))->trigger();
      form.SetFormMode(FormMode::Written);
      edit = form.findChild<QLineEdit*>(QStringLiteral("edWord"));
      menu = form.findChild<QListWidget*>(QStringLiteral("lbWordsMenu"));
      list = form.findChild<QTableView*>(QStringLiteral("lvWords"));
      edit->setFocus();
    }
    QStringList Offered() const {
      QStringList words;
      for (int i = 0; i < menu->count(); ++i) words << menu->item(i)->text();
      return words;
    }
    QStringList Selected() const {
      QStringList words;
      for (const QModelIndex& index : list->selectionModel()->selectedRows(1)) words << index.data().toString();
      return words;
    }
  };

 private slots:
  void prefixOffersSortedWordsAndEnterSelectsThePick() {
    Window w("cat cats, cats, caat dog\r\n");
    QTest::keyClicks(w.edit, QStringLiteral("ca"));
    QVERIFY(w.menu->isVisible());
    QCOMPARE(w.Offered(), (QStringList{"caat", "cat", "cats"}));
    QCOMPARE(w.menu->currentRow(), 0);
    QCOMPARE(w.edit->cursorPosition(), 2);
    QVERIFY(!w.edit->hasSelectedText());
    QCOMPARE(w.menu->width(), 200);
    QVERIFY(w.menu->y() >= w.edit->mapToGlobal(QPoint(0, w.edit->height())).y());

    QTest::keyClick(w.edit, Qt::Key_Down);
    QCOMPARE(w.menu->currentRow(), 1);
    QTest::keyClick(w.edit, Qt::Key_Up);
    QTest::keyClick(w.edit, Qt::Key_Up);  // stays on the first
    QCOMPARE(w.menu->currentRow(), 0);
    QTest::keyClick(w.edit, Qt::Key_Return);
    QVERIFY(!w.menu->isVisible());
    QCOMPARE(w.Selected(), QStringList{"caat"});
    QVERIFY(w.list->hasFocus());
  }

  void jumpKeepsRowsAlreadySelected() {
    Window w("cat dog wife\r\n");
    w.list->selectionModel()->select(w.list->model()->index(1, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    w.edit->setFocus();
    QTest::keyClicks(w.edit, QStringLiteral("w"));
    QTest::keyClick(w.edit, Qt::Key_Enter);
    QCOMPARE(w.Selected().size(), 2);
    QVERIFY(w.Selected().contains(QStringLiteral("dog")));
    QVERIFY(w.Selected().contains(QStringLiteral("wife")));
  }

  void searchIgnoresLetterCaseAndBlanks() {
    Window w("the Dog cat\r\n");
    w.edit->setText(QStringLiteral("  DO "));
    QCOMPARE(w.Offered(), QStringList{"dog"});
    w.edit->setText(QStringLiteral("DO"));
    w.menu->setCurrentRow(0);
    QTest::keyClick(w.edit, Qt::Key_Return);
    QCOMPARE(w.Selected(), QStringList{"dog"});
  }

  // Every letter typed stays, the caret at the end, whether the prefix
  // matches many words, one or none; Enter still selects the match.
  void typedLettersStayWhateverTheMatches_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("offered");
    QTest::newRow("one match on the way") << "home homeworld cat" << "homeworld" << QStringList{"homeworld"};
    QTest::newRow("one match from the first letter") << "the Dog cat" << "dog" << QStringList{"dog"};
    QTest::newRow("many, then one") << "cat cats caat" << "cats" << QStringList{"cats"};
    QTest::newRow("one, then none") << "dog cat" << "dox" << QStringList{};
  }
  void typedLettersStayWhateverTheMatches() {
    QFETCH(QString, text);
    QFETCH(QString, typed);
    QFETCH(QStringList, offered);
    Window w(qPrintable(text + QStringLiteral("\r\n")));
    QTest::keyClicks(w.edit, typed);
    QCOMPARE(w.edit->text(), typed);
    QVERIFY(!w.edit->hasSelectedText());
    QCOMPARE(w.edit->cursorPosition(), typed.size());
    QCOMPARE(w.Offered(), offered);
    QTest::keyClick(w.edit, Qt::Key_Return);
    QCOMPARE(w.Selected(), offered);
  }

  void noMatchShowsAnEmptyListThatEnterHides() {
    Window w("cat dog\r\n");
    QTest::keyClicks(w.edit, QStringLiteral("zz"));
    QVERIFY(w.menu->isVisible());
    QCOMPARE(w.menu->count(), 0);
    QTest::keyClick(w.edit, Qt::Key_Return);
    QVERIFY(!w.menu->isVisible());
    QVERIFY(w.Selected().isEmpty());
  }

  void blankTextLeavesTheWindowAsItWas() {
    Window w("cat dog\r\n");
    QTest::keyClicks(w.edit, QStringLiteral("c"));
    QVERIFY(w.menu->isVisible());
    w.edit->setText(QStringLiteral("   "));
    QVERIFY(w.menu->isVisible());
    QCOMPARE(w.menu->count(), 0);
  }

  void escapeAndListClicksHideTheSuggestions() {
    Window w("cat cats\r\n");
    QTest::keyClicks(w.edit, QStringLiteral("ca"));
    QVERIFY(w.menu->isVisible());
    QTest::keyClick(w.edit, Qt::Key_Escape);
    QVERIFY(!w.menu->isVisible());
    QTest::keyClicks(w.edit, QStringLiteral("t"));
    QVERIFY(w.menu->isVisible());
    QTest::mouseClick(w.list->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QVERIFY(!w.menu->isVisible());
  }

  void typingStaysInTheBoxWhileThePopupShows() {
    Window w("cat cats caat dog\r\n");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C);
    QVERIFY(w.menu->isVisible());
    QCOMPARE(QApplication::focusWidget(), w.edit);
    QCOMPARE(QApplication::activeWindow(), &w.form);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_T);
    QCOMPARE(w.edit->text(), QStringLiteral("cat"));
    QCOMPARE(w.Offered(), (QStringList{"cat", "cats"}));
  }

  void pickFollowsTheMouse() {
    Window w("cat cats caat\r\n");
    QTest::keyClicks(w.edit, QStringLiteral("ca"));
    QCOMPARE(w.menu->currentRow(), 0);
    const QRect third = w.menu->visualItemRect(w.menu->item(2));
    QVERIFY(w.menu->viewport()->rect().contains(third));  // every entry fits
    // A move without a button, as the pointer passes over the list.
    QMouseEvent move(QEvent::MouseMove, third.center(), w.menu->viewport()->mapToGlobal(third.center()),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.menu->viewport(), &move);
    QCOMPARE(w.menu->currentRow(), 2);
    QTest::mouseClick(w.menu->viewport(), Qt::LeftButton, Qt::NoModifier, third.center());
    QCOMPARE(w.Selected(), QStringList{"cats"});
  }

  void leftPressOnAnEmptySpotOfABarHidesTheSuggestions() {
    Window w("cat cats\r\n");
    w.form.resize(1800, 500);
    auto* bar = w.form.findChild<QWidget*>(QStringLiteral("cbWordsSel"));
    QTRY_VERIFY(bar->width() > 1500);
    const QPoint empty(bar->width() - 5, bar->height() / 2);
    QVERIFY(bar->childAt(empty) == nullptr);
    QTest::keyClicks(w.edit, QStringLiteral("ca"));
    QVERIFY(w.menu->isVisible());
    QTest::mousePress(bar, Qt::RightButton, Qt::NoModifier, empty);
    QVERIFY(w.menu->isVisible());
    // The left button starts moving the window, and the suggestions go.
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, empty);
    QVERIFY(!w.menu->isVisible());
    // A press on a button is the button's.
    QTest::keyClicks(w.edit, QStringLiteral("t"));
    QVERIFY(w.menu->isVisible());
    QTest::mouseClick(w.form.findChild<QToolButton*>(QStringLiteral("ToolButton40")), Qt::LeftButton);
    QCOMPARE(w.form.Shown().SortKeyValue(), int{kSortAlphabetical});
  }

  void clickingASuggestionJumpsToIt() {
    Window w("cat cats caat\r\n");
    QTest::keyClicks(w.edit, QStringLiteral("cat"));
    QCOMPARE(w.Offered(), (QStringList{"cat", "cats"}));
    QListWidgetItem* cats = w.menu->item(1);
    w.menu->setCurrentItem(cats);
    emit w.menu->itemClicked(cats);
    QCOMPARE(w.Selected(), QStringList{"cats"});
    QVERIFY(!w.menu->isVisible());
  }
};

QTEST_MAIN(SearchBoxTest)
#include "search_box_test.moc"
