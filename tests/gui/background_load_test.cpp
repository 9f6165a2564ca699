// A large file is read on a worker: the window shows it is busy and keeps
// handling events, 中止 abandons the load leaving the previous text, and the
// caption changes only when the new text is in.

#include <QAction>
#include <QApplication>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <thread>
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
    return [opened = opened, fail = fail](const std::string& path, const LoadProgress& progress) {
      opened.wait();
      if (fail) throw std::runtime_error("cannot read");
      auto text = std::make_unique<TMyParser>();
      text->LoadFile(path, progress);
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
    // A figure from the start: nothing read yet.
    QCOMPARE(progress->maximum(), 100);
    QCOMPARE(progress->value(), 0);
    QVERIFY(progress->isTextVisible());
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
    QVERIFY(!progress->isTextVisible());
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

  // The bar and the status line give the share of the file read and
  // converted; 中止 stops the worker at its next step, which closes and
  // unlocks the file, so that it opens again at once.
  void progressIsShownInPerCentAndStopReleasesTheFile() {
    ProgramFolder folder;
    const std::string line = "The dog wrote \xE3\x81\x82 to four cats.\r\n";  // あ: one byte less in CP932
    std::string text;
    while (text.size() < (std::size_t{12} << 20)) text += line;
    const QString path = folder.WriteFile(QStringLiteral("utf8.txt"), text);
    // Each step of the load takes a while, so that the test sees it under
    // way; the steps taken after 中止 are counted.
    auto stopped = std::make_shared<std::atomic<bool>>(false);
    auto stepsAfterStop = std::make_shared<std::atomic<int>>(0);
    auto lastDone = std::make_shared<std::atomic<int64_t>>(0);
    auto ended = std::make_shared<std::atomic<int>>(0);
    TForm1Options options = folder.Options();
    options.backgroundLoadBytes = 0;
    options.readText = [=](const std::string& native, const LoadProgress& progress) {
      struct End {
        std::shared_ptr<std::atomic<int>> ended;
        ~End() { ++*ended; }
      } end{ended};
      auto holder = std::make_unique<TMyParser>();
      holder->LoadFile(native, [&](int64_t done, int64_t total) {
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
        if (*stopped) ++*stepsAfterStop;
        *lastDone = done * 100 / total;
        return progress(done, total);
      });
      return holder;
    };
    TForm1 form(options);
    auto* bar = form.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    QList<int> shown;
    connect(bar, &QProgressBar::valueChanged, &form, [&](int value) { shown << value; });

    form.OpenTextFile(path);
    QVERIFY(form.Loading());
    // Past the reading, into the conversion.
    QTRY_VERIFY_WITH_TIMEOUT(bar->value() >= 60, 20000);
    QVERIFY(form.Loading());
    QCOMPARE(bar->text(), QStringLiteral("%1%").arg(bar->value()));
    QVERIFY2(form.statusBar()->currentMessage().contains(QStringLiteral("utf8.txt")) &&
                 form.statusBar()->currentMessage().contains(QStringLiteral("%1%").arg(bar->value())),
             qPrintable(form.statusBar()->currentMessage()));
    QVERIFY(std::is_sorted(shown.begin(), shown.end()));
    QVERIFY2(shown.size() >= 4, qPrintable(QString::number(shown.size())));

    *stopped = true;
    Action(form, "acStopAnalize")->trigger();
    QVERIFY(!form.Loading());
    QCOMPARE(bar->value(), 0);
    QVERIFY(!bar->isTextVisible());
    QTRY_COMPARE_WITH_TIMEOUT(ended->load(), 1, 5000);
    // The worker stopped at the step it was in: the load was not finished.
    QVERIFY2(*stepsAfterStop <= 1, qPrintable(QString::number(stepsAfterStop->load())));
    QVERIFY(*lastDone < 100);
    const int other = open(QFile::encodeName(path).constData(), O_RDONLY);
    QVERIFY(other >= 0);
    QCOMPARE(flock(other, LOCK_EX | LOCK_NB), 0);
    flock(other, LOCK_UN);
    close(other);
    QVERIFY(folder.dialogs.failed.isEmpty());

    // The same file again loads whole.
    *stopped = false;
    form.OpenTextFile(path);
    QVERIFY(form.Loading());
    QTRY_VERIFY_WITH_TIMEOUT(!form.Loading(), 30000);
    QVERIFY2(folder.dialogs.failed.isEmpty(), qPrintable(folder.dialogs.failed.join(QLatin1Char('\n'))));
    QCOMPARE(form.Parser().ByteCount(), static_cast<int32_t>(text.size() - text.size() / line.size()));
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
