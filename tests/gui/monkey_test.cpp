// A monkey test of the main window: thousands of random commands given as a
// user gives them (texts pasted, loaded, dropped or set; Extract and Stop;
// sorts, filters, selections, searches, copies; records and deletes in the
// dictionary editor, its questions answered at random), some of them from
// inside the event pumps of a text set, a run or a rebuild. After every
// command the shown word list, the list view, the word table, the level
// counters and the dictionary must still agree.
//
// Options after Qt Test's own: --seed N (default 1) and --commands N
// (default 5000). A failure names the seed, the command and the commands
// before it.

#include <QElapsedTimer>
#include <QtTest>

#include "monkey/Monkey.h"

using namespace lexiscoop::monkey;

namespace {

// Passes every message on to Qt Test except the offscreen platform's notes
// on what it lacks (raise, keyboard grabs), which a long run would repeat
// past Qt Test's limit on warnings; the model testers' findings also go to
// the monkey, which reports them with the commands before them.
QtMessageHandler g_testHandler = nullptr;

void MessageFilter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
  if (context.category != nullptr && qstrcmp(context.category, "qt.modeltest") == 0 && type != QtDebugMsg &&
      g_modelFault) {
    g_modelFault(message);
  }
  g_testHandler(type, context, message);
}

}  // namespace

class MonkeyTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { g_testHandler = qInstallMessageHandler(MessageFilter); }
  void cleanupTestCase() { qInstallMessageHandler(g_testHandler); }

  void randomCommandsKeepTheWindowConsistent() {
    ProgramFolder folder;
    Monkey monkey(folder, g_options.seed);
    QElapsedTimer clock;
    clock.start();
    const QString fault = monkey.Run(g_options.commands);
    qInfo().noquote() << monkey.Figures() << QStringLiteral("\n  %1 ms").arg(clock.elapsed());
    g_modelFault = nullptr;
    if (!fault.isEmpty()) QFAIL(qPrintable(fault));
  }
};

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QStringList testArguments;
  const QStringList arguments = QCoreApplication::arguments();
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    const bool seed = argument == QStringLiteral("--seed");
    if ((seed || argument == QStringLiteral("--commands")) && i + 1 < arguments.size()) {
      bool ok = false;
      const qulonglong value = arguments[++i].toULongLong(&ok);
      if (!ok || (!seed && (value == 0 || value > 10000000))) {
        qCritical("usage: monkey_test [Qt Test options] [--seed N] [--commands N]");
        return 2;
      }
      if (seed) {
        g_options.seed = static_cast<uint32_t>(value);
      } else {
        g_options.commands = static_cast<int>(value);
      }
      continue;
    }
    testArguments << argument;
  }
  MonkeyTest test;
  return QTest::qExec(&test, testArguments);
}

#include "monkey_test.moc"
