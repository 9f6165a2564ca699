// A large file is read on a worker: the window shows it is busy and keeps
// handling events, 中止 abandons the load leaving the previous text, and the
// caption changes only when the new text is in.

#include <QAction>
#include <QApplication>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <future>
#include <memory>
#include <stdexcept>

#include "TestSupport.h"
#include "analysis/MyParser.h"

using namespace lexiscoop;
using namespace lexiscoop::testing;

namespace {

// A reader that waits for the test's word before it reads the file.
struct GatedReader {
  std::shared_ptr<std::promise<void>> gate = std::make_shared<std::promise<void>>();
  std::shared_future<void> opened = gate->get_future().share();
  bool fail = false;

  TextFileLoader::ReadFunction Function() {
    return [opened = opened, fail = fail](const std::string& path) {
      opened.wait();
      if (fail) throw std::runtime_error("cannot read");
      auto text = std::make_unique<TMyParser>();
      text->LoadFile(path);
      return text;
    };
  }
  void Open() { gate->set_value(); }
};

}  // namespace

class BackgroundLoadTest : public QObject {
  Q_OBJECT

 private:
  static QAction* Action(TForm1& form, const char* name) {
    return form.findChild<QAction*>(QString::fromLatin1(name));
  }
  static QToolButton* StartStop(TForm1& form) {
    return form.findChild<QToolButton*>(QStringLiteral("tbAnalizeStart"));
  }
  static bool BusyCursorShown() {
    return QGuiApplication::overrideCursor() != nullptr &&
           QGuiApplication::overrideCursor()->shape() == Qt::BusyCursor;
  }
  static TForm1Options Gated(ProgramFolder& folder, GatedReader& reader) {
    TForm1Options options = folder.Options();
    options.backgroundLoadBytes = 0;
    options.readText = reader.Function();
    return options;
  }
  // The form with its start-up text analysed.
  static void Analyse(TForm1& form) {
    Action(form, "acAnalize")->trigger();
    QVERIFY(!form.AwaitingAnalysis());
  }

 private slots:
  void windowStaysLiveAndTheCaptionChangesWhenTheTextIsIn() {
    ProgramFolder folder;
    GatedReader reader;
    TForm1 form(Gated(folder, reader));
    Analyse(form);
    const QString caption = form.windowTitle();
    const std::string before(form.Parser().FullText());
    const QString path = folder.WriteFile(QStringLiteral("long.txt"), "cat dog wife\r\n");

    form.OpenTextFile(path);
    QVERIFY(form.Loading());
    QVERIFY(BusyCursorShown());
    QCOMPARE(form.windowTitle(), caption);
    QCOMPARE(std::string(form.Parser().FullText()), before);
    QCOMPARE(StartStop(form)->defaultAction(), Action(form, "acStopAnalize"));
    QVERIFY(!Action(form, "acAnalize")->isEnabled());
    QVERIFY(!Action(form, "acLoadFromFile")->isEnabled());
    auto* progress = form.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    QCOMPARE(progress->maximum(), 0);  // moving without a figure
    // The event loop runs while the file is read.
    bool ticked = false;
    QTimer::singleShot(10, &form, [&] { ticked = true; });
    QTRY_VERIFY(ticked);
    QVERIFY(form.Loading());
    // A second file meanwhile is refused.
    form.OpenTextFile(folder.WriteFile(QStringLiteral("other.txt"), "other\r\n"));

    reader.Open();
    QTRY_VERIFY(!form.Loading());
    QCOMPARE(form.Parser().FullText(), std::string_view("cat dog wife\r\n"));
    QVERIFY(form.windowTitle().contains(QStringLiteral("long.txt")));
    QVERIFY(form.AwaitingAnalysis());
    QVERIFY(Action(form, "acAnalize")->isEnabled());
    QCOMPARE(StartStop(form)->defaultAction(), Action(form, "acAnalize"));
    QVERIFY(!BusyCursorShown());
    QCOMPARE(progress->maximum(), 100);
    Action(form, "acAnalize")->trigger();
    QCOMPARE(form.Result().words.Count(), 3);
  }

  void stopAbandonsTheLoadAndKeepsThePreviousState() {
    ProgramFolder folder;
    GatedReader reader;
    TForm1 form(Gated(folder, reader));
    Analyse(form);
    const QString caption = form.windowTitle();
    const std::string before(form.Parser().FullText());
    const int words = form.Result().words.Count();
    const QString path = folder.WriteFile(QStringLiteral("long.txt"), "cat dog wife\r\n");

    form.OpenTextFile(path);
    QVERIFY(form.Loading());
    Action(form, "acStopAnalize")->trigger();
    QVERIFY(!form.Loading());
    QVERIFY(!BusyCursorShown());
    reader.Open();
    QTest::qWait(100);  // the worker ends; its text must not arrive
    QCOMPARE(form.windowTitle(), caption);
    QCOMPARE(std::string(form.Parser().FullText()), before);
    // The results shown before stay shown.
    QVERIFY(!form.AwaitingAnalysis());
    QCOMPARE(form.Result().words.Count(), words);
    QVERIFY(Action(form, "acLoadFromFile")->isEnabled());
    QVERIFY(folder.dialogs.failed.isEmpty());
  }

  void failedLoadIsReportedAndCanBeTriedAgain() {
    ProgramFolder folder;
    GatedReader failing;
    failing.fail = true;
    TForm1 form(Gated(folder, failing));
    const QString caption = form.windowTitle();
    const QString path = folder.WriteFile(QStringLiteral("bad.txt"), "cat\r\n");
    failing.Open();
    form.OpenTextFile(path);
    QTRY_VERIFY(!form.Loading());
    QCOMPARE(folder.dialogs.failed, QStringList{QStringLiteral("cannot read")});
    QCOMPARE(form.windowTitle(), caption);
    QVERIFY(!BusyCursorShown());
    // The same file again is read again, not taken for the current text.
    form.OpenTextFile(path);
    QVERIFY(form.Loading());
    QTRY_VERIFY(!form.Loading());
    QCOMPARE(folder.dialogs.failed.size(), 2);
  }

  void largeFilesGoToTheWorkerSmallOnesNot() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    std::string big;
    while (big.size() < (std::size_t{5} << 20)) big += "The dog is running after four cats.\r\n";
    const QString large = folder.WriteFile(QStringLiteral("large.txt"), big);
    const QString small = folder.WriteFile(QStringLiteral("small.txt"), "cat\r\n");
    form.OpenTextFile(small);
    QVERIFY(!form.Loading());
    QCOMPARE(form.Parser().FullText(), std::string_view("cat\r\n"));
    form.OpenTextFile(large);
    QVERIFY(form.Loading());
    QTRY_VERIFY_WITH_TIMEOUT(!form.Loading(), 20000);
    QCOMPARE(form.Parser().ByteCount(), static_cast<int32_t>(big.size()));
  }

  void closingDuringALoadClosesAtOnce() {
    ProgramFolder folder;
    GatedReader reader;
    {
      TForm1 form(Gated(folder, reader));
      form.OpenTextFile(folder.WriteFile(QStringLiteral("long.txt"), "cat\r\n"));
      QVERIFY(form.Loading());
      QVERIFY(form.close());
      QVERIFY(!BusyCursorShown());
    }
    reader.Open();  // the worker ends after the window has gone
    QTest::qWait(50);
  }
};

QTEST_MAIN(BackgroundLoadTest)
#include "background_load_test.moc"
