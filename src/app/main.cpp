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
#include <QTimer>
#include <cstdio>
#include <memory>

#include "app/Form1.h"
#include "app/ImageList.h"
#include "app/SmokeTest.h"
#include "app/SplashWin.h"
#include "platform/FileSystem.h"
#include "ui/Dialogs.h"
#include "ui/Fonts.h"

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
  QString ChooseTextFile(QWidget*) override { return {}; }
  bool OpenUrl(const QUrl&) override { return false; }
  int Count() const { return count_; }

 private:
  void Print(const char* kind, const QString& text) {
    ++count_;
    std::fprintf(stderr, "%s: %s\n", kind, lexiscoop::DisplayLines(text).toUtf8().constData());
  }
  int count_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
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

  lexiscoop::InstallFontSubstitutions();
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

  if (smokeFile.isEmpty()) return QApplication::exec();

  int exitCode = 1;
  QTimer::singleShot(0, &form, [&] {
    exitCode = lexiscoop::RunSmokeTest(form, smokeFile, screenshot, [&console] { return console.Count(); });
    QApplication::quit();
  });
  QApplication::exec();
  return exitCode;
}
