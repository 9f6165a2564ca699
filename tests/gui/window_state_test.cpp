// What the window offers as current: the selection count in the status bar
// after every kind of selection change, and the results after the dictionary
// they were classified with has changed.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

#include "TestSupport.h"
#include "analysis/MyParser.h"
#include "dictionary/CompressStringList.h"
#include "dictionary/ConjugationDictionary.h"
#include "editor/widgets/FmEditDic.h"
#include "ui/ElidingLabel.h"
#include "views/widgets/WordListModel.h"

using namespace lexiscoop;
using namespace lexiscoop::testing;

class WindowStateTest : public QObject {
  Q_OBJECT

 private:
  static QAction* Action(TForm1& form, const char* name) {
    return form.findChild<QAction*>(QString::fromLatin1(name));
  }
  static QTableView* List(TForm1& form) { return form.findChild<QTableView*>(QStringLiteral("lvWords")); }
  static QPoint RowPoint(TForm1& form, int row) {
    return List(form)->visualRect(List(form)->model()->index(row, 1)).center();
  }
  static void Click(TForm1& form, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(List(form)->viewport(), Qt::LeftButton, modifiers, RowPoint(form, row));
  }
  static QString Count(int n) { return QString::number(n) + U(" 個選択"); }
  // The level shown for `word` in the list, or an empty string.
  static QString LevelOf(TForm1& form, const QString& word) {
    QAbstractItemModel* model = List(form)->model();
    for (int row = 0; row < model->rowCount(); ++row) {
      if (model->index(row, 1).data().toString() == word) return model->index(row, WordListModel::kLevelColumn).data().toString();
    }
    return {};
  }
  // Opens the editor and runs `edit` in it; the editor is closed after.
  static void InEditor(TForm1& form, const std::function<void(TfrmEditDic&)>& edit) {
    bool ran = false;
    QTimer::singleShot(0, &form, [&] {
      TfrmEditDic* editor = form.findChild<TfrmEditDic*>();
      edit(*editor);
      editor->reject();
      ran = true;
    });
    Action(form, "acEditDic")->trigger();
    QVERIFY(ran);
  }
  static void ExpectAwaitingAnalysis(TForm1& form) {
    QVERIFY(form.AwaitingAnalysis());
    QVERIFY(Action(form, "acAnalize")->isEnabled());
    // Nothing of the old run is offered: no list, no report to copy, no
    // summary in the status bar.
    QCOMPARE(List(form)->model()->rowCount(), 0);
    QVERIFY(!form.findChild<QToolButton*>(QStringLiteral("ToolButton8"))->isEnabled());
    QVERIFY(!Action(form, "acCopyData")->isEnabled());
    QVERIFY(!Action(form, "acExport")->isEnabled());
    QCOMPARE(form.StatusPanelText(0), QString::number(form.Parser().ByteCount()) + U(" ﾊﾞｲﾄ"));
  }

 private slots:
  // A status line longer than its panel, as the zero-byte notice makes it
  // in a small window, is cut short with its whole text in the tooltip.
  void aLongStatusLineShowsWholeInItsTooltip() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.resize(743, 500);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.SetCurrentText(std::string("The cat saw the dog in the old garden.\r\n\0the rest", 50));
    Action(form, "acAnalize")->trigger();
    auto* panel = form.findChild<ElidingLabel*>(QStringLiteral("StatusPanel0"));
    QVERIFY(panel != nullptr);
    QVERIFY(panel->text().endsWith(U("残り 9 バイトは数えていません")));
    QTRY_VERIFY(panel->Elided());
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), panel->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(panel, &help);
    QTRY_COMPARE(QToolTip::text(), panel->text());
    form.resize(1600, 1000);
    QTRY_VERIFY(!panel->Elided());
  }

  void selectionCountFollowsEverySelectionChange() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.resize(900, 600);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.SetCurrentText("cat dog wife letter run\r\n");
    Action(form, "acAnalize")->trigger();
    QCOMPARE(List(form)->model()->rowCount(), 5);

    Click(form, 0);
    QCOMPARE(form.StatusPanelText(1), Count(1));
    Click(form, 2, Qt::ShiftModifier);
    QCOMPARE(form.StatusPanelText(1), Count(3));
    // A plain click inside the selection leaves one row.
    Click(form, 1);
    QCOMPARE(form.StatusPanelText(1), Count(1));
    Click(form, 3, Qt::ControlModifier);
    QCOMPARE(form.StatusPanelText(1), Count(2));
    Click(form, 3, Qt::ControlModifier);
    QCOMPARE(form.StatusPanelText(1), Count(1));

    // Keys: the count is right while the key is still down.
    Click(form, 0);
    List(form)->setFocus();
    QTest::keyPress(List(form), Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(form.StatusPanelText(1), Count(2));
    QTest::keyRelease(List(form), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyPress(List(form), Qt::Key_Down);
    QCOMPARE(form.StatusPanelText(1), Count(1));
    QTest::keyRelease(List(form), Qt::Key_Down);

    Action(form, "acAllSelect")->trigger();
    QCOMPARE(form.StatusPanelText(1), Count(5));

    // Changes made by the program itself.
    List(form)->selectionModel()->clearSelection();
    QCOMPARE(form.StatusPanelText(1), Count(0));
    List(form)->selectionModel()->select(List(form)->model()->index(4, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(form.StatusPanelText(1), Count(1));
    List(form)->selectRow(2);
    QCOMPARE(form.StatusPanelText(1), Count(1));
  }

  void recordingInTheEditorMakesTheTextAwaitAnalysis() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.SetCurrentText("zebra cat\r\n");
    Action(form, "acAnalize")->trigger();
    QCOMPARE(LevelOf(form, QStringLiteral("zebra")), U("未登録"));
    const QString report = form.findChild<QPlainTextEdit*>(QStringLiteral("mmDatas"))->toPlainText();

    InEditor(form, [&](TfrmEditDic& editor) {
      editor.findChild<QLineEdit*>(QStringLiteral("edInflictions"))->setText(QStringLiteral("zebra"));
      editor.findChild<QRadioButton*>(QStringLiteral("rgLevel2"))->setChecked(true);
      folder.dialogs.answers = {true};
      editor.findChild<QToolButton*>(QStringLiteral("tbRecord"))->click();
    });
    ExpectAwaitingAnalysis(form);

    // The next run uses the changed dictionary.
    Action(form, "acAnalize")->trigger();
    QVERIFY(!form.AwaitingAnalysis());
    QCOMPARE(LevelOf(form, QStringLiteral("zebra")), U("中学"));
    QVERIFY(form.findChild<QPlainTextEdit*>(QStringLiteral("mmDatas"))->toPlainText() != report);
  }

  void deletingInTheEditorMakesTheTextAwaitAnalysis() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.SetCurrentText("cat dog\r\n");
    Action(form, "acAnalize")->trigger();
    QCOMPARE(LevelOf(form, QStringLiteral("dog")), U("基本"));

    InEditor(form, [&](TfrmEditDic& editor) {
      editor.findChild<QLineEdit*>(QStringLiteral("edInflictions"))->setText(QStringLiteral("dog"));
      folder.dialogs.answers = {true};
      editor.findChild<QToolButton*>(QStringLiteral("tbDelete"))->click();
    });
    QVERIFY(form.Dictionary().CurrentLexicon() != nullptr);
    ExpectAwaitingAnalysis(form);
    Action(form, "acAnalize")->trigger();
    QCOMPARE(LevelOf(form, QStringLiteral("dog")), U("未登録"));
  }

  void editorClosedWithoutAChangeKeepsTheResults() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.SetCurrentText("cat dog\r\n");
    Action(form, "acAnalize")->trigger();
    const QString summary = form.StatusPanelText(0);
    InEditor(form, [](TfrmEditDic&) {});
    QVERIFY(!form.AwaitingAnalysis());
    QVERIFY(!Action(form, "acAnalize")->isEnabled());
    QCOMPARE(form.StatusPanelText(0), summary);
    QCOMPARE(List(form)->model()->rowCount(), 2);
  }

  void dictionaryChangedByAnotherProgramMakesTheTextAwaitAnalysis() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.SetCurrentText("zebra cat\r\n");
    Action(form, "acAnalize")->trigger();
    QCOMPARE(LevelOf(form, QStringLiteral("zebra")), U("未登録"));

    // Another program adds the word; the window sees it when it is
    // activated again.
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    TCompressStringList user;
    user.Add("zebra\ts");
    user.SaveToFile(QFile::encodeName(folder.FilePath(QStringLiteral("myLxScoop.dat"))).toStdString());
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTRY_VERIFY(form.AwaitingAnalysis());
    ExpectAwaitingAnalysis(form);
    Action(form, "acAnalize")->trigger();
    QCOMPARE(LevelOf(form, QStringLiteral("zebra")), U("その他"));
  }
};

QTEST_MAIN(WindowStateTest)
#include "window_state_test.moc"
