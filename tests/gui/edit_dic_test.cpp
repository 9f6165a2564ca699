// The dictionary editor: looking entries up, recording, deleting, the
// questions on the way, the list and its search as you type.

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableView>
#include <QToolButton>
#include <QtTest>
#include <algorithm>
#include <span>
#include <map>

#include "TestSupport.h"
#include "dictionary/CompressStringList.h"
#include "dictionary/ConjugationDictionary.h"
#include "dictionary/DictionaryTransaction.h"
#include "dictionary/GlossTable.h"
#include "editor/EditorChecks.h"
#include "editor/widgets/FmEditDic.h"
#include "platform/AtomicFile.h"
#include "platform/Cp932.h"

using namespace lexiscoop;
using namespace lexiscoop::testing;

namespace {

// The editor on a program folder of its own, shown, with a tick count that
// the test sets.
struct Editor {
  Editor()
      : programFolder(QFile::encodeName(folder.Path()).toStdString()),
        dictionary(programFolder, programFolder),
        form(dictionary, folder.dialogs, [this](const QString& path, const QString& suffix) {
          opened << path + QLatin1Char('|') + suffix;
        }) {
    dictionary.ReloadDictionary(false);
    form.SetTickSource([this] { return tick; });
    form.show();
  }

  template <class T>
  T* Child(const char* name) {
    T* child = form.findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) qFatal("no child %s", name);
    return child;
  }
  QTableView* List() { return Child<QTableView>("lvDic"); }
  QLineEdit* HeadwordBox() { return Child<QLineEdit>("edInflictions"); }
  QPlainTextEdit* InflectionBox() { return Child<QPlainTextEdit>("mmInflictions"); }
  QToolButton* RecordButton() { return Child<QToolButton>("tbRecord"); }
  QToolButton* DeleteButton() { return Child<QToolButton>("tbDelete"); }
  QRadioButton* LevelItem(int level) {
    return form.findChild<QGroupBox*>(QStringLiteral("rgLevel"))->findChild<QRadioButton*>(QStringLiteral("rgLevel%1").arg(level));
  }
  int CheckedLevel() {
    for (int level = 0; level <= 4; ++level) {
      if (LevelItem(level)->isChecked()) return level;
    }
    return -1;
  }
  int SelectedRow() {
    const QModelIndexList rows = List()->selectionModel()->selectedRows();
    return rows.size() == 1 ? rows.first().row() : -1;
  }
  QString Cell(int row, int column) { return List()->model()->index(row, column).data().toString(); }
  int RowOf(const char* headword) { return FindHeadword(*dictionary.CurrentLexicon(), headword); }

  // Every data file of the program folder and its bytes (the lock file a
  // change takes is none).
  std::map<QString, QByteArray> Files() {
    std::map<QString, QByteArray> files;
    for (const QString& name : QDir(folder.Path()).entryList(QDir::Files)) {
      if (name == QLatin1String(kLockFileName)) continue;
      QFile file(folder.FilePath(name));
      if (file.open(QIODevice::ReadOnly)) files[name] = file.readAll();
    }
    return files;
  }

  ProgramFolder folder;
  std::string programFolder;
  ConjugationDictionary dictionary;
  QStringList opened;
  uint32_t tick = 3000000000u;
  TfrmEditDic form;
};

// What the files hold, as the program reads them when it starts again.
struct Restarted {
  explicit Restarted(const Editor& editor) : dictionary(editor.programFolder, editor.programFolder) {
    dictionary.ReloadDictionary(false);
  }
  int Row(const char* headword) { return FindHeadword(*dictionary.CurrentLexicon(), headword); }
  std::vector<std::string> Lines(const char* headword) {
    const int row = Row(headword);
    const std::shared_ptr<const Lexicon> lexicon = dictionary.CurrentLexicon();
    return row < 0 ? std::vector<std::string>{} : InflectionLines(*lexicon, row, lexicon->At(row).spelling);
  }
  ConjugationDictionary dictionary;
};

using Strings = std::vector<std::string>;

}  // namespace

class EditDicTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { SetWriteFaultForTesting(std::nullopt); }
  void cleanup() { SetWriteFaultForTesting(std::nullopt); }

  void showsTheDictionaryAndLoadsTheFirstRow() {
    Editor editor;
    QCOMPARE(editor.form.windowTitle(), U("辞書編集"));
    QCOMPARE(editor.form.size(), QSize(549, 454));
    QAbstractItemModelTester tester(editor.List()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModel* model = editor.List()->model();
    QCOMPARE(model->rowCount(), 28);
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("class"));
    QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("word"));
    const int write = editor.RowOf("write");
    QCOMPARE(editor.Cell(write, 0), QString::number(write + 1));
    QCOMPARE(editor.Cell(write, 1), U("中学"));
    QCOMPARE(editor.Cell(write, 2), QStringLiteral("write"));
    QCOMPARE(editor.Cell(editor.RowOf("wife"), 1), U("大学へ"));
    QCOMPARE(editor.Cell(editor.RowOf("Japan"), 1), U("なし"));

    // The first row, "be", is loaded: spellings in index order, its level.
    QCOMPARE(editor.SelectedRow(), 0);
    QCOMPARE(editor.HeadwordBox()->text(), QStringLiteral("be"));
    QCOMPARE(editor.InflectionBox()->toPlainText(), QStringLiteral("am\nare\nbeen\nbeing\nis\nwas\nwere"));
    QCOMPARE(editor.CheckedLevel(), 1);
    QVERIFY(!editor.RecordButton()->isEnabled());
    QVERIFY(editor.DeleteButton()->isEnabled());
    QVERIFY(editor.folder.dialogs.informed.isEmpty());
  }

  void typingAHeadwordInOtherLetterCaseSelectsItsRow() {
    Editor editor;
    editor.HeadwordBox()->clear();
    QTest::keyClicks(editor.HeadwordBox(), QStringLiteral("WRITE"));
    QCOMPARE(editor.SelectedRow(), editor.RowOf("write"));
    QCOMPARE(editor.HeadwordBox()->text(), QStringLiteral("write"));
    QCOMPARE(editor.InflectionBox()->toPlainText(), QStringLiteral("writes\nwriting\nwritten\nwrote"));
    QCOMPARE(editor.CheckedLevel(), 2);
    QVERIFY(editor.DeleteButton()->isEnabled());
    QVERIFY(!editor.RecordButton()->isEnabled());

    // Blanks around the text are no part of it.
    editor.HeadwordBox()->setText(QStringLiteral("  Japan \t"));
    QCOMPARE(editor.SelectedRow(), editor.RowOf("Japan"));
    QCOMPARE(editor.HeadwordBox()->text(), QStringLiteral("Japan"));
    QCOMPARE(editor.InflectionBox()->toPlainText(), QString());
    QCOMPARE(editor.CheckedLevel(), 0);
    QVERIFY(editor.folder.dialogs.informed.isEmpty());
  }

  void aNewHeadwordClearsTheInflectionsAndChecksNone() {
    Editor editor;
    editor.HeadwordBox()->clear();
    QTest::keyClicks(editor.HeadwordBox(), QStringLiteral("zebra"));
    QCOMPARE(editor.HeadwordBox()->text(), QStringLiteral("zebra"));
    QCOMPARE(editor.SelectedRow(), -1);
    QCOMPARE(editor.InflectionBox()->toPlainText(), QString());
    QCOMPARE(editor.CheckedLevel(), 0);
    QVERIFY(editor.RecordButton()->isEnabled());
    QVERIFY(!editor.DeleteButton()->isEnabled());
  }

  void anInvalidHeadwordShowsTheMessageOnEveryChangeAndDisablesBothButtons() {
    Editor editor;
    const QString message = U("a～z, A～Z, -, ' （半角）だけです");
    editor.HeadwordBox()->clear();  // empty: no message
    QVERIFY(editor.folder.dialogs.informed.isEmpty());
    QTest::keyClicks(editor.HeadwordBox(), QStringLiteral("ice cream"));
    // "ice c", "ice cr", ... "ice cream": five invalid texts.
    QCOMPARE(editor.folder.dialogs.informed, QStringList(5, message));
    QVERIFY(!editor.RecordButton()->isEnabled());
    QVERIFY(!editor.DeleteButton()->isEnabled());
    QCOMPARE(editor.InflectionBox()->toPlainText(), QString());

    // Changing the other boxes does not make the invalid headword recordable.
    editor.InflectionBox()->setPlainText(QStringLiteral("ice creams"));
    editor.LevelItem(3)->click();
    QVERIFY(!editor.RecordButton()->isEnabled());
  }

  void recordingANewHeadwordWritesTheUsersFilesAndTheListShowsIt() {
    Editor editor;
    editor.HeadwordBox()->setText(QStringLiteral("zebra"));
    editor.InflectionBox()->setPlainText(QStringLiteral("zebras\n\n  zebraed, zebraing \n"));
    editor.LevelItem(1)->click();
    QVERIFY(editor.RecordButton()->isEnabled());
    editor.folder.dialogs.answers = {true};
    editor.RecordButton()->click();

    QCOMPARE(editor.folder.dialogs.asked,
             QStringList{U("--原形--\r\nzebra\r\n\r\n--活用--\r\nzebraed, zebraing\r\nzebras\r\n\r\n"
                           "--分類--\r\n基本\r\n\r\n登録しますか？")});
    QCOMPARE(editor.folder.dialogs.beeps, 1);
    QVERIFY(editor.folder.dialogs.informed.isEmpty());
    QVERIFY(QFile::exists(editor.folder.FilePath(QStringLiteral("myLxScoop.dat"))));
    QVERIFY(QFile::exists(editor.folder.FilePath(QStringLiteral("myLXBasics.dat"))));

    Restarted restarted(editor);
    QVERIFY(restarted.Row("zebra") >= 0);
    QCOMPARE(restarted.Lines("zebra"), (Strings{"zebraed", "zebraing", "zebras"}));
    QCOMPARE(restarted.dictionary.LevelOf("zebra"), 1);
    QCOMPARE(restarted.dictionary.CurrentLexicon()->HeadwordCount(), 29);

    // The reloaded list shows it; the editor is back on the first row.
    QCOMPARE(editor.List()->model()->rowCount(), 29);
    const int zebra = editor.RowOf("zebra");
    QCOMPARE(editor.Cell(zebra, 2), QStringLiteral("zebra"));
    QCOMPARE(editor.Cell(zebra, 1), U("基本"));
    QCOMPARE(editor.SelectedRow(), 0);
    QCOMPARE(editor.HeadwordBox()->text(), editor.Cell(0, 2));
    QVERIFY(editor.List()->isEnabled());
    QVERIFY(editor.List()->updatesEnabled());
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void recordingASpellingOfAnotherHeadwordAsksTwice() {
    // "left" is a headword; "went" is only go's spelling.
    Editor editor;
    editor.HeadwordBox()->setText(QStringLiteral("went"));
    QVERIFY(editor.RecordButton()->isEnabled());
    const auto before = editor.Files();

    editor.folder.dialogs.answers = {false};
    editor.RecordButton()->click();
    QCOMPARE(editor.folder.dialogs.asked,
             QStringList{U("went は go の活用形として登録されています\r\n\r\nかまわず登録しますか？")});
    QVERIFY(editor.Files() == before);

    editor.folder.dialogs.asked.clear();
    editor.folder.dialogs.answers = {true, false};
    editor.RecordButton()->click();
    QCOMPARE(editor.folder.dialogs.asked.size(), 2);
    QVERIFY(editor.folder.dialogs.asked[1].startsWith(U("--原形--\r\nwent\r\n")));
    QVERIFY(editor.Files() == before);
    QCOMPARE(editor.folder.dialogs.beeps, 0);

    editor.folder.dialogs.asked.clear();
    editor.folder.dialogs.answers = {true, true};
    editor.RecordButton()->click();
    QCOMPARE(editor.folder.dialogs.asked.size(), 2);
    QCOMPARE(editor.folder.dialogs.beeps, 1);
    Restarted restarted(editor);
    QVERIFY(restarted.Row("went") >= 0);
    // Both headwords now hold the spelling; the headword rule still reads it
    // as go's, whichever line comes later.
    const std::span<const HeadwordId> candidates = restarted.dictionary.CurrentLexicon()->Candidates("went");
    QCOMPARE(candidates.size(), size_t{2});
    QVERIFY(std::find(candidates.begin(), candidates.end(), restarted.Row("went")) != candidates.end());
    QCOMPARE(FindSpelling(*restarted.dictionary.CurrentLexicon(), "went"), restarted.Row("go"));
  }

  void answeringNoLeavesEveryFileUnchanged() {
    Editor editor;
    editor.HeadwordBox()->setText(QStringLiteral("cat"));
    editor.InflectionBox()->setPlainText(QStringLiteral("cats\nkitties"));
    const auto before = editor.Files();
    editor.folder.dialogs.answers = {false};
    editor.RecordButton()->click();
    QCOMPARE(editor.folder.dialogs.asked.size(), 1);
    editor.folder.dialogs.answers = {false};
    editor.DeleteButton()->click();
    QCOMPARE(editor.folder.dialogs.asked.size(), 2);
    QCOMPARE(editor.folder.dialogs.asked[1], U("cat を削除します\r\n\r\nよろしいか？"));
    QVERIFY(editor.Files() == before);
    QCOMPARE(editor.folder.dialogs.beeps, 0);
    QCOMPARE(editor.dictionary.CurrentLexicon()->HeadwordCount(), 28);
  }

  void theGlossBoxRecordsTheUsersGlossWhichWinsAfterARestart() {
    Editor editor;
    TCompressStringList shipped;
    shipped.LoadText(Sjis("cat\t猫\r\n"));
    QVERIFY(shipped.SaveToFile(editor.folder.FilePath(U(kShippedGlossFile)).toStdString()).ok());
    editor.dictionary.ReloadDictionary(false);
    editor.form.RefreshList();
    QLineEdit* box = editor.Child<QLineEdit>("edGloss");
    QVERIFY(box->isVisibleTo(&editor.form));
    editor.HeadwordBox()->setText(QStringLiteral("cat"));
    QCOMPARE(box->text(), U("猫"));
    QVERIFY(!editor.RecordButton()->isEnabled());
    box->setText(U("ねこ、猫 "));
    QVERIFY(editor.RecordButton()->isEnabled());
    editor.folder.dialogs.answers = {true, true};
    editor.RecordButton()->click();
    QCOMPARE(editor.folder.dialogs.beeps, 1);
    QVERIFY(editor.folder.dialogs.informed.isEmpty());
    // The dictionary's lexicon carries the edit at once.
    const std::shared_ptr<const Lexicon> lexicon = editor.dictionary.CurrentLexicon();
    QCOMPARE(lexicon->At(lexicon->Resolve("cats")).gloss, Sjis("ねこ; 猫"));
    GlossTable restarted(editor.programFolder);
    restarted.Reload();
    QCOMPARE(restarted.Lookup("cat"), Sjis("ねこ; 猫"));
    // The shipped file stays as it was; the box shows the edit on the next load.
    TCompressStringList again;
    QVERIFY(again.LoadFromFile(editor.folder.FilePath(U(kShippedGlossFile)).toStdString()).ok());
    QCOMPARE(again[0], Sjis("cat\t猫"));
    editor.HeadwordBox()->setText(QStringLiteral("dog"));
    editor.HeadwordBox()->setText(QStringLiteral("cat"));
    QCOMPARE(box->text(), U("ねこ; 猫"));
  }

  // Typing catfish passes through cat: the box shows cat's glosses on the
  // way and none once the headword is catfish. The confirmation names the
  // gloss recorded, and a delete takes the user's gloss line with it.
  void theGlossBoxBelongsToTheHeadwordInTheBox() {
    Editor editor;
    TCompressStringList shipped;
    shipped.LoadText(Sjis("cat\t猫\r\n"));
    QVERIFY(shipped.SaveToFile(editor.folder.FilePath(U(kShippedGlossFile)).toStdString()).ok());
    editor.dictionary.ReloadDictionary(false);
    editor.form.RefreshList();
    QLineEdit* box = editor.Child<QLineEdit>("edGloss");
    editor.HeadwordBox()->clear();
    QTest::keyClicks(editor.HeadwordBox(), QStringLiteral("cat"));
    QCOMPARE(box->text(), U("猫"));
    QTest::keyClicks(editor.HeadwordBox(), QStringLiteral("fish"));
    QCOMPARE(editor.HeadwordBox()->text(), QStringLiteral("catfish"));
    QCOMPARE(box->text(), QString());

    box->setText(U("ナマズ"));
    editor.folder.dialogs.answers = {true};
    editor.RecordButton()->click();
    QCOMPARE(editor.folder.dialogs.asked.size(), 1);
    QVERIFY2(editor.folder.dialogs.asked.first().contains(U("--訳語--\r\nナマズ\r\n")),
             qPrintable(editor.folder.dialogs.asked.first()));
    GlossTable glosses(editor.programFolder);
    glosses.Reload();
    QCOMPARE(glosses.Lookup("catfish"), Sjis("ナマズ"));
    QCOMPARE(glosses.Lookup("cat"), Sjis("猫"));

    editor.HeadwordBox()->setText(QStringLiteral("catfish"));
    QCOMPARE(box->text(), U("ナマズ"));
    editor.folder.dialogs.answers = {true};
    editor.DeleteButton()->click();
    QVERIFY(editor.folder.dialogs.informed.isEmpty());
    glosses.Reload();
    QCOMPARE(glosses.Lookup("catfish"), std::string_view());
    QCOMPARE(glosses.UserCount(), size_t{0});
    QCOMPARE(editor.dictionary.Glosses().Lookup("catfish"), std::string_view());
    QCOMPARE(glosses.Lookup("cat"), Sjis("猫"));
  }

  void recordingAnUnchangedEntryOnlyBeeps() {
    Editor editor;
    editor.HeadwordBox()->setText(QStringLiteral("cat"));
    // Editing back to the stored spellings leaves nothing to record.
    editor.InflectionBox()->setPlainText(QStringLiteral("cats\ncat-s"));
    QVERIFY(editor.RecordButton()->isEnabled());
    editor.InflectionBox()->setPlainText(QStringLiteral(" cats \n\n"));
    QVERIFY(!editor.RecordButton()->isEnabled());
    // The boxes never leave the button on for an unchanged entry; the
    // command itself still refuses one.
    const auto before = editor.Files();
    editor.RecordButton()->setEnabled(true);
    editor.RecordButton()->click();
    QCOMPARE(editor.folder.dialogs.beeps, 1);
    QVERIFY(editor.folder.dialogs.asked.isEmpty());
    QVERIFY(editor.Files() == before);
  }

  void deletingRemovesTheLineButNoLevel() {
    Editor editor;
    editor.HeadwordBox()->setText(QStringLiteral("Dog"));
    QCOMPARE(editor.HeadwordBox()->text(), QStringLiteral("dog"));
    editor.folder.dialogs.answers = {true};
    editor.DeleteButton()->click();
    QCOMPARE(editor.folder.dialogs.asked, QStringList{U("dog を削除します\r\n\r\nよろしいか？")});
    QCOMPARE(editor.folder.dialogs.beeps, 1);
    QCOMPARE(editor.List()->model()->rowCount(), 27);
    QCOMPARE(editor.SelectedRow(), 0);

    Restarted restarted(editor);
    QCOMPARE(restarted.Row("dog"), -1);
    QCOMPARE(restarted.dictionary.LevelOf("dog"), 1);
    QVERIFY(!QFile::exists(editor.folder.FilePath(QStringLiteral("myLXBasics.dat"))));
  }

  void deletingWithOtherLetterCaseChangesNothingAndStillBeeps() {
    Editor editor;
    editor.HeadwordBox()->setText(QStringLiteral("cat"));
    {
      // Typing would put the stored spelling back into the box.
      const QSignalBlocker quiet(editor.HeadwordBox());
      editor.HeadwordBox()->setText(QStringLiteral("CAT"));
    }
    const auto before = editor.Files();
    const int selected = editor.SelectedRow();
    editor.folder.dialogs.answers = {true};
    editor.DeleteButton()->click();
    QCOMPARE(editor.folder.dialogs.asked, QStringList{U("CAT を削除します\r\n\r\nよろしいか？")});
    QCOMPARE(editor.folder.dialogs.beeps, 1);
    QVERIFY(editor.Files() == before);
    QCOMPARE(editor.dictionary.CurrentLexicon()->HeadwordCount(), 28);
    QCOMPARE(editor.SelectedRow(), selected);  // no refresh
  }

  void aRecordThatCannotBeWrittenIsReportedNotBeeped() {
    Editor editor;
    editor.HeadwordBox()->setText(QStringLiteral("zebra"));
    editor.folder.dialogs.answers = {true};
    SetWriteFaultForTesting(WriteStep::Rename);
    editor.RecordButton()->click();
    SetWriteFaultForTesting(std::nullopt);
    QCOMPARE(editor.folder.dialogs.beeps, 0);
    QVERIFY(editor.folder.dialogs.informed.contains(U("zebra の変更を辞書ファイルに書き込めませんでした")));
    QVERIFY(!QFile::exists(editor.folder.FilePath(QStringLiteral("myLxScoop.dat"))));
    QVERIFY(editor.List()->isEnabled());

    editor.HeadwordBox()->setText(QStringLiteral("cat"));
    editor.folder.dialogs.answers = {true};
    editor.folder.dialogs.informed.clear();
    SetWriteFaultForTesting(WriteStep::Rename);
    editor.DeleteButton()->click();
    SetWriteFaultForTesting(std::nullopt);
    QCOMPARE(editor.folder.dialogs.informed, QStringList{U("cat の変更を辞書ファイルに書き込めませんでした")});
    QCOMPARE(editor.folder.dialogs.beeps, 0);
  }

  void anUnreadableUserDictionaryIsLeftAloneAndReported() {
    Editor editor;
    editor.folder.WriteFile(QStringLiteral("myLxScoop.dat"), "not a list file");
    const auto before = editor.Files();
    editor.HeadwordBox()->setText(QStringLiteral("zebra"));
    editor.folder.dialogs.answers = {true};
    editor.RecordButton()->click();
    QVERIFY(editor.Files() == before);
    QCOMPARE(editor.folder.dialogs.beeps, 0);
    QCOMPARE(editor.folder.dialogs.informed.size(), 1);
    QVERIFY(editor.folder.dialogs.informed.first().contains(U("を読み込めないため、登録しませんでした")));
    QVERIFY(editor.folder.dialogs.informed.first().contains(editor.folder.FilePath(QStringLiteral("myLxScoop.dat"))));
  }

  void anEntryChangedByAnotherProgramIsShownBeforeRecording() {
    Editor editor;
    // Another program records zebra after the editor loaded the files.
    ConjugationDictionary other(editor.programFolder, editor.programFolder);
    other.ReloadDictionary(false);
    QCOMPARE(other.RecordHeadword("zebra", "zebras", 2), RecordStatus::Recorded);

    editor.HeadwordBox()->setText(QStringLiteral("zebra"));  // new to the editor
    editor.InflectionBox()->setPlainText(QStringLiteral("zebraed"));
    editor.LevelItem(1)->click();
    const auto before = editor.Files();
    editor.folder.dialogs.answers = {true};
    editor.RecordButton()->click();
    // Nothing asked, nothing written: the entry as it is now, and why.
    QVERIFY(editor.folder.dialogs.asked.isEmpty());
    QVERIFY(editor.Files() == before);
    QCOMPARE(editor.folder.dialogs.informed.size(), 1);
    QVERIFY(editor.folder.dialogs.informed[0].contains(U("ほかのプログラムで変更された")));
    QCOMPARE(editor.InflectionBox()->toPlainText(), QStringLiteral("zebras"));
    QCOMPARE(editor.CheckedLevel(), 2);
    QVERIFY(!editor.RecordButton()->isEnabled());
    QVERIFY(editor.DeleteButton()->isEnabled());

    // A change to another entry is kept without a word.
    QCOMPARE(other.RecordHeadword("yak", "yaks", 0), RecordStatus::Recorded);
    editor.InflectionBox()->setPlainText(QStringLiteral("zebras\nzebraed"));
    editor.folder.dialogs.answers = {true};
    editor.RecordButton()->click();
    QCOMPARE(editor.folder.dialogs.informed.size(), 1);
    QCOMPARE(editor.folder.dialogs.beeps, 1);
    Restarted restarted(editor);
    QCOMPARE(restarted.Lines("zebra"), (Strings{"zebraed", "zebras"}));
    QVERIFY(restarted.Row("yak") >= 0);
  }

  void aSpellingThatWouldBeReadAsAnotherIsRefused() {
    Editor editor;
    editor.HeadwordBox()->setText(QStringLiteral("zebra"));
    editor.InflectionBox()->setPlainText(QStringLiteral("zebras\nzebra2"));
    const auto before = editor.Files();
    editor.folder.dialogs.answers = {true};
    editor.RecordButton()->click();
    QVERIFY(editor.folder.dialogs.asked.isEmpty());
    QCOMPARE(editor.folder.dialogs.informed.size(), 1);
    QVERIFY(editor.folder.dialogs.informed[0].startsWith(U("zebra2 は登録できません")));
    QVERIFY(editor.Files() == before);
  }

  void theQuestionForThousandsOfSpellingsIsElided() {
    Editor editor;
    editor.HeadwordBox()->setText(QStringLiteral("zebra"));
    QStringList many;
    for (int i = 0; i < 3000; ++i) many << QStringLiteral("zebra%1x").arg(QChar('a' + i % 26)) + QString::number(i);
    editor.InflectionBox()->setPlainText(many.join(QLatin1Char('\n')));
    editor.folder.dialogs.answers = {false};
    editor.RecordButton()->click();
    QCOMPARE(editor.folder.dialogs.asked.size(), 1);
    const QString question = editor.folder.dialogs.asked[0];
    QVERIFY2(question.count(QStringLiteral("\r\n")) < 40, qPrintable(question.left(200)));
    QVERIFY(question.contains(U("…ほか 2980 行")));
    QVERIFY(question.endsWith(U("登録しますか？")));
  }

  void searchAsYouTypeInTheList() {
    Editor editor;
    QTableView* list = editor.List();
    list->setFocus();
    const auto type = [&](char key, uint32_t now) {
      editor.tick = now;
      QTest::keyClick(list, key);
    };
    const uint32_t t = 3000000000u;
    type('w', t);  // write, wife: from the first row
    QCOMPARE(editor.SelectedRow(), editor.RowOf("write"));
    QCOMPARE(editor.HeadwordBox()->text(), QStringLiteral("write"));
    type('i', t + 999);  // "wi" from the selected row
    QCOMPARE(editor.SelectedRow(), editor.RowOf("wife"));
    type('t', t + 1999);  // a pause of 1000 ms: "t" from the first row
    QCOMPARE(editor.SelectedRow(), editor.RowOf("that"));
    type('h', t + 2100);
    type('e', t + 2200);
    QCOMPARE(editor.SelectedRow(), editor.RowOf("the"));
    QCOMPARE(editor.HeadwordBox()->text(), QStringLiteral("the"));
    type('x', t + 2300);  // "thex": nothing found, nothing changes
    QCOMPARE(editor.SelectedRow(), editor.RowOf("the"));
    QCOMPARE(editor.form.Search().SearchText(), std::string("thex"));
    type('j', t + 9000);  // letter case counts
    QCOMPARE(editor.SelectedRow(), editor.RowOf("the"));
    type('J', t + 11000);
    QCOMPARE(editor.SelectedRow(), editor.RowOf("Japan"));

    // The search state outlives a showing.
    editor.form.hide();
    editor.form.show();
    QCOMPARE(editor.SelectedRow(), 0);
    QCOMPARE(editor.form.Search().LastKeyTime(), double(t + 11000));
    type('a', t + 11500);  // "Ja" from the first row
    QCOMPARE(editor.SelectedRow(), editor.RowOf("Japan"));
    QCOMPARE(editor.form.Search().SearchText(), std::string("Ja"));
  }

  void helpButtonOpensTheEditorsHelpPage() {
    Editor editor;
    editor.Child<QToolButton>("ToolButton2")->click();
    QCOMPARE(editor.opened, QStringList{editor.folder.FilePath(QStringLiteral("help/lxedit.html")) + QLatin1Char('|')});
  }
};

QTEST_MAIN(EditDicTest)
#include "edit_dic_test.moc"
