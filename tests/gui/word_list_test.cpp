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
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QLabel>
#include <QtTest>

#include "TestSupport.h"
#include "app/ImageList.h"
#include "analysis/MyParser.h"
#include "dictionary/CompressStringList.h"
#include "dictionary/GlossTable.h"
#include "views/ShownWordList.h"
#include "views/widgets/WordListModel.h"

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

  void perCentDividesByAllCountedWords() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    std::string text = "cat cat cat\r\n";
    for (int i = 0; i < 1231; ++i) text += i % 10 == 9 ? "dog\r\n" : "dog ";
    Analyze(form, text.c_str());
    QCOMPARE(form.Result().tokenCount, 1234);
    QCOMPARE(Words(form), (QStringList{"cat", "dog"}));
    QCOMPARE(Cell(form, 0, 2), QStringLiteral("3"));
    QCOMPARE(Cell(form, 0, 3), QStringLiteral("0.243"));
    QCOMPARE(Cell(form, 1, 2), QStringLiteral("1231"));  // no separators in Number
    QCOMPARE(Cell(form, 1, 3), QStringLiteral("99.757"));
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
             QStringList{U("----- caat -----\r\n\r\n見出し語ではありません\r\n\r\n登録語ではありません\r\n\r\n"
                           "レベル: 未登録\r\n出現数: 1\r\n")});
    SelectWords(form, {"dog"});
    emit List(form)->doubleClicked(Model(form)->index(1, 1));
    QCOMPARE(folder.dialogs.informed.size(), 2);
    QCOMPARE(folder.dialogs.informed[1], U("----- dog -----\r\n\r\n見出し語です\r\n\r\n   活用形一覧\r\ndog, dogs\r\n\r\n"
                                           "登録語です\r\n\r\n   見出し語一覧\r\ndog\r\n\r\nレベル: 基本\r\n出現数: 1\r\n"));
    SelectWords(form, {"caat", "dog"});
    emit List(form)->doubleClicked(Model(form)->index(0, 1));
    QCOMPARE(folder.dialogs.informed.size(), 2);  // two rows: nothing
  }

  // A headword used as several parts of speech shows its first group with
  // its label in the column, and every group in the tooltip and details.
  void glossColumnShowsTheHeadwordsGlossesAndCanBeHidden() {
    ProgramFolder folder;
    TCompressStringList glosses;
    glosses.LoadText(Sjis("#LxGloss 2\r\ndog\t名 犬 / 動 つけ回す\r\nwrite\t書く; 記す\r\n"));
    QVERIFY(glosses.SaveToFile(folder.FilePath(U(kShippedGlossFile)).toStdString()).ok());
    TForm1 form(folder.Options());
    QAbstractItemModelTester tester(Model(form), QAbstractItemModelTester::FailureReportingMode::QtTest);
    Analyze(form, "dog dogs wrote caat\r\n");
    QCOMPARE(Model(form)->headerData(5, Qt::Horizontal).toString(), U("訳語"));
    QCOMPARE(Words(form), (QStringList{"dog", "write", "caat"}));
    QCOMPARE(Cell(form, 0, 5), U("名 犬"));
    QCOMPARE(Model(form)->index(0, 5).data(Qt::ToolTipRole).toString(), U("名 犬 / 動 つけ回す"));
    QCOMPARE(Cell(form, 1, 5), U("書く; 記す"));  // wrote counts for write
    QCOMPARE(Cell(form, 2, 5), QString());
    // A click on its header sorts nothing.
    emit List(form)->horizontalHeader()->sectionClicked(5);
    QCOMPARE(Words(form), (QStringList{"dog", "write", "caat"}));
    // 表示 → 訳語 hides and shows the column.
    QAction* show = Action(form, "acShowGloss");
    QVERIFY(show->isCheckable() && show->isChecked());
    QVERIFY(!List(form)->isColumnHidden(5));
    show->trigger();
    QVERIFY(List(form)->isColumnHidden(5));
    show->trigger();
    QVERIFY(!List(form)->isColumnHidden(5));
    // The details end with the glosses, every group.
    SelectWords(form, {"write"});
    emit List(form)->doubleClicked(Model(form)->index(1, 1));
    QCOMPARE(folder.dialogs.informed.size(), 1);
    QVERIFY2(folder.dialogs.informed[0].endsWith(U("write\r\n\r\nレベル: 中学\r\n出現数: 1\r\n訳語: 書く; 記す\r\n")),
             qPrintable(folder.dialogs.informed[0]));
    SelectWords(form, {"dog"});
    emit List(form)->doubleClicked(Model(form)->index(0, 1));
    QCOMPARE(folder.dialogs.informed.size(), 2);
    QVERIFY2(folder.dialogs.informed[1].endsWith(U("\r\n訳語: 名 犬 / 動 つけ回す\r\n")),
             qPrintable(folder.dialogs.informed[1]));
  }

  // The 訳語 column at a first start fits the list's share of the window,
  // so the list needs no sideways scrolling; a gloss longer than the column
  // is elided, whole in its tooltip. The width follows the window until
  // the user gives the column one, which the settings keep.
  void glossColumnFitsTheNarrowWindowAndKeepsTheUsersWidth() {
    ProgramFolder folder;
    const char* longGloss = "犬; ドッグ; いぬ; 畜生; つまらない物; 卑劣な男; 犬のような人";
    TCompressStringList glosses;
    glosses.LoadText(Sjis("dog\t") + Sjis(longGloss) + "\r\nwrite\t" + Sjis("書く") + "\r\n");
    QVERIFY(glosses.SaveToFile(folder.FilePath(U(kShippedGlossFile)).toStdString()).ok());
    int fitted = 0;
    {
      TForm1 form(folder.Options());
      form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&form));
      QTest::qWait(400);  // past the fitting to the offscreen screen
      form.resize(743, 500);
      QTRY_COMPARE(form.size(), QSize(743, 500));
      Analyze(form, "dog write cat Thomas dog\r\n");
      QCoreApplication::processEvents();
      QTableView* list = List(form);
      QHeaderView* header = list->horizontalHeader();
      fitted = header->sectionSize(WordListModel::kGlossColumn);
      QVERIFY(!list->isColumnHidden(WordListModel::kGlossColumn));
      // The glosses take their room from the text pane first, then from
      // the other columns' blank space: the commonest word's gloss is whole
      // at the narrow default size.
      QVERIFY2(fitted >= list->fontMetrics().horizontalAdvance(U("動 ～である; いる; ある")) + 12,
               qPrintable(QString::number(fitted)));
      QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
      QVERIFY(header->sectionViewportPosition(WordListModel::kGlossColumn) + fitted <= list->viewport()->width());
      // The text pane keeps 30% of the window, no less than its minimum.
      const QWidget* textPane = form.findChild<QWidget*>(QStringLiteral("pcMemo"));
      QVERIFY(textPane->width() >= std::max(743 * 3 / 10 - 10, textPane->minimumWidth()));
      const QModelIndex dog = Model(form)->index(0, WordListModel::kGlossColumn);
      QCOMPARE(dog.data(Qt::ToolTipRole).toString(), U(longGloss));
      QVERIFY(list->fontMetrics().horizontalAdvance(U(longGloss)) > fitted);
      QCOMPARE(list->textElideMode(), Qt::ElideRight);

      // A wider window gives the glosses no less room, until the user's drag.
      form.resize(1300, 500);
      QTRY_COMPARE(form.size(), QSize(1300, 500));
      QVERIFY(header->sectionSize(WordListModel::kGlossColumn) >= fitted);
      form.resize(743, 500);
      QTRY_COMPARE(form.size(), QSize(743, 500));
      QCOMPARE(header->sectionSize(WordListModel::kGlossColumn), fitted);
      QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
      // Hidden, the column leaves its room to the text pane.
      const int listWidth = list->width();
      Action(form, "acShowGloss")->trigger();
      QVERIFY(list->width() < listWidth);
      Action(form, "acShowGloss")->trigger();
      QCOMPARE(header->sectionSize(WordListModel::kGlossColumn), fitted);
      QCOMPARE(list->width(), listWidth);
      QVERIFY(form.close());
    }
    // A fitted width is not the user's: the settings leave it out, and the
    // next window fits the column to its own width. The columns narrowed
    // for the glosses keep their own widths.
    QVERIFY2(folder.ReadSettings().find("GlossWidth=") == std::string::npos, folder.ReadSettings().c_str());
    QVERIFY2(folder.ReadSettings().find("ColWidth=60,150,70,60,64,\r\n") != std::string::npos, folder.ReadSettings().c_str());
    int dragged = 0;
    {
      TForm1 form(folder.Options());
      form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&form));
      QTest::qWait(400);
      form.resize(1300, 500);
      QTRY_COMPARE(form.size(), QSize(1300, 500));
      QHeaderView* header = List(form)->horizontalHeader();
      QVERIFY(header->sectionSize(WordListModel::kGlossColumn) >= fitted);
      // A width the user drags stays whatever the window's width.
      dragged = fitted + 40;
      header->resizeSection(WordListModel::kGlossColumn, dragged);
      form.resize(760, 500);
      QTRY_COMPARE(form.size(), QSize(760, 500));
      QCOMPARE(header->sectionSize(WordListModel::kGlossColumn), dragged);
      QVERIFY(form.close());
    }
    // The settings keep it, and it comes back whatever the window's width.
    QVERIFY2(folder.ReadSettings().find("GlossWidth=" + std::to_string(dragged) + "\r\n") != std::string::npos,
             folder.ReadSettings().c_str());
    TForm1 form(folder.Options());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::qWait(400);
    QHeaderView* header = List(form)->horizontalHeader();
    QCOMPARE(header->sectionSize(WordListModel::kGlossColumn), dragged);
    form.resize(1300, 500);
    QTRY_COMPARE(form.size(), QSize(1300, 500));
    QCOMPARE(header->sectionSize(WordListModel::kGlossColumn), dragged);
  }

  void formButtonsChooseTheShownForm() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Analyze(form, "cat cats, cats, caat\r\n");
    QCOMPARE(form.Filter().formMode, FormMode::Original);
    Action(form, "acSWEntries")->trigger();
    QCOMPARE(form.Filter().formMode, FormMode::Headword);
    QCOMPARE(Words(form), (QStringList{"cat", "caat"}));
    QCOMPARE(Cell(form, 0, 2), QStringLiteral("3"));
    Action(form, "acSWWritten")->trigger();
    QCOMPARE(Words(form), (QStringList{"cat", "cats", "caat"}));
    QCOMPARE(Cell(form, 1, 2), QStringLiteral("2"));
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
    QCOMPARE(folder.dialogs.informed, QStringList{U("どれかひとつは選択する必要があります")});
    QCOMPARE(form.Filter().levelMask, LevelMask{4});
    QCOMPARE(Words(form), (QStringList{"write"}));
    QTest::mouseClick(LevelButton(form, "tbWSNone"), Qt::LeftButton, Qt::AltModifier);
    QCOMPARE(form.Filter().levelMask, LevelMask{127});
    QCOMPARE(Words(form).size(), 4);
  }

  void shiftingEveryLevelOffLeavesTheEmptyBit() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Analyze(form, "cat write wife zebra\r\n");
    // The fixture has no General list, so its button is disabled: the
    // command is what the click would run.
    for (int bit : {kLevelBitBasic, kLevelBitJunior, kLevelBitToUniversity, kLevelBitGeneral, kLevelBitOther,
                    kLevelBitNone}) {
      form.LevelButtonClick(bit, Qt::ShiftModifier);
    }
    QCOMPARE(form.Filter().levelMask, LevelMask{16});
    QVERIFY(folder.dialogs.informed.isEmpty());
    QCOMPARE(Words(form), QStringList());
    QCOMPARE(form.StatusPanelText(2), U("表示単語数 0 語（0 ％）"));
    // Every level button and 未登録 show the off image.
    for (const char* name : {"tbWSBasic", "tbWSJunior", "tbWSToUnivercity", "tbWSGeneral", "tbWSOther", "tbWSNone"}) {
      QCOMPARE(LevelButton(form, name)->icon().cacheKey(), ImageListIcon(kImageSwitchOff).cacheKey());
    }
    QCOMPARE(Action(form, "acSWNoEntry")->icon().cacheKey(), ImageListIcon(kImageSwitchOff).cacheKey());
    form.LevelButtonClick(kLevelBitNone, Qt::ShiftModifier);
    QCOMPARE(form.Filter().levelMask, LevelMask{17});
    QCOMPARE(Words(form), (QStringList{"zebra"}));
    QCOMPARE(Action(form, "acSWNoEntry")->icon().cacheKey(), ImageListIcon(kImageSwitchOn).cacheKey());
  }

  void plainClickOpensTheLevelMenu() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.show();
    Analyze(form, "cat write wife zebra\r\n");
    QTest::mouseClick(LevelButton(form, "tbWSToUnivercity"), Qt::LeftButton);
    auto* menu = form.findChild<QMenu*>(QStringLiteral("pmWordSelector"));
    QTRY_VERIFY(menu->isVisible());
    // Japanese captions naming the level; of 含める and 外す only the one
    // that changes something, and each click named once.
    QStringList captions;
    for (QAction* action : menu->actions()) {
      if (action->isSeparator()) continue;
      captions << action->text();
      QVERIFY2(!action->text().contains(QStringLiteral("Key")) && !action->text().contains(QStringLiteral("Mouse")),
               qPrintable(action->text()));
      if (!action->isEnabled()) QVERIFY2(!action->text().contains(QStringLiteral("クリック")), qPrintable(action->text()));
    }
    QCOMPARE(captions.filter(QStringLiteral("Shift")).size(), 1);
    QVERIFY(!menu->findChild<QAction*>(QStringLiteral("miWSOn"))->isEnabled());
    QVERIFY(menu->findChild<QAction*>(QStringLiteral("miWSOff"))->isEnabled());
    QVERIFY(menu->findChild<QAction*>(QStringLiteral("N10"))->text().contains(LevelButton(form, "tbWSToUnivercity")->text().section(QLatin1Char(' '), 0, 0)));
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

  void levelMenuLeftOpenOverANewTextKeepsTheListEmpty() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.show();
    Analyze(form, "cat write wife zebra\r\n");
    QTest::mouseClick(LevelButton(form, "tbWSBasic"), Qt::LeftButton);
    auto* menu = form.findChild<QMenu*>(QStringLiteral("pmWordSelector"));
    QTRY_VERIFY(menu->isVisible());
    // A new text comes in under the open menu; an item is chosen after it.
    form.SetCurrentText("cat dog wife\r\n");
    menu->findChild<QAction*>(QStringLiteral("N10"))->trigger();
    menu->hide();
    QCOMPARE(form.Filter().levelMask, LevelMask{2});
    QCOMPARE(Model(form)->rowCount(), 0);
    // The filter applies to the next run.
    Action(form, "acAnalize")->trigger();
    QCOMPARE(Words(form), (QStringList{"cat", "dog"}));
  }

  void properNounChoiceKeepsOrDropsCapitals() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    // It names itself and shows its choice from the start.
    auto* nouns = form.findChild<QComboBox*>(QStringLiteral("cbProperNoun"));
    QCOMPARE(nouns->currentText(), U("すべて"));
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("lbProperNoun"))->buddy(), nouns);
    // The copy buttons are commands, not switches, and say what they copy.
    QVERIFY(!Action(form, "acCopyData")->toolTip().isEmpty());
    QVERIFY(!Action(form, "acCopyData")->isCheckable());
    Analyze(form, "Thomas dog Japan\r\n");
    auto* choice = form.findChild<QComboBox*>(QStringLiteral("cbProperNoun"));
    QCOMPARE(choice->currentIndex(), 0);
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
    // Title, line, zebra: not in the dictionary; cat, cats, dog: 基本 (cat
    // used twice); write: 中学; wife: 大学受験; no General list.
    Analyze(form, "Title line\r\ncat cats dog zebra write wife\r\n");
    // A counted line: the name padded to 8 bytes, the count right-aligned in
    // 15, the unit, the per-cent figure right-aligned in 3.
    auto row = [](const char* paddedName, const char* count, const char* unit, const char* perCent) {
      return U(paddedName) + QLatin1Char(' ') + QString(14, QLatin1Char(' ')) + QLatin1String(count) +
             QLatin1Char(' ') + U(unit) + QStringLiteral("  ") + QLatin1String(perCent) + QStringLiteral(" %");
    };
    auto report = [&](const QString& separator) {
      return QStringList{
          QStringLiteral(" Title line"), separator, U("単語の出現頻度(個数)"), U("（単語の累計数です）"), separator,
          row("総数    ", "8", "個", "100"), QString(),
          row("基本    ", "3", "個", " 37"), row("中学    ", "1", "個", " 12"),
          row("大学受験", "1", "個", " 12"), row("一般    ", "0", "個", "  0"),
          row("その他  ", "0", "個", "  0"), row("未登録  ", "3", "個", " 37"), QString(), QString(),
          separator, U("単語表記の出現頻度(種類)"), U("（文に表記されている形の種類数です）"), separator,
          row("総数    ", "8", "形", "100"), QString(),
          row("基本    ", "3", "形", " 37"), row("中学    ", "1", "形", " 12"),
          row("大学受験", "1", "形", " 12"), row("一般    ", "0", "形", "  0"),
          row("その他  ", "0", "形", "  0"), row("未登録  ", "3", "形", " 37"), QString(), QString(),
          separator, U("レベル別単語の利用状況"), U("（各レベルのうちで使われている割合です）"), separator,
          row("基本    ", "2", "種", " 14"), row("中学    ", "1", "種", " 10"),
          row("大学受験", "1", "種", " 50"), row("一般    ", "0", "種", "  0")};
    };
    const QStringList memo = report(QString(34, QLatin1Char('-')));
    QCOMPARE(memo.size(), 37);
    QCOMPARE(form.findChild<QPlainTextEdit*>(QStringLiteral("mmDatas"))->toPlainText(), memo.join(QLatin1Char('\n')));
    // 大学受験 fills its field; その他 is padded with two blanks.
    QCOMPARE(memo[9].indexOf(QLatin1Char(' ')), 4);
    QVERIFY(memo[11].startsWith(U("その他   ")));

    form.findChild<QToolButton*>(QStringLiteral("ToolButton8"))->click();
    QCOMPARE(Clipboard(), report(QStringLiteral("---")).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));

    Action(form, "acCopyData")->trigger();
    const QStringList percent{QStringLiteral(" Title line"), {}, {}, {}, {}, QStringLiteral("100"), {},
                              QStringLiteral("37"), QStringLiteral("12"), QStringLiteral("12"),
                              QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("37"), {}, {}, {}, {}, {}, {},
                              QStringLiteral("100"), {},
                              QStringLiteral("37"), QStringLiteral("12"), QStringLiteral("12"),
                              QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("37"), {}, {}, {}, {}, {}, {},
                              QStringLiteral("14"), QStringLiteral("10"), QStringLiteral("50"), QStringLiteral("0")};
    QCOMPARE(Clipboard(), percent.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
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
