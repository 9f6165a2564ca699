// SIGTERM and SIGINT end the window program as a close does: the settings
// are written and the program exits normally.
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
};

QTEST_GUILESS_MAIN(SignalCloseTest)
#include "signal_close_test.moc"
