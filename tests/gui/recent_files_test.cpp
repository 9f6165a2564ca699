// ファイル → 最近使ったファイル and the open dialog's first folder: the last
// texts opened, most recent first, kept across sessions; files that have gone
// are named and dropped.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QtTest>
#include <memory>

#include "TestSupport.h"
#include "analysis/MyParser.h"

using namespace lexiscoop;
using namespace lexiscoop::testing;

class RecentFilesTest : public QObject {
  Q_OBJECT

 private:
  static QMenu* RecentMenu(TForm1& form) { return form.findChild<QMenu*>(QStringLiteral("miRecentFiles")); }
  // The files of the menu's entries, in order, as the entries' hints name them.
  static QStringList MenuFiles(TForm1& form) {
    QMenu* menu = RecentMenu(form);
    emit menu->aboutToShow();
    QStringList files;
    for (QAction* action : menu->actions()) {
      if (action->isEnabled()) files << action->toolTip();
    }
    return files;
  }
  static void Open(ProgramFolder& folder, TForm1& form, const QString& path) {
    folder.dialogs.chosenFile = path;
    form.findChild<QAction*>(QStringLiteral("acLoadFromFile"))->trigger();
    QTRY_COMPARE(form.Parser().FullText(), std::string_view("text of " + QFileInfo(path).fileName().toStdString()));
  }
  // Writes a text file `name` in `dir` holding «text of NAME».
  static QString Text(const QTemporaryDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write("text of " + name.toUtf8());
    return path;
  }

 private slots:
  void openDialogStartsAtHomeThenInTheFolderOfTheLastText() {
    ProgramFolder folder;
    QTemporaryDir texts;
    const QString first = Text(texts, QStringLiteral("a.txt"));
    {
      TForm1 form(folder.Options());
      Open(folder, form, first);
      QCOMPARE(folder.dialogs.openFolders.value(0), QDir::homePath());
      folder.dialogs.chosenFile.clear();  // cancelled
      form.findChild<QAction*>(QStringLiteral("acLoadFromFile"))->trigger();
      QCOMPARE(folder.dialogs.openFolders.value(1), texts.path());
      form.close();
    }
    // The next session remembers the folder.
    TForm1 again(folder.Options());
    again.findChild<QAction*>(QStringLiteral("acLoadFromFile"))->trigger();
    QCOMPARE(folder.dialogs.openFolders.value(2), texts.path());
  }

  void openDialogStartsAtHomeWhenTheLastFolderHasGone() {
    ProgramFolder folder;
    {
      auto texts = std::make_unique<QTemporaryDir>();
      TForm1 form(folder.Options());
      Open(folder, form, Text(*texts, QStringLiteral("a.txt")));
      form.close();
    }
    TForm1 again(folder.Options());
    folder.dialogs.chosenFile.clear();
    again.findChild<QAction*>(QStringLiteral("acLoadFromFile"))->trigger();
    QCOMPARE(folder.dialogs.openFolders.last(), QDir::homePath());
  }

  void menuListsTheLastEightMostRecentFirstAcrossSessions() {
    ProgramFolder folder;
    QTemporaryDir texts;
    QStringList paths;
    for (int i = 0; i < 10; ++i) paths << Text(texts, QStringLiteral("t%1.txt").arg(i));
    {
      TForm1 form(folder.Options());
      QCOMPARE(MenuFiles(form), QStringList());
      QCOMPARE(RecentMenu(form)->actions().size(), 1);  // «(なし)», disabled
      for (const QString& path : paths) Open(folder, form, path);
      QCOMPARE(MenuFiles(form), (QStringList{paths[9], paths[8], paths[7], paths[6], paths[5], paths[4], paths[3],
                                             paths[2]}));
      // An older file opened again moves to the top, once.
      Open(folder, form, paths[5]);
      QCOMPARE(MenuFiles(form), (QStringList{paths[5], paths[9], paths[8], paths[7], paths[6], paths[4], paths[3],
                                             paths[2]}));
      QVERIFY(RecentMenu(form)->actions()[0]->text().startsWith(QStringLiteral("&1 t5.txt")));
      form.close();
    }
    TForm1 again(folder.Options());
    QCOMPARE(MenuFiles(again), (QStringList{paths[5], paths[9], paths[8], paths[7], paths[6], paths[4], paths[3],
                                            paths[2]}));
    // Choosing an entry opens it.
    RecentMenu(again)->actions()[2]->trigger();
    QTRY_COMPARE(again.Parser().FullText(), std::string_view("text of t8.txt"));
    QCOMPARE(MenuFiles(again).value(0), paths[8]);
  }

  void missingFileIsNamedAndDropped() {
    ProgramFolder folder;
    QTemporaryDir texts;
    const QString kept = Text(texts, QStringLiteral("kept.txt"));
    const QString gone = Text(texts, QStringLiteral("gone & lost.txt"));
    TForm1 form(folder.Options());
    Open(folder, form, gone);
    Open(folder, form, kept);
    QCOMPARE(MenuFiles(form), (QStringList{kept, gone}));
    QVERIFY(RecentMenu(form)->actions()[1]->text().contains(QStringLiteral("gone && lost.txt")));
    QVERIFY(QFile::remove(gone));
    RecentMenu(form)->actions()[1]->trigger();
    QTRY_COMPARE(folder.dialogs.informed.size(), 1);
    QVERIFY(folder.dialogs.informed[0].contains(gone));
    QCOMPARE(MenuFiles(form), QStringList{kept});
    // The current text is untouched.
    QCOMPARE(form.Parser().FullText(), std::string_view("text of kept.txt"));
  }

  void damagedSettingsGiveAUsableList() {
    ProgramFolder folder;
    QTemporaryDir texts;
    const QString a = Text(texts, QStringLiteral("a.txt"));
    QDir().mkpath(folder.FilePath(QStringLiteral("config")));
    QFile ini(QString::fromStdString(folder.SettingsPath()));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[system]\r\nRecent1=" + a.toUtf8() + "\r\nRecent2=\r\nRecent3=" + a.toUtf8() +
              "\r\nRecent9=/x.txt\r\nLastFolder=/no/such/folder\r\n");
    ini.close();
    TForm1 form(folder.Options());
    QCOMPARE(MenuFiles(form), QStringList{a});
    folder.dialogs.chosenFile.clear();
    form.findChild<QAction*>(QStringLiteral("acLoadFromFile"))->trigger();
    QCOMPARE(folder.dialogs.openFolders.last(), QDir::homePath());
  }
};

QTEST_MAIN(RecentFilesTest)
#include "recent_files_test.moc"
