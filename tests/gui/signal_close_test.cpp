// SIGTERM and SIGINT end the window program as a close does: the settings
// are written and the program exits normally.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

class SignalCloseTest : public QObject {
  Q_OBJECT

  // True once the process catches SIGTERM (its handler is installed).
  static bool CatchesTerm(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
      if (line.startsWith("SigCgt:")) return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
    }
    return false;
  }

 private slots:
  void aTerminationSignalClosesTheWindowAndWritesTheSettings_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
  }

  void aTerminationSignalClosesTheWindowAndWritesTheSettings() {
    QFETCH(int, signal);
    QTemporaryDir config;
    QVERIFY(config.isValid());
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(LEXISCOOP_PROGRAM_PATH), {});
    QVERIFY(program.waitForStarted(10000));
    QTRY_VERIFY_WITH_TIMEOUT(CatchesTerm(program.processId()), 30000);
    ::kill(static_cast<pid_t>(program.processId()), signal);
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QFile ini(config.filePath(QStringLiteral("lexiscoop.ini")));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    QVERIFY2(text.contains("[system]") && text.contains("width=") && text.contains("ColWidth="), text.constData());
  }

  // A copy of the program without its dictionary opens with a message box;
  // a signal then closes the box and the program at once, not when someone
  // presses OK.
  void aTerminationSignalClosesTheStartUpMessage() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString program = folder.filePath(QStringLiteral("lexiscoop"));
    QVERIFY(QFile::copy(QStringLiteral(LEXISCOOP_PROGRAM_PATH), program));
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(program, {});
    QVERIFY(process.waitForStarted(10000));
    QTRY_VERIFY_WITH_TIMEOUT(CatchesTerm(process.processId()), 30000);
    QTest::qWait(2000);  // the message box is up by now
    QVERIFY(process.state() == QProcess::Running);
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    QVERIFY2(process.waitForFinished(20000), "the message box held the signal back");
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
  }
};

QTEST_GUILESS_MAIN(SignalCloseTest)
#include "signal_close_test.moc"
