#include "app/SmokeTest.h"

#include <QAction>
#include <QCoreApplication>
#include <QPixmap>
#include <cstdio>

#include "analysis/MyParser.h"
#include "app/Form1.h"

namespace lexiscoop {

int RunSmokeTest(TForm1& form, const QString& textFile, const QString& screenshot, int messagesSoFar) {
  QCoreApplication::processEvents();
  form.OpenTextFile(textFile);
  auto* analyze = form.findChild<QAction*>(QStringLiteral("acAnalize"));
  if (analyze == nullptr || !analyze->isEnabled()) {
    std::fprintf(stderr, "smoke test: Extract is not available after loading %s\n", qPrintable(textFile));
    return 1;
  }
  analyze->trigger();
  QCoreApplication::processEvents();
  const QString summary = form.StatusPanelText(0);
  std::printf("%s\n", summary.toUtf8().constData());
  std::printf("%s\n", form.windowTitle().toUtf8().constData());
  int failures = 0;
  if (form.Result().words.Empty() || form.Result().tokenCount <= 0) {
    std::fprintf(stderr, "smoke test: no words were counted\n");
    ++failures;
  }
  if (messagesSoFar > 0) {
    std::fprintf(stderr, "smoke test: %d message box(es) were shown\n", messagesSoFar);
    ++failures;
  }
  if (!screenshot.isEmpty() && !form.grab().save(screenshot)) {
    std::fprintf(stderr, "smoke test: cannot save %s\n", qPrintable(screenshot));
    ++failures;
  }
  form.close();
  return failures == 0 ? 0 : 1;
}

}  // namespace lexiscoop
