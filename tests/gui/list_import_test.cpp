// 読み込み… of a level set and of a known-word list: the files go through the
// importers and the dictionary, the report names every line left out, the
// user's choice decides the words the dictionary lacks, and the stored list
// is the one shown.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QtTest>

#include "TestSupport.h"
#include "app/LevelSetImportDialog.h"
#include "lists/ListStore.h"
#include "platform/UserDataFolder.h"

using namespace lexiscoop;
using namespace lexiscoop::testing;

class ListImportTest : public QObject {
  Q_OBJECT

 private slots:
  void aKnownListTakesTheResolvedWordsAndTheUnknownOnesOnRequest() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    folder.dialogs.chosenFiles = {folder.WriteFile(QStringLiteral("lesson6.txt"), "cats\r\nwrote\r\nzzzq\r\n1 2\r\n")};
    folder.dialogs.typedText = U("2年3組");
    folder.dialogs.choice = 1;  // keep the unknown word as one's own
    form.findChild<QAction*>(QStringLiteral("acImportKnownList"))->trigger();

    const QString report = folder.dialogs.asked.join(QLatin1Char('\n'));
    QVERIFY2(report.contains(U("lesson6.txt:1:")) && report.contains(U("lesson6.txt:3:")) &&
                 report.contains(U("lesson6.txt:4:")),
             qPrintable(report));
    QVERIFY(report.contains(U("辞書にない語も自分の見出し語として取り込む")));
    KnownWordList stored;
    QVERIFY(ListStore(UserDataFolder(form.ProgramFolder())).LoadKnownList(Sjis("2年3組"), stored).ok());
    QCOMPARE(stored.headwords, (std::vector<std::string>{"cat", "write", "zzzq"}));
    auto* menu = form.findChild<QMenu*>(QStringLiteral("miKnownLists"));
    emit menu->aboutToShow();
    bool checked = false;
    for (QAction* action : menu->actions()) checked |= action->text() == U("2年3組") && action->isChecked();
    QVERIFY(checked);
  }

  void aLevelSetIsMadeOfOneFilePerLevelAndChosen() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    const QStringList files{folder.WriteFile(QStringLiteral("grade1.csv"), "word\r\nthe\r\ncats\r\n"),
                            folder.WriteFile(QStringLiteral("grade2.txt"), "cat\r\nletter\r\nzzzq\r\n")};
    folder.dialogs.choice = 0;  // leave the unknown word out
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<LevelSetImportDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      dialog->SetName(U("教科書"));
      dialog->AddFiles(files);
      dialog->accept();
    });
    form.findChild<QAction*>(QStringLiteral("acImportLevelSet"))->trigger();

    UserLevelSet set;
    QVERIFY(ListStore(UserDataFolder(form.ProgramFolder())).LoadSet(Sjis("教科書"), set).ok());
    QCOMPARE(set.levels.size(), size_t{2});
    QCOMPARE(set.levels[0].name, std::string("grade1"));
    QCOMPARE(set.levels[0].headwords, (std::vector<std::string>{"the", "cat"}));
    QCOMPARE(set.levels[1].headwords, std::vector<std::string>{"letter"});  // cat counts in grade1
    QVERIFY(form.Result().Levels().Shipped());  // nothing analysed yet; the next run takes the set
    auto* menu = form.findChild<QMenu*>(QStringLiteral("miLevelSets"));
    emit menu->aboutToShow();
    bool checked = false;
    for (QAction* action : menu->actions()) checked |= action->text() == U("教科書") && action->isChecked();
    QVERIFY(checked);
  }

  void theDialogTakesNineLevelsAtMost() {
    ScriptedDialogs dialogs;
    LevelSetImportDialog dialog(nullptr, dialogs);
    QStringList paths;
    for (int i = 1; i <= 11; ++i) paths << QStringLiteral("/tmp/level%1.txt").arg(i);
    dialog.AddFiles(paths);
    QCOMPARE(dialog.Files(), paths.mid(0, 9));
    QVERIFY(dialogs.informed.last().contains(QStringLiteral("level10.txt\nlevel11.txt")));
    dialog.accept();  // no name
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
  }
};

QTEST_MAIN(ListImportTest)
#include "list_import_test.moc"
