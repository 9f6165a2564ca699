// The Extract command: summary, level captions, the window's states, stop,
// failures and closing during a run.

#include <QAction>
#include <QClipboard>
#include <functional>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "TestSupport.h"
#include "analysis/MyParser.h"
#include "analysis/NumberFormat.h"
#include "views/ShownWordList.h"

using namespace lexiscoop;
using namespace lexiscoop::testing;

class AnalysisRunTest : public QObject {
  Q_OBJECT

 private:
  static QAction* Action(TForm1& form, const char* name) {
    return form.findChild<QAction*>(QString::fromLatin1(name));
  }
  static QString Caption(TForm1& form, const char* button) {
    return form.findChild<QToolButton*>(QString::fromLatin1(button))->text();
  }
  static QTabWidget* Pages(TForm1& form) { return form.findChild<QTabWidget*>(QStringLiteral("pcMemo")); }
  static bool DetailsTabVisible(TForm1& form) {
    return Pages(form)->isTabVisible(Pages(form)->indexOf(form.findChild<QWidget*>(QStringLiteral("tsDatas"))));
  }
  // «w0 w1 ... » lines: `words` words, ten to a line.
  static std::string ManyWords(int words) {
    std::string text;
    for (int i = 0; i < words; ++i) {
      text += "word";
      text += std::to_string(i % 5000);
      text += (i % 10 == 9) ? "\r\n" : " ";
    }
    return text;
  }

 private slots:
  void runOnTheSampleShowsResults() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Action(form, "acAnalize")->trigger();
    const AnalysisResult& result = form.Result();
    QVERIFY(result.tokenCount > 0);
    const QString expected = QString::fromStdString(FormatThousands(result.words.Count())) + U(" 種 ") +
                             QString::fromStdString(FormatThousands(result.tokenCount)) + U(" 語 ") +
                             QStringLiteral("%1min%2sec(3 words per sec) / ").arg(result.tokenCount / 180).arg(result.tokenCount / 3 % 60) +
                             QString::fromStdString(FormatThousands(form.Parser().ByteCount())) + U(" ﾊﾞｲﾄ");
    QCOMPARE(form.StatusPanelText(0), expected);
    // The sample's 31 distinct words against the fixture: 12 Basic (the, is,
    // cat, cats, ...), 14 Junior (running, wrote, begins, ...), wife,
    // Japan (in no list), and foure, Thomas, caat not in the dictionary.
    QCOMPARE(result.words.Count(), 31);
    const char* captions[][2] = {{"tbWSBasic", "基本 38%"},       {"tbWSJunior", "中学 45%"},
                                 {"tbWSToUnivercity", "大学受験 3%"}, {"tbWSGeneral", "一般 0%"},
                                 {"tbWSOther", "その他 3%"},       {"tbWSNone", "未登録 9%"}};
    for (const auto& [button, caption] : captions) QCOMPARE(Caption(form, button), U(caption));
    QVERIFY(!Action(form, "acAnalize")->isEnabled());
    QCOMPARE(form.findChild<QToolButton*>(QStringLiteral("tbAnalizeStart"))->defaultAction(), Action(form, "acAnalize"));
    QVERIFY(DetailsTabVisible(form));
    QCOMPARE(Pages(form)->currentWidget()->objectName(), QStringLiteral("tsDatas"));
    QVERIFY(form.findChild<QTableView*>(QStringLiteral("lvWords"))->isEnabled());
    QVERIFY(Action(form, "acCopyWords")->isEnabled());
    QVERIFY(form.findChild<QToolButton*>(QStringLiteral("ToolButton8"))->isEnabled());
    QCOMPARE(form.findChild<QTableView*>(QStringLiteral("lvWords"))->model()->rowCount(), form.Shown().RowCount());
    QVERIFY(form.Shown().RowCount() > 0);
    QCOMPARE(form.StatusPanelText(1), U("0 個選択"));
    QCOMPARE(form.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"))->value(), 0);
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
  }

  void levelCaptionsGiveTheShareOfDistinctWords() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    // cat: Basic; wife: University; zebra: not in the dictionary.
    form.SetCurrentText("cat zebra wife\r\n");
    QCOMPARE(Caption(form, "tbWSBasic"), U("基本"));
    Action(form, "acAnalize")->trigger();
    QCOMPARE(Caption(form, "tbWSBasic"), U("基本 33%"));
    QCOMPARE(Caption(form, "tbWSJunior"), U("中学 0%"));
    QCOMPARE(Caption(form, "tbWSToUnivercity"), U("大学受験 33%"));
    QCOMPARE(Caption(form, "tbWSGeneral"), U("一般 0%"));
    QCOMPARE(Caption(form, "tbWSOther"), U("その他 0%"));
    QCOMPARE(Caption(form, "tbWSNone"), U("未登録 33%"));

    // A new text brings back the plain names and the awaiting layout.
    form.SetCurrentText("dog\r\n");
    QCOMPARE(Caption(form, "tbWSBasic"), U("基本"));
    QCOMPARE(Caption(form, "tbWSNone"), U("未登録"));
    QVERIFY(!DetailsTabVisible(form));
    QCOMPARE(Pages(form)->currentWidget()->objectName(), QStringLiteral("tsText"));
    QCOMPARE(form.findChild<QTableView*>(QStringLiteral("lvWords"))->model()->rowCount(), 0);
    QVERIFY(!form.findChild<QTableView*>(QStringLiteral("lvWords"))->isEnabled());
    QCOMPARE(form.StatusPanelText(1), QString());
    // The last run's table stays until the next run.
    QCOMPARE(form.Result().words.Count(), 3);
  }

  void headwordWithInflectionsWinsTheClassification() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    // «left» is a headword without inflections and a spelling of «leave».
    form.SetCurrentText("left\r\n");
    Action(form, "acAnalize")->trigger();
    QCOMPARE(Caption(form, "tbWSToUnivercity"), U("大学受験 100%"));
  }

  void textWithoutWordsGivesZeroCounts() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.SetCurrentText(Sjis("日本語。\r\n"));
    Action(form, "acAnalize")->trigger();
    QCOMPARE(form.StatusPanelText(0), U("0 種 0 語 0min0sec(3 words per sec) / 10 ﾊﾞｲﾄ"));
    QCOMPARE(Caption(form, "tbWSBasic"), U("基本"));
    QCOMPARE(Caption(form, "tbWSNone"), U("未登録"));
  }

  void stopEndsTheRunWithTheWordsCountedSoFar() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    constexpr int kWords = 4000000;  // a run of several time slices anywhere
    form.SetCurrentText(ManyWords(kWords));
    auto* button = form.findChild<QToolButton*>(QStringLiteral("tbAnalizeStart"));
    auto* bar = form.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    bool sawStop = false;
    bool sawHourglass = false;
    QSet<int> barPositions;
    // Every time the run lets events through: look; once the bar has moved
    // (from full at the start to the scan's progress), press the button the
    // run shows.
    QTimer looks;
    connect(&looks, &QTimer::timeout, &form, [&] {
      barPositions << bar->value();
      if (barPositions.size() < 2) return;
      looks.stop();
      sawStop = button->defaultAction() == Action(form, "acStopAnalize");
      sawHourglass = QGuiApplication::overrideCursor() != nullptr &&
                     QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
      QVERIFY(form.Running());
      QVERIFY(!Action(form, "acLoadFromFile")->isEnabled());
      QVERIFY(!Action(form, "acClipToText")->isEnabled());
      QVERIFY(!Action(form, "acEditDic")->isEnabled());
      button->click();
    });
    looks.start(0);
    Action(form, "acAnalize")->trigger();
    QVERIFY(sawStop);
    QVERIFY(sawHourglass);
    QVERIFY2(barPositions.size() >= 2, "the progress bar did not move");
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    QVERIFY(!form.Running());
    const AnalysisResult& result = form.Result();
    QVERIFY(result.tokenCount < kWords);
    QVERIFY(form.StatusPanelText(0).contains(QString::fromStdString(FormatThousands(result.tokenCount)) + U(" 語")));
    QCOMPARE(button->defaultAction(), Action(form, "acAnalize"));
    QVERIFY(Action(form, "acLoadFromFile")->isEnabled());
    QVERIFY(DetailsTabVisible(form));
    QCOMPARE(button->actions().size(), 1);  // no menu arrow left behind

    // The partial figures say so wherever they appear, and Extract is
    // offered again at once.
    const QString note = U("中止: ") + QString::fromStdString(FormatThousands(result.tokenCount)) + U(" 語まで");
    QVERIFY2(form.StatusPanelText(0).startsWith(note + QStringLiteral("  ")), qPrintable(form.StatusPanelText(0)));
    QVERIFY2(form.windowTitle().endsWith(QStringLiteral(" (") + note + QStringLiteral(")")), qPrintable(form.windowTitle()));
    const QString report = form.findChild<QPlainTextEdit*>(QStringLiteral("mmDatas"))->toPlainText();
    QVERIFY2(report.section(QLatin1Char('\n'), 0, 0).contains(note), qPrintable(report.left(200)));
    QVERIFY(form.findChild<QLabel*>(QStringLiteral("CoverageVerdict"))->text().startsWith(note + QStringLiteral(": ")));
    QVERIFY(Action(form, "acAnalize")->isEnabled());

    // A whole run takes the marks away.
    Action(form, "acAnalize")->trigger();
    QCOMPARE(form.Result().tokenCount, kWords);
    QVERIFY(!form.StatusPanelText(0).contains(U("中止")));
    QVERIFY(!form.windowTitle().contains(U("中止")));
    QVERIFY(!form.findChild<QLabel*>(QStringLiteral("CoverageVerdict"))->text().contains(U("中止")));
    QVERIFY(!Action(form, "acAnalize")->isEnabled());
  }

  void lineLongerThanTheScannersWindowIsCountedWhole() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    std::string text;
    for (int line = 1; line < 40; ++line) text += "short line\r\n";
    for (int i = 0; i < 1000; ++i) text += "abcd ";
    text += "\r\nend\r\n";
    form.SetCurrentText(text);
    Action(form, "acAnalize")->trigger();

    QVERIFY(folder.dialogs.failed.isEmpty());
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    const WordTable& words = form.Result().words;
    QCOMPARE(words.Occurrences(words.IndexOf("short")), 39);
    QCOMPARE(words.Occurrences(words.IndexOf("abcd")), 1000);
    QCOMPARE(words.Occurrences(words.IndexOf("end")), 1);
    QCOMPARE(form.Result().tokenCount, 39 * 2 + 1000 + 1);
    QVERIFY(DetailsTabVisible(form));
    QVERIFY(!Action(form, "acAnalize")->isEnabled());
  }

  void closingDuringARunStopsItFirst() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.show();
    form.SetCurrentText(ManyWords(400000));
    bool refusedWhileRunning = false;
    QTimer::singleShot(0, &form, [&] {
      refusedWhileRunning = !form.close() && form.isVisible();
    });
    Action(form, "acAnalize")->trigger();
    QVERIFY(refusedWhileRunning);
    QVERIFY(form.Result().tokenCount < 400000);
    QTRY_VERIFY(!form.isVisible());
    QVERIFY(!folder.ReadSettings().empty());
  }

  void extractWaitingWhileATextIsSetLeavesTheNewTextAwaiting() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    // Extract is pressed while the next text is read, and handled when the
    // window next lets events through.
    bool extracted = false;
    QTimer::singleShot(0, &form, [&] {
      extracted = Action(form, "acAnalize")->isEnabled();
      Action(form, "acAnalize")->trigger();
    });
    form.SetCurrentText("cat dog wife\r\n");
    QVERIFY(extracted);
    QVERIFY(form.AwaitingAnalysis());
    QVERIFY(Action(form, "acAnalize")->isEnabled());
    QVERIFY(!DetailsTabVisible(form));
    auto* list = form.findChild<QTableView*>(QStringLiteral("lvWords"));
    QCOMPARE(list->model()->rowCount(), 0);
    Action(form, "acAnalize")->trigger();
    QVERIFY(!form.AwaitingAnalysis());
    QCOMPARE(form.Result().words.Count(), 3);
    QCOMPARE(list->model()->rowCount(), form.Shown().RowCount());
  }

  void textPastedAsARunEndsIsNotShownAsAnalysed() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.SetCurrentText("cat dog wife\r\n");
    QGuiApplication::clipboard()->setText(QStringLiteral("zebra\r\n"));
    // Paste is pressed during the run and handled at the first chance once
    // the scan is over.
    std::function<void()> paste = [&] {
      if (form.Running()) {
        QTimer::singleShot(0, &form, paste);
        return;
      }
      Action(form, "acClipToText")->trigger();
    };
    QTimer::singleShot(0, &form, paste);
    Action(form, "acAnalize")->trigger();
    QCoreApplication::processEvents();
    // Either the results of the text analysed, or the pasted text awaiting
    // its run.
    if (form.AwaitingAnalysis()) {
      QCOMPARE(form.Parser().FullText(), std::string_view("zebra\r\n"));
      QVERIFY(Action(form, "acAnalize")->isEnabled());
    } else {
      QCOMPARE(form.Parser().FullText(), std::string_view("cat dog wife\r\n"));
      QVERIFY(!Action(form, "acAnalize")->isEnabled());
    }
  }

  void selectionCountFollowsTheList() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.show();
    form.SetCurrentText("cat dog wife\r\n");
    Action(form, "acAnalize")->trigger();
    auto* list = form.findChild<QTableView*>(QStringLiteral("lvWords"));
    list->selectAll();
    QTest::keyRelease(list, Qt::Key_Shift);
    QCOMPARE(form.StatusPanelText(1), U("3 個選択"));
  }
};

QTEST_MAIN(AnalysisRunTest)
#include "analysis_run_test.moc"
