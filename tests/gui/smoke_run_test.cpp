// --smoke-test: what it counts as a failure.

#include <QtTest>
#include <functional>

#include "TestSupport.h"
#include "app/SmokeTest.h"

using namespace lexiscoop;
using namespace lexiscoop::testing;

class SmokeRunTest : public QObject {
  Q_OBJECT

 private:
  static std::function<int()> MessagesOf(const ScriptedDialogs& dialogs) {
    return [&dialogs] {
      return static_cast<int>(dialogs.informed.size() + dialogs.failed.size() + dialogs.asked.size());
    };
  }

 private slots:
  void readableTextWithoutMessagesPasses() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    const QString text = folder.WriteFile(QStringLiteral("text.txt"), "The dog wrote a letter.\r\n");
    QCOMPARE(RunSmokeTest(form, text, QString(), MessagesOf(folder.dialogs)), 0);
    QVERIFY(!form.isVisible());
  }

  void textThatCannotBeReadFails_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("missing") << QStringLiteral("no/such/file.txt");
    QTest::newRow("folder") << QStringLiteral("folder");
  }

  void textThatCannotBeReadFails() {
    QFETCH(QString, name);
    ProgramFolder folder;
    QDir(folder.Path()).mkdir(QStringLiteral("folder"));
    TForm1 form(folder.Options());
    // The window still holds its sample text, which would extract fine.
    QVERIFY(form.findChild<QAction*>(QStringLiteral("acAnalize"))->isEnabled());
    QCOMPARE(RunSmokeTest(form, folder.FilePath(name), QString(), MessagesOf(folder.dialogs)), 1);
    QVERIFY(form.Result().words.Empty());
  }

  void paragraphLongerThanTheWindowPasses() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    std::string bytes = "short line\r\n";
    for (int i = 0; i < 1000; ++i) bytes += "abcd ";
    bytes += "\r\n";
    const QString text = folder.WriteFile(QStringLiteral("long.txt"), bytes);
    QCOMPARE(RunSmokeTest(form, text, QString(), MessagesOf(folder.dialogs)), 0);
    QCOMPARE(form.Result().tokenCount, 1002);
  }

  void messageBoxDuringTheRunFails() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    // A box that appears while 抽出 runs.
    auto* analyze = form.findChild<QAction*>(QStringLiteral("acAnalize"));
    QVERIFY(analyze != nullptr);
    connect(analyze, &QAction::triggered, this, [&folder] { folder.dialogs.failed << QStringLiteral("during the run"); });
    const QString text = folder.WriteFile(QStringLiteral("text.txt"), "The dog wrote a letter.\r\n");
    QCOMPARE(RunSmokeTest(form, text, QString(), MessagesOf(folder.dialogs)), 1);
    QCOMPARE(folder.dialogs.failed.size(), 1);
  }

  void messageBoxBeforeTheRunFails() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    folder.dialogs.informed << QStringLiteral("shown at start-up");
    const QString text = folder.WriteFile(QStringLiteral("text.txt"), "The dog wrote a letter.\r\n");
    QCOMPARE(RunSmokeTest(form, text, QString(), MessagesOf(folder.dialogs)), 1);
    // The run itself still happened.
    QVERIFY(!form.Result().words.Empty());
  }
};

QTEST_MAIN(SmokeRunTest)
#include "smoke_run_test.moc"
