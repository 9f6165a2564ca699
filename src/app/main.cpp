// The window program: splash, main window, message loop.
//
//   lexiscoop                                  the program
//   lexiscoop --smoke-test FILE [--screenshot PNG]
//                                              loads FILE, runs Extract and
//                                              closes; exit code 0 on success,
//                                              1 when the file cannot be read,
//                                              the run fails or a message box
//                                              appears

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <memory>
#include <fcntl.h>
#include <unistd.h>

#include "app/Form1.h"
#include "app/ImageList.h"
#include "app/SmokeTest.h"
#include "app/SplashWin.h"
#include "platform/FileSystem.h"
#include "ui/Dialogs.h"
#include "ui/JapaneseInterface.h"

namespace {

// In a smoke test nobody answers message boxes: they go to standard error
// and are counted as failures.
class ConsoleDialogs final : public lexiscoop::TDialogs {
 public:
  void Inform(QWidget*, const QString& text) override { Print("message", text); }
  void Fail(QWidget*, const QString& text) override { Print("error", text); }
  bool Ask(QWidget*, const QString& text) override {
    Print("question", text);
    return false;
  }
  void Beep() override {}
  QString ChooseTextFile(QWidget*, const QString&) override { return {}; }
  bool OpenUrl(const QUrl&) override { return false; }
  int Count() const { return count_; }

 private:
  void Print(const char* kind, const QString& text) {
    ++count_;
    std::fprintf(stderr, "%s: %s\n", kind, lexiscoop::DisplayLines(text).toUtf8().constData());
  }
  int count_ = 0;
};

// SIGTERM and SIGINT reach the window as a close, so that it writes its
// settings as it does when the user closes it. The handler only writes a
// byte into a pipe; the event loop reads it.
int signalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
  const char byte = 1;
  const int saved = errno;
  [[maybe_unused]] const ssize_t n = write(signalPipe[1], &byte, 1);
  errno = saved;
}

// Catches the signals from the start: one that arrives before the window
// exists waits in the pipe and closes the window as soon as it is shown.
void CatchTerminationSignals() {
  if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  struct sigaction action{};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

// The window a termination signal closes, once there is one, and whether a
// signal came before it.
QPointer<QWidget> windowToClose;
bool terminationPending = false;

void CloseWindowSoon() {
  // Only from the main loop: a close before it would end no loop.
  if (windowToClose) QTimer::singleShot(0, windowToClose, [] { if (windowToClose) windowToClose->close(); });
}

// Reads the signals' pipe from the first event loop on, the start-up's
// message boxes included: a modal dialog (the editor, a question, a
// message about the dictionary) is closed at once, then the window.
void WatchTerminationSignals(QObject& owner) {
  if (signalPipe[0] < 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &owner);
  QObject::connect(notifier, &QSocketNotifier::activated, &owner, [] {
    char bytes[16];
    while (read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    terminationPending = true;
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    CloseWindowSoon();
  });
}

// `window` is the one to close; a signal that came while it was being
// made closes it as soon as the main loop runs.
void CloseOnTerminationSignals(QWidget& window) {
  windowToClose = &window;
  if (terminationPending) CloseWindowSoon();
}

}  // namespace

int main(int argc, char** argv) {
  CatchTerminationSignals();
  QApplication app(argc, argv);
  WatchTerminationSignals(app);
  QApplication::setApplicationName(QStringLiteral("lexiscoop"));
  QApplication::setApplicationVersion(QStringLiteral(LEXISCOOP_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("lexiscoop"));

  QString smokeFile;
  QString screenshot;
  const QStringList args = QApplication::arguments();
  for (qsizetype i = 1; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--smoke-test") && i + 1 < args.size()) {
      smokeFile = args[++i];
    } else if (args[i] == QLatin1String("--screenshot") && i + 1 < args.size()) {
      screenshot = args[++i];
    } else if (args[i] == QLatin1String("--version")) {
      std::printf("lexiscoop %s\n", LEXISCOOP_VERSION);
      return 0;
    } else {
      std::fprintf(stderr, "usage: lexiscoop [--smoke-test FILE [--screenshot PNG]]\n");
      return 2;
    }
  }
  if (!smokeFile.isEmpty()) smokeFile = QDir(QDir::currentPath()).absoluteFilePath(smokeFile);
  if (!screenshot.isEmpty()) screenshot = QDir(QDir::currentPath()).absoluteFilePath(screenshot);

  lexiscoop::InstallJapaneseInterface(app);
  QApplication::setWindowIcon(lexiscoop::ProgramIcon());
  auto splash = std::make_unique<lexiscoop::TSplashWin>();
  splash->show();
  QApplication::processEvents();

  // The level lists are addressed by bare file name in the program folder.
  const std::string programFolder = lexiscoop::ExecutableFolder();
  if (!programFolder.empty()) QDir::setCurrent(QString::fromStdString(programFolder));

  ConsoleDialogs console;
  lexiscoop::TForm1Options options;
  if (!smokeFile.isEmpty()) options.dialogs = &console;
  lexiscoop::TForm1 form(options);
  form.show();
  splash->finish(&form);
  splash.reset();

  CloseOnTerminationSignals(form);
  if (smokeFile.isEmpty()) return QApplication::exec();

  int exitCode = 1;
  QTimer::singleShot(0, &form, [&] {
    exitCode = lexiscoop::RunSmokeTest(form, smokeFile, screenshot, [&console] { return console.Count(); });
    QApplication::quit();
  });
  QApplication::exec();
  return exitCode;
}
