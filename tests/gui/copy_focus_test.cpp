// Ctrl+C copies the selection of the widget that has the focus; the menu's
// 単語 command copies the selected words wherever the focus is.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

#include "TestSupport.h"
#include "app/ReadingPane.h"
#include "views/ShownWordList.h"
#include "views/widgets/ContextModel.h"

using namespace lexiscoop;
using namespace lexiscoop::testing;

class CopyFocusTest : public QObject {
  Q_OBJECT

 private slots:
  void ctrlCCopiesTheFocusedWidgetsSelection_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("expected");
    QTest::newRow("word list") << "lvWords" << "wife\r\n";
    QTest::newRow("report with text selected") << "mmDatas" << "<report selection>";
    QTest::newRow("report without a selection") << "mmDatas-empty" << "wife\r\n";
    QTest::newRow("context lines") << "ContextView" << "<context row>";
  }
  void ctrlCCopiesTheFocusedWidgetsSelection() {
    QFETCH(QString, focus);
    QFETCH(QString, expected);
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.SetCurrentText("The cat saw his wife.\r\nHis wife saw the dog.\r\n");
    form.findChild<QAction*>(QStringLiteral("acAnalize"))->trigger();
    auto* list = form.findChild<QTableView*>(QStringLiteral("lvWords"));
    int wifeRow = -1;
    for (int row = 0; row < form.Shown().RowCount(); ++row) {
      if (form.Shown().WordOfRow(row) == "wife") wifeRow = row;
    }
    QVERIFY(wifeRow >= 0);
    list->selectionModel()->setCurrentIndex(list->model()->index(wifeRow, 0),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));

    auto* pages = form.findChild<QTabWidget*>(QStringLiteral("pcMemo"));
    QWidget* target = list;
    if (focus.startsWith(QStringLiteral("mmDatas"))) {
      auto* report = form.findChild<QPlainTextEdit*>(QStringLiteral("mmDatas"));
      pages->setCurrentWidget(form.findChild<QWidget*>(QStringLiteral("tsDatas")));
      QTextCursor cursor = report->textCursor();
      if (focus == QStringLiteral("mmDatas")) {
        cursor.setPosition(0);
        cursor.movePosition(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
        expected = cursor.selectedText();
        QVERIFY(!expected.isEmpty());
      } else {
        cursor.clearSelection();
      }
      report->setTextCursor(cursor);
      target = report;
    } else if (focus == QStringLiteral("ContextView")) {
      pages->setCurrentWidget(form.Reading().Page());
      QTRY_VERIFY(form.Reading().Context().SearchDone());
      QTableView& context = form.Reading().ContextTable();
      QVERIFY(context.model()->rowCount() == 2);
      context.selectRow(1);
      expected = QStringLiteral("%1").arg(2, 7) + QStringLiteral("  ");
      target = &context;
    }
    target->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), target);
    QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QGuiApplication::clipboard()->text();
    if (focus == QStringLiteral("ContextView")) {
      QVERIFY2(copied.startsWith(expected) && copied.contains(QStringLiteral("wife")), qPrintable(copied));
    } else {
      QCOMPARE(copied, expected);
    }

    // The menu's command copies the words, whatever has the focus.
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    form.findChild<QAction*>(QStringLiteral("acCopyWords"))->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("wife\r\n"));
  }
};

QTEST_MAIN(CopyFocusTest)
#include "copy_focus_test.moc"
