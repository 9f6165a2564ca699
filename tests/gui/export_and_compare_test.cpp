// ファイル → エクスポート… and ファイル → 複数のテキストを比較…: the word
// list written as shown, and the compare-texts window with its run, Stop,
// sorting and export.

#include <QAbstractItemModelTester>
#include <QAction>
#include <QDir>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QScreen>
#include <QPrinter>
#include <QElapsedTimer>
#include <QLabel>
#include <QtTest>

#include "TestSupport.h"
#include "app/ReadingPane.h"
#include "app/ProfileModel.h"
#include "app/ProfileWindow.h"

using namespace lexiscoop;
using namespace lexiscoop::testing;

class ExportAndCompareTest : public QObject {
  Q_OBJECT

 private:
  static QAction* Action(TForm1& form, const char* name) {
    return form.findChild<QAction*>(QString::fromLatin1(name));
  }
  static QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  static TfrmProfile* OpenCompare(TForm1& form) {
    Action(form, "acCompareTexts")->trigger();
    return form.findChild<TfrmProfile*>(QStringLiteral("frmProfile"));
  }
  static QString Cell(const QAbstractItemModel& model, int row, const char* column) {
    for (int c = 0; c < model.columnCount(); ++c) {
      if (model.headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString() == QLatin1String(column)) {
        return model.index(row, c).data().toString();
      }
    }
    return QStringLiteral("no column");
  }
  static void WaitForRun(TfrmProfile& window) { QTRY_VERIFY_WITH_TIMEOUT(!window.Running(), 20000); }

 private slots:
  // The window opens whole on the screen, its buttons in sight.
  void compareWindowFitsTheScreen() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    TfrmProfile* window = OpenCompare(form);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QRect area = window->screen()->availableGeometry();
    QVERIFY2(area.contains(window->frameGeometry()),
             qPrintable(QStringLiteral("%1x%2 on %3x%4").arg(window->width()).arg(window->height()).arg(area.width()).arg(area.height())));
    for (const char* name : {"pbChooseFiles", "pbChooseFolder", "pbStop", "pbExport", "pbClose"}) {
      QWidget* button = window->findChild<QWidget*>(QString::fromLatin1(name));
      QVERIFY2(button != nullptr && window->rect().contains(QRect(button->mapTo(window, QPoint(0, 0)), button->size())), name);
    }
    window->close();
  }

  void exportWritesTheRowsAsShownAndOnlyAfterARun() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    QAction* exportAction = Action(form, "acExport");
    QVERIFY(exportAction != nullptr);
    form.SetCurrentText(Sjis("The cat saw cats. Dogs ran!\r\n"));
    QVERIFY(!exportAction->isEnabled());  // nothing counted yet
    Action(form, "acAnalize")->trigger();
    QVERIFY(exportAction->isEnabled());
    // Sorted by count, as the list shows it.
    Action(form, "acSortNum")->trigger();
    folder.dialogs.exportFile = folder.FilePath(QStringLiteral("words.csv"));
    exportAction->trigger();
    QVERIFY(folder.dialogs.failed.isEmpty());
    const QByteArray csv = ReadAll(folder.dialogs.exportFile);
    QCOMPARE(csv,
             QByteArray("\xEF\xBB\xBFword,headword,level,gloss,count,per_cent,sentence\r\n"
                        "cat,cat,\xE5\x9F\xBA\xE6\x9C\xAC,,2,33.333,The \xE3\x80\x90" "cat\xE3\x80\x91 saw cats.\r\n"
                        "the,the,\xE5\x9F\xBA\xE6\x9C\xAC,,1,16.667,\xE3\x80\x90The\xE3\x80\x91 cat saw cats.\r\n"
                        "saw,,\xE6\x9C\xAA\xE7\x99\xBB\xE9\x8C\xB2,,1,16.667,The cat \xE3\x80\x90saw\xE3\x80\x91 cats.\r\n"
                        "dog,dog,\xE5\x9F\xBA\xE6\x9C\xAC,,1,16.667,\xE3\x80\x90" "Dogs\xE3\x80\x91 ran!\r\n"
                        "run,run,\xE4\xB8\xAD\xE5\xAD\xA6,,1,16.667,Dogs \xE3\x80\x90ran\xE3\x80\x91!\r\n"));

    // Cancelling writes nothing; an unknown extension is refused.
    folder.dialogs.exportFile.clear();
    exportAction->trigger();
    folder.dialogs.exportFile = folder.FilePath(QStringLiteral("words.doc"));
    exportAction->trigger();
    QCOMPARE(folder.dialogs.failed.size(), 1);
    QVERIFY(!QFile::exists(folder.dialogs.exportFile));
    // A folder in the way: the failure names the file.
    QDir(folder.Path()).mkdir(QStringLiteral("taken.xlsx"));
    folder.dialogs.exportFile = folder.FilePath(QStringLiteral("taken.xlsx"));
    exportAction->trigger();
    QCOMPARE(folder.dialogs.failed.size(), 2);
    QVERIFY(folder.dialogs.failed.last().contains(QStringLiteral("taken.xlsx")));

    // A new text takes the results away.
    form.SetCurrentText(Sjis("new text"));
    QVERIFY(!exportAction->isEnabled());
  }

  // Save dialogs start in the folder of the last file saved (kept across
  // starts) with a name made from the text's file name; Ctrl+P's PDF too.
  void saveDialogsProposeTheTextsNameInTheLastExportFolder() {
    ProgramFolder folder;
    QDir(folder.Path()).mkpath(QStringLiteral("handouts"));
    const QString text = folder.WriteFile(QStringLiteral("modern-english.txt"), "The cat saw the dog.\r\n");
    const QString handouts = folder.FilePath(QStringLiteral("handouts"));
    {
      TForm1 form(folder.Options());
      form.OpenTextFile(text);
      Action(form, "acAnalize")->trigger();
      folder.dialogs.exportFile = handouts + QStringLiteral("/list.csv");
      Action(form, "acExport")->trigger();
      QCOMPARE(folder.dialogs.exportSuggestions, QStringList{QDir::home().filePath(QStringLiteral("modern-english.xlsx"))});
      QVERIFY(QFile::exists(folder.dialogs.exportFile));
      Action(form, "acExport")->trigger();
      QCOMPARE(folder.dialogs.exportSuggestions.last(), handouts + QStringLiteral("/modern-english.xlsx"));
      QCOMPARE(form.Reading().SuggestedPdfPath(), handouts + QStringLiteral("/modern-english.pdf"));
      QPrinter printer;
      form.Reading().PreparePrinter(printer);
      QCOMPARE(printer.outputFileName(), handouts + QStringLiteral("/modern-english.pdf"));
      QCOMPARE(printer.docName(), QStringLiteral("modern-english"));
      // The loaded text is never an export's file, by name or through a link.
      QFile::link(text, folder.FilePath(QStringLiteral("link.csv")));
      for (const QString& name : {text, folder.FilePath(QStringLiteral("link.csv"))}) {
        const int failures = folder.dialogs.failed.size();
        folder.dialogs.exportFile = name;
        Action(form, "acExport")->trigger();
        QCOMPARE(folder.dialogs.failed.size(), failures + 1);
        QVERIFY(folder.dialogs.failed.last().contains(name));
      }
      QCOMPARE(ReadAll(text), QByteArray("The cat saw the dog.\r\n"));
      // A pasted text has no file name.
      form.SetCurrentText("A dog.\r\n");
      QCOMPARE(form.Reading().SuggestedPdfPath(), handouts + QStringLiteral("/reading.pdf"));
      form.close();
    }
    TForm1 again(folder.Options());
    QCOMPARE(again.Reading().SuggestedPdfPath(), handouts + QStringLiteral("/reading.pdf"));
    TfrmProfile* window = OpenCompare(again);
    folder.dialogs.chosenFiles = {text};
    window->findChild<QPushButton*>(QStringLiteral("pbChooseFiles"))->click();
    WaitForRun(*window);
    folder.dialogs.exportFile.clear();
    window->findChild<QPushButton*>(QStringLiteral("pbExport"))->click();
    QCOMPARE(folder.dialogs.exportSuggestions.last(), handouts + QStringLiteral("/profile.xlsx"));
    // Nor is a profiled file.
    folder.dialogs.exportFile = text;
    window->findChild<QPushButton*>(QStringLiteral("pbExport"))->click();
    QVERIFY(folder.dialogs.failed.last().contains(text));
    QCOMPARE(ReadAll(text), QByteArray("The cat saw the dog.\r\n"));
  }

  void compareWindowProfilesAFolderSortsAndExports() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    QDir(folder.Path()).mkpath(QStringLiteral("texts/sub"));
    folder.WriteFile(QStringLiteral("texts/a.txt"), "The cat and the dog.\r\n");
    folder.WriteFile(QStringLiteral("texts/sub/b.txt"), "I like that. You run. It began here, and it ran.\r\n");
    folder.WriteFile(QStringLiteral("texts/c.bin"), std::string("\0\1\2binary", 9));
    TfrmProfile* window = OpenCompare(form);
    QVERIFY(window != nullptr);
    QVERIFY(window->isVisible());
    QTableView* table = window->findChild<QTableView*>(QStringLiteral("tvProfiles"));
    QAbstractItemModelTester tester(table->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(table->model()->rowCount(), 0);
    QVERIFY(!window->findChild<QPushButton*>(QStringLiteral("pbExport"))->isEnabled());

    folder.dialogs.chosenFolder = folder.FilePath(QStringLiteral("texts"));
    window->findChild<QPushButton*>(QStringLiteral("pbChooseFolder"))->click();
    WaitForRun(*window);
    const QAbstractItemModel& model = *table->model();
    QCOMPARE(model.rowCount(), 3);  // a.txt, sub/b.txt, total; the binary file left out
    QCOMPARE(Cell(model, 0, "file"), folder.FilePath(QStringLiteral("texts/a.txt")));
    QCOMPARE(Cell(model, 0, "tokens"), QStringLiteral("5"));
    QCOMPARE(Cell(model, 0, "tokens_basic"), QStringLiteral("4"));  // The cat the dog; "and" is not listed
    QCOMPARE(Cell(model, 1, "tokens"), QStringLiteral("11"));
    QCOMPARE(Cell(model, 2, "file"), U("(合計)"));
    QCOMPARE(Cell(model, 2, "tokens"), QStringLiteral("16"));
    // The file names stay in sight in the row header; the stages and the
    // total speak Japanese.
    QVERIFY(table->isColumnHidden(0));
    QCOMPARE(model.headerData(0, Qt::Vertical).toString(), QStringLiteral("a.txt"));
    QCOMPARE(model.headerData(2, Qt::Vertical).toString(), U("(合計)"));
    for (int row = 0; row < model.rowCount(); ++row) {
      for (const char* column : {"stage_95", "stage_98"}) {
        const QString stage = Cell(model, row, column);
        QVERIFY2(stage.isEmpty() || QStringList({U("基本語"), U("中学修了"), U("大学受験"), U("一般")}).contains(stage),
                 qPrintable(stage));
      }
    }
    QCOMPARE(window->findChild<QProgressBar*>(QStringLiteral("pbProgress"))->value(), 100);

    // A header click sorts; the total stays last.
    table->sortByColumn(1, Qt::DescendingOrder);
    QCOMPARE(Cell(model, 0, "file"), folder.FilePath(QStringLiteral("texts/sub/b.txt")));
    QCOMPARE(Cell(model, 2, "file"), U("(合計)"));

    // The export writes the table as shown.
    folder.dialogs.exportFile = folder.FilePath(QStringLiteral("profile.tsv"));
    window->findChild<QPushButton*>(QStringLiteral("pbExport"))->click();
    const QList<QByteArray> lines = ReadAll(folder.dialogs.exportFile).split('\n');
    QCOMPARE(lines.size(), 5);  // header, two files, total, and the empty piece after the last LF
    QVERIFY(lines[0].startsWith("file\ttokens\ttypes\t"));
    QVERIFY(lines[1].startsWith(folder.FilePath(QStringLiteral("texts/sub/b.txt")).toUtf8() + "\t11\t"));
    QVERIFY(lines[3].startsWith("(total)\t16\t"));
  }

  void stopEndsARunAndKeepsWhatWasDone() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    QDir(folder.Path()).mkpath(QStringLiteral("many"));
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "The cat saw the dog and it ran away.\r\n";
    QStringList files;
    for (int i = 0; i < 60; ++i) {
      files << folder.WriteFile(QStringLiteral("many/%1.txt").arg(i, 2, 10, QLatin1Char('0')), text);
    }
    TfrmProfile* window = OpenCompare(form);
    QVERIFY(window->StartRun(files));
    QVERIFY(window->Running());
    QVERIFY(!window->StartRun(files));  // refused while running
    QVERIFY(!window->findChild<QPushButton*>(QStringLiteral("pbChooseFiles"))->isEnabled());
    // Rows come as files are done, before the run ends.
    QTRY_VERIFY_WITH_TIMEOUT(window->Model().rowCount() > 0, 20000);
    // On a fast idle machine the whole run may end before a stop can be tried.
    if (!window->Running()) QSKIP("the run ended before a stop could be tried");
    auto* stop = window->findChild<QPushButton*>(QStringLiteral("pbStop"));
    stop->click();
    // The stop shows at once, however long the workers take.
    QVERIFY(!stop->isEnabled());
    QVERIFY(window->findChild<QLabel*>(QStringLiteral("lbStatus"))->text().startsWith(U("中止")));
    WaitForRun(*window);
    const int rows = window->Model().rowCount();
    // A loaded machine may finish the files in hand before the stop reaches them.
    if (rows == 61) QSKIP("every file finished before the stop took effect");
    QVERIFY2(rows < 61, qPrintable(QString::number(rows)));  // fewer than every file and the total
    QVERIFY(window->findChild<QPushButton*>(QStringLiteral("pbChooseFiles"))->isEnabled());
    // Closing during a run stops it too, without waiting for the files in
    // hand, and the window can run again.
    std::string large;
    for (int i = 0; i < 800000; ++i) large += "The cat saw the dog and it ran away.\r\n";
    const QString largeFile = folder.WriteFile(QStringLiteral("large.txt"), large);
    QVERIFY(window->StartRun({largeFile, largeFile, largeFile}));
    QTest::qWait(300);  // the workers are inside the files
    QElapsedTimer closing;
    closing.start();
    window->close();
    QVERIFY(!window->Running());
    QVERIFY2(closing.elapsed() < 3000, qPrintable(QString::number(closing.elapsed())));
    QVERIFY(window->StartRun(files.mid(0, 2)));
    WaitForRun(*window);
    QCOMPARE(window->Model().rowCount(), 3);
  }
};

QTEST_MAIN(ExportAndCompareTest)
#include "export_and_compare_test.moc"
