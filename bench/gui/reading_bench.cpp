// The レベル表示 page on a large text in the real main window (offscreen
// unless QT_QPA_PLATFORM names another platform), against the shipped data:
//
//   first paint   from the end of Extract to the reading view painted
//   page scroll   one page down and its repaint, 200 times at random places
//   context       the first 1,000 lines of words in context for «the»
//   peak memory   the process's peak resident size against the text size
//
// usage: reading_bench TEXT [SCROLLS]   (e.g. bench/corpora/full/kjv.txt, 42 MB;
// SCROLLS, 200 by default, more for a profiler)
// Prints the figures and a PASS/FAIL line per target; exit status 0 when
// every target passed. The scrolls' CPU time (this thread's) is printed
// beside their wall time: on a shared machine it is the steadier figure.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/Form1.h"
#include "app/ReadingPane.h"
#include "ui/Dialogs.h"
#include "views/widgets/ContextModel.h"
#include "views/widgets/ReadingView.h"

namespace lexiscoop {
namespace {

class SilentDialogs final : public TDialogs {
 public:
  void Inform(QWidget*, const QString& text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
  void Fail(QWidget*, const QString& text) override { std::fprintf(stderr, "failure: %s\n", qPrintable(text)); }
  bool Ask(QWidget*, const QString&) override { return false; }
  void Beep() override {}
  QString ChooseTextFile(QWidget*, const QString&) override { return {}; }
  bool OpenUrl(const QUrl&) override { return false; }
};

// Peak resident set size of this process in bytes (VmHWM).
int64_t PeakResidentBytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stoll(line.substr(6)) * 1024;
  }
  return 0;
}

double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

bool Report(const char* what, double value, double limit, const char* unit) {
  const bool pass = value <= limit;
  std::printf("%-4s %-34s %10.2f %s (target <= %.2f)\n", pass ? "PASS" : "FAIL", what, value, unit, limit);
  return pass;
}

int Run(const QString& textPath, int scrollCount) {
  QTemporaryDir folder;
  for (const char* name : {"LxScoop.dat", "LXBasics.dat", "LXJunior.dat", "LXToUnuvercity.dat", "LXGeneral.dat", "LxGloss.dat"}) {
    QFile::copy(QStringLiteral(LEXISCOOP_SHIPPED_DATA_DIR "/") + QLatin1String(name), folder.filePath(QLatin1String(name)));
  }
  SilentDialogs dialogs;
  TForm1Options options;
  options.programFolder = QFile::encodeName(folder.path()).toStdString();
  options.settingsPath = folder.filePath(QStringLiteral("lexiscoop.ini")).toStdString();
  options.dialogs = &dialogs;
  TForm1 form(options);
  form.resize(1280, 800);
  form.show();
  QCoreApplication::processEvents();

  const double textBytes = static_cast<double>(QFileInfo(textPath).size());
  QElapsedTimer clock;
  clock.start();
  const double startPeak = static_cast<double>(PeakResidentBytes());
  form.OpenTextFile(textPath);
  QCoreApplication::processEvents();
  // A large text is read on a worker thread: wait until it is in.
  while (form.Loading()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(2);
  }
  const double loadMs = clock.nsecsElapsed() / 1e6;
  const double loadPeak = static_cast<double>(PeakResidentBytes());
  clock.restart();
  form.findChild<QAction*>(QStringLiteral("acAnalize"))->trigger();
  QCoreApplication::processEvents();
  const double runMs = clock.nsecsElapsed() / 1e6;
  const double runPeak = static_cast<double>(PeakResidentBytes());

  ReadingPane& pane = form.Reading();
  ReadingView& view = pane.View();
  clock.restart();
  form.findChild<QTabWidget*>(QStringLiteral("pcMemo"))->setCurrentWidget(pane.Page());
  view.viewport()->repaint();
  const double firstPaintMs = clock.nsecsElapsed() / 1e6;

  std::mt19937 random(1);
  std::vector<double> scrolls;
  std::vector<double> scrollCpu;
  const int lines = view.Lines().LineCount();
  for (int i = 0; i < scrollCount; ++i) {
    view.verticalScrollBar()->setValue(static_cast<int>(random() % static_cast<unsigned>(std::max(1, lines))));
    view.viewport()->repaint();
    const double cpuStart = ThreadCpuMs();
    clock.restart();
    view.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    view.viewport()->repaint();
    scrolls.push_back(clock.nsecsElapsed() / 1e6);
    scrollCpu.push_back(ThreadCpuMs() - cpuStart);
  }
  std::sort(scrolls.begin(), scrolls.end());
  std::sort(scrollCpu.begin(), scrollCpu.end());

  const WordTable& table = form.Result().words;
  const int the = table.IndexOf("the");
  clock.restart();
  pane.Context().Search(view.Lines(), [&table, the](std::string_view word, uint64_t) { return table.IndexOf(word) == the; });
  const double contextMs = clock.nsecsElapsed() / 1e6;
  const int contextRows = pane.Context().rowCount();

  const double peak = static_cast<double>(PeakResidentBytes());
  std::printf("text %.1f MB, %d lines; load %.0f ms, Extract %.0f ms; %d context rows\n", textBytes / 1e6, lines,
              loadMs, runMs, contextRows);
  std::printf("peak resident: %.1f MB with the dictionary, %.1f MB after loading, %.1f MB after Extract, %.1f MB at the end\n",
              startPeak / 1e6, loadPeak / 1e6, runPeak / 1e6, peak / 1e6);
  std::printf("page scroll (%d lines): median %.2f ms, 95th %.2f ms, max %.2f ms; CPU median %.2f ms, 95th %.2f ms\n",
              view.LinesPerPage(), scrolls[scrolls.size() / 2], scrolls[scrolls.size() * 95 / 100], scrolls.back(),
              scrollCpu[scrollCpu.size() / 2], scrollCpu[scrollCpu.size() * 95 / 100]);
  bool pass = true;
  pass &= Report("first paint after the result", firstPaintMs, 300, "ms");
  pass &= Report("page scroll (95th percentile)", scrolls[scrolls.size() * 95 / 100], 16, "ms");
  pass &= Report("context: first 1,000 lines of «the»", contextMs, 100, "ms");
  pass &= Report("peak memory / text size", peak / textBytes, 2.5, "x");
  pass &= contextRows >= 1000 || !pane.Context().canFetchMore(QModelIndex());
  return pass ? 0 : 1;
}

}  // namespace
}  // namespace lexiscoop

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int scrolls = argc == 3 ? std::atoi(argv[2]) : 200;
  if ((argc != 2 && argc != 3) || scrolls < 1) {
    std::fprintf(stderr, "usage: reading_bench TEXT [SCROLLS]\n");
    return 2;
  }
  return lexiscoop::Run(QString::fromLocal8Bit(argv[1]), scrolls);
}
