#include "app/SmokeTest.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPixmap>
#include <cstdio>

#include "analysis/MyParser.h"
#include "app/Form1.h"

namespace lexiscoop {
namespace {

// Counts the message boxes shown since the last call and reports them as the
// failure of `step`.
class MessageWatch {
 public:
  explicit MessageWatch(const std::function<int()>& shown) : shown_(shown), seen_(shown()) {}

  // Returns true when no message box appeared since the last check.
  bool Quiet(const char* step) {
    const int now = shown_();
    const int added = now - seen_;
    seen_ = now;
    if (added == 0) return true;
    std::fprintf(stderr, "smoke test: %d message box(es) appeared while %s\n", added, step);
    return false;
  }

 private:
  const std::function<int()>& shown_;
  int seen_;
};

}  // namespace

int RunSmokeTest(TForm1& form, const QString& textFile, const QString& screenshot,
                 const std::function<int()>& messagesShown) {
  int failures = 0;
  MessageWatch watch(messagesShown);
  if (messagesShown() > 0) {
    std::fprintf(stderr, "smoke test: %d message box(es) appeared at start-up\n", messagesShown());
    ++failures;
  }
  // The window passes over a file it cannot find without a word, so the test
  // looks for itself: a text that is not there is a failed test, not a run
  // on whatever text the window held before.
  const QFileInfo file(textFile);
  if (!file.isFile() || !file.isReadable()) {
    std::fprintf(stderr, "smoke test: cannot read %s\n", qPrintable(textFile));
    form.close();
    return 1;
  }

  QCoreApplication::processEvents();
  form.OpenTextFile(textFile);
  // A large file is read in the background.
  while (form.Loading()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  if (!watch.Quiet("loading the text")) ++failures;
  auto* analyze = form.findChild<QAction*>(QStringLiteral("acAnalize"));
  if (analyze == nullptr || !analyze->isEnabled()) {
    std::fprintf(stderr, "smoke test: Extract is not available after loading %s\n", qPrintable(textFile));
    form.close();
    return 1;
  }
  analyze->trigger();
  QCoreApplication::processEvents();
  if (!watch.Quiet("extracting")) ++failures;
  const QString summary = form.StatusPanelText(0);
  std::printf("%s\n", summary.toUtf8().constData());
  std::printf("%s\n", form.windowTitle().toUtf8().constData());
  if (form.Result().words.Empty() || form.Result().tokenCount <= 0) {
    std::fprintf(stderr, "smoke test: no words were counted\n");
    ++failures;
  }
  if (!screenshot.isEmpty() && !form.grab().save(screenshot)) {
    std::fprintf(stderr, "smoke test: cannot save %s\n", qPrintable(screenshot));
    ++failures;
  }
  form.close();
  if (!watch.Quiet("closing the window")) ++failures;
  return failures == 0 ? 0 : 1;
}

}  // namespace lexiscoop
