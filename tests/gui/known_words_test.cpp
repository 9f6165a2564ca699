// Known words: marked from the word list, they are drawn plain in the reading
// view, counted in the coverage line, hidden from the list on request, and
// the list and its hiding are there again after a restart.
#include <QAction>
#include <QDir>
#include <QMenu>
#include <QTableView>
#include <QtTest>

#include "TestSupport.h"
#include "app/ReadingPane.h"
#include "app/WordListController.h"
#include "lists/ListStore.h"
#include "platform/UserDataFolder.h"
#include "views/ShownWordList.h"
#include "views/widgets/CoverageChart.h"
#include "views/widgets/ReadingView.h"
#include "views/widgets/WordListModel.h"

using namespace lexiscoop;
using namespace lexiscoop::testing;

namespace {

constexpr char kText[] = "The cat wrote the letter.\r\nThe cats sat.\r\n";

int RowOf(const TForm1& form, std::string_view word) {
  for (int r = 0; r < form.Shown().RowCount(); ++r) {
    if (form.Shown().WordOfRow(r) == word) return r;
  }
  return -1;
}

int EntryOf(const TForm1& form, std::string_view word) {
  for (int i = 0; i < form.Result().words.Count(); ++i) {
    if (form.Result().words.Word(i) == word) return i;
  }
  return -1;
}

QAction* Command(const TForm1& form, const char* name) {
  auto* menu = form.findChild<QMenu*>(QStringLiteral("miKnownLists"));
  emit menu->aboutToShow();
  return form.findChild<QAction*>(QString::fromLatin1(name));
}

void Analyse(TForm1& form) {
  form.SetCurrentText(kText);
  form.findChild<QAction*>(QStringLiteral("acAnalize"))->trigger();
}

QString Verdict(const TForm1& form) { return form.findChild<CoverageChart*>()->VerdictText(); }

}  // namespace

class KnownWordsTest : public QObject {
  Q_OBJECT

 private slots:
  void markedWordsShowEverywhereAndSurviveARestart() {
    ProgramFolder folder;
    folder.dialogs.typedText = U("2年3組");
    {
      TForm1 form(folder.Options());
      form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&form));
      Analyse(form);
      auto* list = form.findChild<QTableView*>(QStringLiteral("lvWords"));
      const int cat = EntryOf(form, "cat");
      const QColor levelColour = form.Reading().View().ColourOfWord(cat);
      const QColor plain = form.Reading().View().palette().color(QPalette::Text);
      QVERIFY(levelColour != plain);

      // Ctrl+K without a list asks for a new one's name, then marks the row.
      form.findChild<WordListController*>()->SelectRows({RowOf(form, "cat")});
      list->setFocus();
      QTest::keyClick(list, Qt::Key_K, Qt::ControlModifier);
      KnownWordList stored;
      QVERIFY(ListStore(UserDataFolder(form.ProgramFolder())).LoadKnownList(Sjis("2年3組"), stored).ok());
      QCOMPARE(stored.headwords, std::vector<std::string>{"cat"});
      QCOMPARE(form.Reading().View().ColourOfWord(cat), plain);
      QCOMPARE(form.Reading().View().ColourOfWord(EntryOf(form, "cats")), plain);  // the same headword
      QVERIFY(form.Reading().View().ColourOfWord(EntryOf(form, "letter")) != plain);
      QVERIFY2(Verdict(form).endsWith(U("既習語で 25.0%")), qPrintable(Verdict(form)));  // cat, cats of 8
      const int knownColumn = WordListModel::ColumnOf("known");
      QVERIFY(!list->isColumnHidden(knownColumn));
      QCOMPARE(list->model()->index(RowOf(form, "cat"), knownColumn).data().toString(), U("既習"));
      QCOMPARE(list->model()->index(RowOf(form, "letter"), knownColumn).data().toString(), QString());

      const int rows = form.Shown().RowCount();
      Command(form, "acHideKnown")->setChecked(true);
      QCOMPARE(form.Shown().RowCount(), rows - 1);
      QCOMPARE(RowOf(form, "cat"), -1);
      form.close();
    }
    {
      TForm1 form(folder.Options());
      form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&form));
      Analyse(form);
      QVERIFY(Command(form, "acHideKnown")->isChecked());
      QCOMPARE(RowOf(form, "cat"), -1);
      QVERIFY(Verdict(form).endsWith(U("既習語で 25.0%")));

      // Shown again, the row is taken out of the list with Ctrl+Shift+K.
      Command(form, "acHideKnown")->setChecked(false);
      QVERIFY(RowOf(form, "cat") >= 0);
      form.findChild<WordListController*>()->SelectRows({RowOf(form, "cat")});
      Command(form, "acUnmarkKnown")->trigger();
      QVERIFY(Verdict(form).endsWith(U("既習語で 0.0%")));
      QVERIFY(form.Reading().View().ColourOfWord(EntryOf(form, "cat")) != form.Reading().View().palette().color(QPalette::Text));

      // The whole text after a question naming how many headwords are new.
      folder.dialogs.answers = {true};
      Command(form, "acAddTextToKnown")->trigger();
      QVERIFY2(folder.dialogs.asked.last().contains(U(" 4 語")), qPrintable(folder.dialogs.asked.last()));  // the cat write letter
      QVERIFY(Verdict(form).endsWith(U("既習語で 87.5%")));  // all but sat

      // A pasted text has no file name to extend: the new words' own name.
      Command(form, "acExportNewWords")->trigger();
      QCOMPARE(folder.dialogs.exportSuggestions.last(), QDir::home().filePath(QStringLiteral("new-words.xlsx")));
    }
  }
};

QTEST_MAIN(KnownWordsTest)
#include "known_words_test.moc"
