// The dictionary editor from the main window: created once, shown modally by
// acEditDic, refused during a run; its changes reach the window's dictionary
// and leave the text awaiting a new run.

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "TestSupport.h"
#include "dictionary/ConjugationDictionary.h"
#include "editor/EditorChecks.h"
#include "editor/widgets/FmEditDic.h"

using namespace lexiscoop;
using namespace lexiscoop::testing;

class EditDicWindowTest : public QObject {
  Q_OBJECT

 private:
  static QAction* EditDic(TForm1& form) { return form.findChild<QAction*>(QStringLiteral("acEditDic")); }

 private slots:
  void acEditDicShowsTheOneEditorModally() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    QAction* action = EditDic(form);
    QCOMPARE(action->text(), U("辞書(&D)"));
    QCOMPARE(action->toolTip(), U("辞書を編集"));
    QCOMPARE(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
    QVERIFY(action->isEnabled());
    const QList<TfrmEditDic*> editors = form.findChildren<TfrmEditDic*>();
    QCOMPARE(editors.size(), 1);
    TfrmEditDic* editor = editors.first();
    QVERIFY(!editor->isVisible());

    // Run once, so there are results to keep.
    form.findChild<QAction*>(QStringLiteral("acAnalize"))->trigger();
    const int distinct = form.Result().words.Count();
    const QString summary = form.StatusPanelText(0);

    int shown = 0;
    QTimer::singleShot(0, &form, [&] {
      ++shown;
      QCOMPARE(QApplication::activeModalWidget(), static_cast<QWidget*>(editor));
      QCOMPARE(editor->findChild<QTableView*>(QStringLiteral("lvDic"))->model()->rowCount(), 28);
      editor->findChild<QLineEdit*>(QStringLiteral("edInflictions"))->setText(QStringLiteral("zebra"));
      folder.dialogs.answers = {true};
      editor->findChild<QToolButton*>(QStringLiteral("tbRecord"))->click();
      editor->findChild<QToolButton*>(QStringLiteral("ToolButton3"))->click();
    });
    action->trigger();
    QCOMPARE(shown, 1);
    QVERIFY(!editor->isVisible());
    QCOMPARE(folder.dialogs.beeps, 1);
    QVERIFY(FindHeadword(*form.Dictionary().CurrentLexicon(), "zebra") >= 0);
    QVERIFY(form.AwaitingAnalysis());
    QVERIFY(form.StatusPanelText(0) != summary);
    form.findChild<QAction*>(QStringLiteral("acAnalize"))->trigger();
    QCOMPARE(form.Result().words.Count(), distinct);

    // Shown again: the same editor, listing the changed dictionary.
    QTimer::singleShot(0, &form, [&] {
      ++shown;
      QCOMPARE(editor->findChild<QTableView*>(QStringLiteral("lvDic"))->model()->rowCount(), 29);
      editor->reject();
    });
    action->trigger();
    QCOMPARE(shown, 2);
    QCOMPARE(form.findChildren<TfrmEditDic*>().size(), 1);
  }

  // The edit group at the dialog's fixed size: the steps, the boxes, their
  // captions and とじる each stand whole, one under the other, none over
  // another, the steps' text within its box.
  void everyPartOfTheEditGroupStandsWhole() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    TfrmEditDic* editor = form.findChild<TfrmEditDic*>();
    editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(editor));
    QWidget* group = editor->findChild<QWidget*>(QStringLiteral("GroupBox1"));
    QList<QWidget*> parts;
    for (const char* name : {"Memo1", "Label1", "edInflictions", "Label2", "mmInflictions", "Label3", "rgLevel",
                             "Label4", "edGloss", "Button1"}) {
      QWidget* part = group->findChild<QWidget*>(QString::fromLatin1(name));
      QVERIFY2(part != nullptr, name);
      parts << part;
    }
    for (int i = 0; i < parts.size(); ++i) {
      const QRect place = parts[i]->geometry();
      QVERIFY2(group->contentsRect().contains(place), qPrintable(parts[i]->objectName()));
      // The least height the layout may give it: its own where it has one.
      const int least = parts[i]->minimumHeight() > 0 ? parts[i]->minimumHeight() : parts[i]->minimumSizeHint().height();
      QVERIFY2(place.height() >= least, qPrintable(parts[i]->objectName()));
      if (i > 0) {
        QVERIFY2(place.top() > parts[i - 1]->geometry().bottom(), qPrintable(parts[i]->objectName()));
      }
    }
    // The steps: every line of the text inside the box.
    auto* steps = qobject_cast<QPlainTextEdit*>(parts[0]);
    QVERIFY(steps != nullptr);
    const QTextBlock last = steps->document()->findBlockByNumber(4);  // 3) 登録ボタンをクリック
    QVERIFY(last.text().startsWith(QStringLiteral("3)")));
    const QRect lastPlace = steps->cursorRect(QTextCursor(last));
    QVERIFY2(lastPlace.bottom() <= steps->viewport()->height(),
             qPrintable(QStringLiteral("%1 > %2").arg(lastPlace.bottom()).arg(steps->viewport()->height())));
    editor->hide();
  }

  void theEditorDoesNotOpenDuringARun() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    std::string text;
    for (int i = 0; i < 300000; ++i) text += "word" + std::to_string(i % 5000) + (i % 10 == 9 ? "\r\n" : " ");
    form.SetCurrentText(text);
    bool checked = false;
    QTimer::singleShot(0, &form, [&] {
      checked = form.Running();
      QVERIFY(!EditDic(form)->isEnabled());
      EditDic(form)->trigger();
      QVERIFY(!form.findChild<TfrmEditDic*>()->isVisible());
      form.findChild<QAction*>(QStringLiteral("acStopAnalize"))->trigger();
    });
    form.findChild<QAction*>(QStringLiteral("acAnalize"))->trigger();
    QVERIFY(checked);
    QVERIFY(!form.Running());
    QVERIFY(EditDic(form)->isEnabled());
  }
};

QTEST_MAIN(EditDicWindowTest)
#include "edit_dic_window_test.moc"
