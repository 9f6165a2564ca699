// The word list after a run: rows, sorting, selection, filters, copies,
// details and the report.

#include <QAbstractItemModelTester>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "TestSupport.h"
#include "analysis/MyParser.h"
#include "views/ShownWordList.h"

using namespace lexiscoop;
using namespace lexiscoop::testing;

class WordListTest : public QObject {
  Q_OBJECT

 private:
  static QAction* Action(TForm1& form, const char* name) {
    return form.findChild<QAction*>(QString::fromLatin1(name));
  }
  static QTableView* List(TForm1& form) { return form.findChild<QTableView*>(QStringLiteral("lvWords")); }
  static QAbstractItemModel* Model(TForm1& form) { return List(form)->model(); }
  static QString Cell(TForm1& form, int row, int column) {
    return Model(form)->index(row, column).data().toString();
  }
  static QStringList Words(TForm1& form) {
    QStringList words;
    for (int row = 0; row < Model(form)->rowCount(); ++row) words << Cell(form, row, 1);
    return words;
  }
  static void Analyze(TForm1& form, const char* text) {
    form.SetCurrentText(text);
    Action(form, "acAnalize")->trigger();
  }
  static void SelectWords(TForm1& form, const QStringList& words) {
    QItemSelectionModel* selection = List(form)->selectionModel();
    selection->clearSelection();
    for (int row = 0; row < Model(form)->rowCount(); ++row) {
      if (words.contains(Cell(form, row, 1))) {
        selection->select(Model(form)->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
      }
    }
  }
  static QStringList SelectedWords(TForm1& form) {
    QStringList words;
    for (int row = 0; row < Model(form)->rowCount(); ++row) {
      if (List(form)->selectionModel()->isRowSelected(row, QModelIndex())) words << Cell(form, row, 1);
    }
    return words;
  }
  static QToolButton* LevelButton(TForm1& form, const char* name) {
    form.findChild<QToolBar*>(QStringLiteral("cbProUse"))->show();
    return form.findChild<QToolButton*>(QString::fromLatin1(name));
  }
  static QString Clipboard() { return QGuiApplication::clipboard()->text(); }

 private slots:
  void rowsShowNumberWordCountAndPerCent() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    QAbstractItemModelTester tester(Model(form), QAbstractItemModelTester::FailureReportingMode::QtTest);
    Analyze(form, "cat cats, cats, caat\r\n");
    QCOMPARE(Words(form), (QStringList{"cat", "caat"}));
    QCOMPARE(Cell(form, 0, 0), QStringLiteral("    1"));
    QCOMPARE(Cell(form, 0, 2), QStringLiteral("3"));
    QCOMPARE(Cell(form, 0, 3), QStringLiteral("75.000"));
    QCOMPARE(Cell(form, 1, 3), QStringLiteral("25.000"));
    QCOMPARE(Model(form)->headerData(3, Qt::Horizontal).toString(), QStringLiteral("per cent"));
    QVERIFY(Model(form)->index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
    QVERIFY(!Model(form)->index(2, 1).isValid());
    QCOMPARE(form.StatusPanelText(2), U("表示単語数 2 語（66 ％）"));  // cats merged into cat
  }

  void sortFlipsTheDirectionOnEveryRequest() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Analyze(form, "dog dog dog cat wife wife\r\n");
    Action(form, "acSortNum")->trigger();
    QCOMPARE(Words(form), (QStringList{"dog", "wife", "cat"}));
    Action(form, "acSortNum")->trigger();
    QCOMPARE(Words(form), (QStringList{"cat", "wife", "dog"}));
    Action(form, "acSortABC")->trigger();
    QCOMPARE(Words(form), (QStringList{"wife", "dog", "cat"}));
    Action(form, "acSortInitial")->trigger();
    QCOMPARE(Words(form), (QStringList{"dog", "cat", "wife"}));
    // The row numbers always count from the top.
    QCOMPARE(Cell(form, 0, 0), QStringLiteral("    1"));
    QCOMPARE(Cell(form, 2, 0), QStringLiteral("    3"));
  }

  void headerClicksSortByTheirColumn() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Analyze(form, "dog dog dog cat wife wife\r\n");
    QHeaderView* header = List(form)->horizontalHeader();
    emit header->sectionClicked(3);  // per cent sorts like Number
    QCOMPARE(Words(form), (QStringList{"dog", "wife", "cat"}));
    emit header->sectionClicked(2);
    QCOMPARE(Words(form), (QStringList{"cat", "wife", "dog"}));
    emit header->sectionClicked(0);
    QCOMPARE(Words(form), (QStringList{"wife", "cat", "dog"}));
  }

  void selectedWordsStaySelectedThroughASort() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Analyze(form, "dog dog dog cat wife wife letter\r\n");
    SelectWords(form, {"cat", "letter"});
    Action(form, "acSortNum")->trigger();
    QCOMPARE(Words(form).first(), QStringLiteral("dog"));
    QCOMPARE(SelectedWords(form).size(), 2);
    QVERIFY(SelectedWords(form).contains(QStringLiteral("cat")));
    QVERIFY(SelectedWords(form).contains(QStringLiteral("letter")));
    QVERIFY(List(form)->selectionModel()->currentIndex().isValid());
  }

  void selectAllSelectsEveryRowAndCountsThem() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Analyze(form, "dog cat wife letter\r\n");
    Action(form, "acAllSelect")->trigger();
    QCOMPARE(SelectedWords(form).size(), 4);
    QCOMPARE(form.StatusPanelText(1), U("4 個選択"));
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
  }

  void copiesTakeTheSelectedRowsInShownOrder() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Analyze(form, "cat cats cats caat dog\r\n");
    SelectWords(form, {"dog", "cat", "caat"});
    Action(form, "acCopyWords")->trigger();
    QCOMPARE(Clipboard(), QStringLiteral("cat\r\ncaat\r\ndog\r\n"));
    Action(form, "acCopyWordsNum")->trigger();
    QCOMPARE(Clipboard(), QStringLiteral("cat\t3\r\ncaat\t1\r\ndog\t1\r\n"));
    List(form)->clearSelection();
    Action(form, "acCopyWords")->trigger();
    QCOMPARE(Clipboard(), QString());
  }

  void listKeysRunTheWindowCommands() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    Analyze(form, "cat dog\r\n");
    List(form)->setFocus();
    QTest::keyClick(List(form), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(SelectedWords(form).size(), 2);
    QTest::keyClick(List(form), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(Clipboard(), QStringLiteral("cat\r\ndog\r\n"));
    QTest::keyClick(List(form), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(Clipboard(), QStringLiteral("cat\t1\r\ndog\t1\r\n"));
    QCOMPARE(form.StatusPanelText(1), U("2 個選択"));
  }

  void doubleClickShowsTheDetailsOfOneWord() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Analyze(form, "caat dog\r\n");
    SelectWords(form, {"caat"});
    emit List(form)->doubleClicked(Model(form)->index(0, 1));
    QCOMPARE(folder.dialogs.informed,
             QStringList{U("----- caat -----\r\n\r\n見出し語ではありません\r\n\r\n登録語ではありません\r\n")});
    SelectWords(form, {"dog"});
    emit List(form)->doubleClicked(Model(form)->index(1, 1));
    QCOMPARE(folder.dialogs.informed.size(), 2);
    QVERIFY(folder.dialogs.informed[1].startsWith(U("----- dog -----\r\n\r\n見出し語です\r\n\r\n   活用形一覧\r\n")));
    SelectWords(form, {"caat", "dog"});
    emit List(form)->doubleClicked(Model(form)->index(0, 1));
    QCOMPARE(folder.dialogs.informed.size(), 2);  // two rows: nothing
  }

  void formButtonsChooseTheShownForm() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Analyze(form, "cat cats, cats, caat\r\n");
    QCOMPARE(form.Filter().formMode, FormMode::Original);
    Action(form, "acSWWritten")->trigger();
    QCOMPARE(Words(form), (QStringList{"cat", "cats", "caat"}));
    // The active form switches off: only words not in the dictionary remain.
    Action(form, "acSWWritten")->trigger();
    QCOMPARE(form.Filter().formMode, FormMode::None);
    QCOMPARE(Words(form), (QStringList{"caat"}));
    Action(form, "acSWNoEntry")->trigger();
    QCOMPARE(form.Filter().levelMask, LevelMask{126});
    QCOMPARE(Words(form), QStringList());
    Action(form, "acSWNoEntry")->trigger();
    QCOMPARE(form.Filter().levelMask, LevelMask{127});
    Action(form, "acSWOriginal")->trigger();
    QCOMPARE(Words(form), (QStringList{"cat", "caat"}));
  }

  void writtenFormUsesTheDictionarySpelling() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Analyze(form, "The Zebra\r\n");
    Action(form, "acSWWritten")->trigger();
    QCOMPARE(Words(form), (QStringList{"the", "Zebra"}));
  }

  void levelButtonsFollowTheirModifiers() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Analyze(form, "cat write wife zebra\r\n");
    QCOMPARE(Words(form), (QStringList{"cat", "write", "wife", "zebra"}));
    QTest::mouseClick(LevelButton(form, "tbWSBasic"), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(Words(form), (QStringList{"write", "wife", "zebra"}));
    QTest::mouseClick(LevelButton(form, "tbWSJunior"), Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(Words(form), (QStringList{"write"}));
    QCOMPARE(form.Filter().levelMask, LevelMask{4});
    // Ctrl then Shift on the same level would leave nothing: refused.
    QTest::mouseClick(LevelButton(form, "tbWSJunior"), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(folder.dialogs.informed, QStringList{U("どれかひとつは選択しする必要があります")});
    QCOMPARE(form.Filter().levelMask, LevelMask{4});
    QCOMPARE(Words(form), (QStringList{"write"}));
    QTest::mouseClick(LevelButton(form, "tbWSNone"), Qt::LeftButton, Qt::AltModifier);
    QCOMPARE(form.Filter().levelMask, LevelMask{127});
    QCOMPARE(Words(form).size(), 4);
  }

  void plainClickOpensTheLevelMenu() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.show();
    Analyze(form, "cat write wife zebra\r\n");
    QTest::mouseClick(LevelButton(form, "tbWSToUnivercity"), Qt::LeftButton);
    auto* menu = form.findChild<QMenu*>(QStringLiteral("pmWordSelector"));
    QTRY_VERIFY(menu->isVisible());
    menu->findChild<QAction*>(QStringLiteral("N10"))->trigger();
    menu->hide();
    QCOMPARE(Words(form), (QStringList{"wife"}));
    QCOMPARE(form.Filter().levelMask, LevelMask{8});
    menu->findChild<QAction*>(QStringLiteral("miWSOff"))->trigger();  // would empty the mask
    QCOMPARE(folder.dialogs.informed.size(), 1);
    menu->findChild<QAction*>(QStringLiteral("N13"))->trigger();
    QCOMPARE(form.Filter().levelMask, LevelMask{127});
    form.LevelButtonClick(kLevelBitNone, Qt::NoModifier);
    menu->findChild<QAction*>(QStringLiteral("miWSOff"))->trigger();
    QCOMPARE(form.Filter().levelMask, LevelMask{126});
    menu->hide();
  }

  void properNounChoiceKeepsOrDropsCapitals() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Analyze(form, "Thomas dog Japan\r\n");
    auto* choice = form.findChild<QComboBox*>(QStringLiteral("cbProperNoun"));
    QCOMPARE(choice->currentIndex(), -1);
    choice->setCurrentIndex(2);
    QCOMPARE(Words(form), (QStringList{"Thomas", "Japan"}));
    choice->setCurrentIndex(1);
    QCOMPARE(Words(form), (QStringList{"dog"}));
    choice->setCurrentIndex(0);
    QCOMPARE(Words(form).size(), 3);
  }

  void reportFillsTheDetailsPageAndTheClipboard() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Analyze(form, "Title line\r\ncat dog zebra\r\n");
    const QStringList memo =
        form.findChild<QPlainTextEdit*>(QStringLiteral("mmDatas"))->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(memo.size(), 37);
    QCOMPARE(memo[0], QStringLiteral(" Title line"));
    QCOMPARE(memo[1], QString(34, QLatin1Char('-')));
    QCOMPARE(memo[5], U("総数                   5 個  100 %"));

    form.findChild<QToolButton*>(QStringLiteral("ToolButton8"))->click();
    const QStringList copied = Clipboard().split(QStringLiteral("\r\n"));
    QCOMPARE(copied.size(), 38);  // 37 lines, each ended by CR LF
    QCOMPARE(copied[1], QStringLiteral("---"));
    QCOMPARE(copied[5], memo[5]);

    Action(form, "acCopyData")->trigger();
    const QStringList percent = Clipboard().split(QStringLiteral("\r\n"));
    QCOMPARE(percent[0], QStringLiteral(" Title line"));
    QCOMPARE(percent[1], QString());
    QCOMPARE(percent[5], QStringLiteral("100"));
  }

  void newTextEmptiesTheListUntilTheNextRun() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Analyze(form, "cat dog\r\n");
    SelectWords(form, {"cat"});
    form.SetCurrentText("wife\r\n");
    QCOMPARE(Model(form)->rowCount(), 0);
    QCOMPARE(form.StatusPanelText(2), QString());
    Action(form, "acCopyWords")->trigger();  // disabled: the clipboard keeps its text
    form.SortList(kSortAlphabetical);        // harmless on the hidden rows
    QCOMPARE(Model(form)->rowCount(), 0);
    Action(form, "acAnalize")->trigger();
    QCOMPARE(Words(form), (QStringList{"wife"}));
  }

  void filterCommandsWaitForARunningRebuild() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    std::string text;
    for (int i = 0; i < 60000; ++i) {
      text += 'w';
      text += std::to_string(i);
      text += i % 10 == 9 ? "\r\n" : " ";
    }
    Analyze(form, text.c_str());
    bool sawRebuild = false;
    QTimer::singleShot(0, &form, [&] {
      sawRebuild = form.Rebuilding();
      form.SetLevelMask(1);
      form.SortList(kSortAlphabetical);
      form.SetCurrentText("other\r\n");
    });
    Action(form, "acSWNoEntry")->trigger();
    QVERIFY(sawRebuild);
    QCOMPARE(form.Filter().levelMask, LevelMask{126});
    QCOMPARE(form.Shown().SortKeyValue(), int{kSortFirstAppearance});
    QCOMPARE(Model(form)->rowCount(), 0);  // all words are unknown: 126 shows none
    QVERIFY(form.Parser().FullText() != std::string_view("other\r\n"));
  }
};

QTEST_MAIN(WordListTest)
#include "word_list_test.moc"
