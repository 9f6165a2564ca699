// Start-up, settings, the information box and the help document.

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QTextBrowser>
#include <QtTest>

#include "TestSupport.h"
#include "app/HelpWindow.h"
#include "analysis/MyParser.h"
#include "app/AppTexts.h"
#include "app/BuildInfo.h"
#include "app/DataPath.h"
#include "views/widgets/WordListModel.h"
#include "dictionary/ConjugationDictionary.h"
#include "platform/IniFile.h"

using namespace lexiscoop;
using namespace lexiscoop::testing;

class FormShellTest : public QObject {
  Q_OBJECT

 private:
  static QRect Screen() { return QGuiApplication::primaryScreen()->geometry(); }
  static QAction* Action(TForm1& form, const char* name) {
    return form.findChild<QAction*>(QString::fromLatin1(name));
  }
  static void WriteIni(ProgramFolder& folder, const std::string& text) {
    QDir().mkpath(folder.FilePath(QStringLiteral("config")));
    folder.WriteFile(QStringLiteral("config/lexiscoop.ini"), text);
  }
  static QList<int> ColumnWidths(TForm1& form) {
    QHeaderView* header = form.findChild<QTableView*>(QStringLiteral("lvWords"))->horizontalHeader();
    QList<int> widths;
    // The columns of ColWidth; the 訳語 column keeps its width on its own.
    for (int i = 0; i < header->count() && i < WordListModel::kGlossColumn; ++i) widths << header->sectionSize(i);
    return widths;
  }

 private slots:
  void startsAwaitingAnalysisOfTheSampleText() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    QCOMPARE(form.windowTitle(), U("レキシスクープ 単語拾い / 以下は、単語抽出の例文集です。"));
    QVERIFY(folder.dialogs.informed.isEmpty());
    QVERIFY(Action(form, "acAnalize")->isEnabled());
    QVERIFY(form.acceptDrops());

    auto* pages = form.findChild<QTabWidget*>(QStringLiteral("pcMemo"));
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("tsText"));
    QVERIFY(!pages->isTabVisible(pages->indexOf(form.findChild<QWidget*>(QStringLiteral("tsDatas")))));
    const QString pane = form.findChild<QPlainTextEdit*>(QStringLiteral("reText"))->toPlainText();
    QVERIFY(pane.startsWith(U("以下は、単語抽出の例文集です。\nメニューパネル")));
    QVERIFY(pane.contains(QStringLiteral("begins, beginning, began, begun, begins")));
    QVERIFY(!pane.contains(U("以下の表示は省略")));
    QCOMPARE(form.StatusPanelText(0),
             QString::number(form.Parser().ByteCount()) + U(" ﾊﾞｲﾄ"));

    // The result controls wait for a run.
    QVERIFY(!form.findChild<QTableView*>(QStringLiteral("lvWords"))->isEnabled());
    QVERIFY(!form.findChild<QToolButton*>(QStringLiteral("ToolButton8"))->isEnabled());
    QVERIFY(!Action(form, "acCopyWords")->isEnabled());
  }

  void dictionaryLoadSetsLevelHintsAndHidesTheLevelBar() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    QVERIFY(form.HasDictionary());
    QCOMPARE(form.Dictionary().CurrentLexicon()->HeadwordCount(), 28);
    QVERIFY(form.findChild<QToolBar*>(QStringLiteral("cbProUse"))->isHidden());
    QVERIFY(form.findChild<QLabel*>(QStringLiteral("lbTickCount"))->isHidden());
    QCOMPARE(form.findChild<QToolButton*>(QStringLiteral("tbWSBasic"))->toolTip(), U("基本の単語 14 個登録"));
    QCOMPARE(form.findChild<QToolButton*>(QStringLiteral("tbWSJunior"))->toolTip(), U("中学レベルの単語 10 個登録"));
    // No General list in the fixture: its button stays disabled even with results.
    QCOMPARE(form.findChild<QToolButton*>(QStringLiteral("tbWSGeneral"))->toolTip(), QString());
    Action(form, "acAnalize")->trigger();
    QVERIFY(form.findChild<QToolButton*>(QStringLiteral("tbWSBasic"))->isEnabled());
    QVERIFY(!form.findChild<QToolButton*>(QStringLiteral("tbWSGeneral"))->isEnabled());
  }

  void missingDictionaryOpensTheWindowWithoutText() {
    ProgramFolder folder(false);
    TForm1 form(folder.Options());
    QCOMPARE(folder.dialogs.informed.size(), 1);
    QCOMPARE(folder.dialogs.informed[0],
             U("活用辞典 < LxScoop.dat > がありません\r\n\r\n"
               "レキシスクープ 単語拾い を利用するには LxScoop.dat がフォルダ ") +
                 folder.Path() + U(" に必要です"));
    QVERIFY(!form.HasDictionary());
    QVERIFY(!form.acceptDrops());
    QVERIFY(!Action(form, "acAnalize")->isEnabled());
    QVERIFY(!form.Parser().HasText());
    QCOMPARE(form.windowTitle(), U("レキシスクープ 単語拾い"));
    QVERIFY(form.findChild<QPlainTextEdit*>(QStringLiteral("reText"))->toPlainText().startsWith(U("以下は")));
    // The level bar keeps its design state: shown.
    QVERIFY(!form.findChild<QToolBar*>(QStringLiteral("cbProUse"))->isHidden());
  }

  void userDictionaryAloneIsEnough() {
    ProgramFolder folder;
    QVERIFY(QFile::rename(folder.FilePath(QStringLiteral("LxScoop.dat")), folder.FilePath(QStringLiteral("myLxScoop.dat"))));
    TForm1 form(folder.Options());
    QVERIFY(folder.dialogs.informed.isEmpty());
    QVERIFY(form.HasDictionary());
    QCOMPARE(form.Dictionary().CurrentLexicon()->HeadwordCount(), 28);
  }

  void firstStartPlacesTheWindowByTheScreen() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    // As wide as the word-list bar, at least the design width, at most the
    // screen's.
    const int barWidth = form.findChild<QToolBar*>(QStringLiteral("cbWordsSel"))->sizeHint().width();
    const int width = std::min(Screen().width(), std::max(743, barWidth + 8));
    QCOMPARE(form.width(), width);
    QCOMPARE(form.height(), Screen().height() / 2);
    QCOMPARE(form.x(), (Screen().width() - width) / 2);
    QCOMPARE(form.y(), Screen().height() / 4);
    QCOMPARE(ColumnWidths(form), (QList<int>{60, 150, 70, 60, 64}));
  }

  void damagedSettingsGiveTheDefaults() {
    ProgramFolder folder;
    // Binary bytes and a NUL before the section; numbers that are none.
    WriteIni(folder, std::string("\xff\xfe") + '\0' + "garbage\r\n[system]\r\nwidth=12x\r\nheight=\r\ntop=5\r\n" +
                         "ColWidth=,,\"\r\n");
    TForm1 form(folder.Options());
    QCOMPARE(form.width(), 743);
    QCOMPARE(form.height(), Screen().height() / 2);
    QCOMPARE(form.x(), (Screen().width() - 743) / 2);
    QCOMPARE(form.y(), 5);
    QCOMPARE(ColumnWidths(form), (QList<int>{60, 150, 70, 60, 64}));
    QVERIFY(folder.dialogs.informed.isEmpty());
  }

  void storedWidthCentresTheDefaultLeftEdge() {
    ProgramFolder folder;
    WriteIni(folder, "[system]\r\nwidth=700\r\nheight=300\r\ntop=20\r\n");
    TForm1 form(folder.Options());
    QCOMPARE(form.width(), 700);
    QCOMPARE(form.height(), 300);
    QCOMPARE(form.x(), (Screen().width() - 700) / 2);
    QCOMPARE(form.y(), 20);
  }

  void hostileSettingsAreClampedToTheScreen_data() {
    QTest::addColumn<QString>("ini");
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QTest::newRow("far left") << QStringLiteral("left=-100000\r\ntop=10\r\n");
    QTest::newRow("far down") << QStringLiteral("top=100000\r\n");
    QTest::newRow("huge") << QStringLiteral("width=2147483647\r\nheight=2147483647\r\nleft=0\r\ntop=0\r\n");
    QTest::newRow("negative size") << QStringLiteral("width=-5\r\nheight=-2147483648\r\n");
    QTest::newRow("hanging off the right") << QStringLiteral("left=%1\r\ntop=0\r\n").arg(area.right() - 10);
    QTest::newRow("both extremes") << QStringLiteral("left=2147483647\r\ntop=-2147483648\r\nwidth=1\r\n");
  }

  void hostileSettingsAreClampedToTheScreen() {
    QFETCH(QString, ini);
    ProgramFolder folder;
    WriteIni(folder, "[system]\r\n" + ini.toStdString());
    TForm1 form(folder.Options());
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect window(form.x(), form.y(), form.width(), form.height());
    QVERIFY2(area.contains(window), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(window.x()).arg(window.y())
                                                   .arg(window.width()).arg(window.height())));
    QVERIFY(form.width() >= 200 && form.height() >= 200);
  }

  void damagedDictionaryFilesAreNamedAtStart() {
    ProgramFolder folder;
    const QString user = folder.FilePath(QStringLiteral("myLxScoop.dat"));
    QVERIFY(QFile::copy(folder.FilePath(QStringLiteral("LxScoop.dat")), user));
    QVERIFY(QFile::resize(user, QFileInfo(user).size() - 1));
    TForm1 form(folder.Options());
    QCOMPARE(folder.dialogs.informed.size(), 1);
    QVERIFY2(folder.dialogs.informed[0].contains(user), qPrintable(folder.dialogs.informed[0]));
    QVERIFY(folder.dialogs.informed[0].contains(U("壊れている")));
    // Nothing is written over it: a record is refused and the file kept.
    const QByteArray before = [&] {
      QFile f(user);
      f.open(QIODevice::ReadOnly);
      return f.readAll();
    }();
    const std::string path = QFile::encodeName(folder.Path()).toStdString();
    ConjugationDictionary writer(path, path);
    writer.ReloadDictionary(false);
    QCOMPARE(writer.RecordHeadword("zoo", "zoos", 1), RecordStatus::DictionaryUnreadable);
    QFile after(user);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), before);
  }

  void columnWidthsKeepWhatIsNotANumber() {
    ProgramFolder folder;
    WriteIni(folder, "[system]\r\nColWidth=80,x,90\r\n");
    TForm1 form(folder.Options());
    QCOMPARE(ColumnWidths(form), (QList<int>{80, 150, 90, 60, 64}));
  }

  void columnWidthsTakeBlanksQuotesAndIgnoreExtras() {
    ProgramFolder folder;
    WriteIni(folder, "[system]\r\nColWidth=\"61\" 151,-5,62,70,99\r\n");
    TForm1 form(folder.Options());
    QCOMPARE(ColumnWidths(form), (QList<int>{61, 151, 70, 62, 70}));
  }

  void closingWritesBoundsAndColumnWidths() {
    ProgramFolder folder;
    {
      TForm1 form(folder.Options());
      QVERIFY(form.close());
    }
    // The plain profile format, design widths each followed by a comma.
    QVERIFY2(folder.ReadSettings().find("ColWidth=60,150,70,60,64,\r\n") != std::string::npos,
             folder.ReadSettings().c_str());
    {
      TForm1 form(folder.Options());
      form.move(33, 44);
      form.resize(720, 400);
      form.findChild<QTableView*>(QStringLiteral("lvWords"))->horizontalHeader()->resizeSection(1, 123);
      form.findChild<QTableView*>(QStringLiteral("lvWords"))->horizontalHeader()->resizeSection(4, 77);  // レベル
      form.findChild<QTableView*>(QStringLiteral("lvWords"))->horizontalHeader()->resizeSection(5, 210);
      form.findChild<QAction*>(QStringLiteral("acShowGloss"))->trigger();  // hides the 訳語 column
      QVERIFY(form.close());
    }
    TIniFile ini(folder.SettingsPath());
    QCOMPARE(ini.ReadInteger("system", "left", 0), 33);
    QCOMPARE(ini.ReadInteger("system", "top", 0), 44);
    QCOMPARE(ini.ReadInteger("system", "width", 0), 720);
    QCOMPARE(ini.ReadInteger("system", "height", 0), 400);
    QCOMPARE(QString::fromStdString(ini.ReadString("system", "ColWidth", "")), QStringLiteral("60,123,70,60,77,"));
    QVERIFY(folder.ReadSettings().find("\r\n") != std::string::npos);

    // The next window comes back where this one was.
    TForm1 again(folder.Options());
    QCOMPARE(again.pos(), QPoint(33, 44));
    QCOMPARE(again.size(), QSize(720, 400));
    QCOMPARE(ColumnWidths(again), (QList<int>{60, 123, 70, 60, 77}));
    // The 訳語 column comes back as wide and as hidden as it was.
    QTableView* list = again.findChild<QTableView*>(QStringLiteral("lvWords"));
    QVERIFY(list->isColumnHidden(WordListModel::kGlossColumn));
    QAction* show = again.findChild<QAction*>(QStringLiteral("acShowGloss"));
    QVERIFY(!show->isChecked());
    show->trigger();
    QVERIFY(!list->isColumnHidden(WordListModel::kGlossColumn));
    QCOMPARE(list->horizontalHeader()->sectionSize(WordListModel::kGlossColumn), 210);
  }

  void unwritableSettingsDoNotKeepTheWindowOpen() {
    ProgramFolder folder;
    folder.WriteFile(QStringLiteral("blocker"), "a file where a folder should be");
    TForm1Options options = folder.Options();
    options.settingsPath = folder.FilePath(QStringLiteral("blocker/lexiscoop.ini")).toStdString();
    TForm1 form(options);
    form.show();
    QVERIFY(form.close());
    QVERIFY(folder.dialogs.informed.isEmpty());
    QVERIFY(folder.dialogs.failed.isEmpty());
  }

  void settingsLiveInTheUserConfigFolder() {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QCOMPARE(QString::fromStdString(UserAppDataFolderSlash()), config.path() + QLatin1Char('/'));
    ProgramFolder folder;
    TForm1Options options = folder.Options();
    options.settingsPath.clear();
    TForm1 form(options);
    QCOMPARE(QString::fromStdString(form.SettingsPath()), config.path() + QStringLiteral("/lexiscoop.ini"));
    qputenv("XDG_CONFIG_HOME", "relative/ignored");
    QVERIFY(QString::fromStdString(UserAppDataFolder()).endsWith(QStringLiteral("/.config")));
    qunsetenv("XDG_CONFIG_HOME");
  }

  void informationBoxCountsTheDictionary() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Action(form, "N1")->trigger();
    QCOMPARE(folder.dialogs.informed.size(), 1);
    const QString text = folder.dialogs.informed[0];
    const int spellings = form.Dictionary().CurrentLexicon()->HeadwordCount() + form.Dictionary().CurrentLexicon()->FormCount();
    QVERIFY2(text.startsWith(U("\r\n\r\n活用辞典に登録されている語数\r\n\r\n単語:         28\r\n\r\n活用: ") +
                             QStringLiteral("%1").arg(spellings, 10) +
                             U("\r\r\r----- バージョン情報 -----\r\r\r名前： ")),
             qPrintable(text));
    // Name, maker and version come from the build.
    QVERIFY2(text.contains(U("名前： ") + U(build::kProductName) + U("\r\r会社名： ") + U(build::kCompanyName) +
                           U("\r\rバージョン： ") + U(build::kVersion) + U("\r\r作成日： ")),
             qPrintable(text));
    QCOMPARE(QString::fromLatin1(build::kVersion), QStringLiteral(LEXISCOOP_VERSION));
    QVERIFY(text.contains(U("実行ファイル： ") + QCoreApplication::applicationFilePath() + U("\r\r")));
    // The glosses' source is acknowledged as its licence asks.
    QVERIFY(text.endsWith(U(texts::kGlossAttribution) + U("\r\r")));
    QVERIFY(text.contains(U("EDICT")) && text.contains(U("CC BY-SA 3.0")));
    QVERIFY(QRegularExpression(U("作成日： \\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d\r\r")).match(text).hasMatch());
  }

  void helpOpensTheIndexOrSaysItIsMissing() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Action(form, "acOpenDoc")->trigger();
    const QString index = folder.Path() + QStringLiteral("/help/lxindex.html");
    QCOMPARE(folder.dialogs.informed, QStringList{U("ファイルがありません\r\n\r\n") + index});
    QVERIFY(folder.dialogs.opened.isEmpty());

    QDir().mkpath(folder.FilePath(QStringLiteral("help")));
    folder.WriteFile(QStringLiteral("help/lxindex.html"), "<html></html>");
    Action(form, "acOpenDoc")->trigger();
    QCOMPARE(folder.dialogs.opened, QList<QUrl>{QUrl::fromLocalFile(index)});
    form.OpenDocument(index, QStringLiteral("#record"));
    QCOMPARE(folder.dialogs.opened.last().fragment(), QStringLiteral("record"));
    QVERIFY(form.findChild<HelpWindow*>() == nullptr);
  }

  // Where no program is registered for HTML, the pages show in a window of
  // the program's own, links between them working.
  void helpWithoutABrowserShowsInTheProgramsWindow() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    QDir().mkpath(folder.FilePath(QStringLiteral("help")));
    folder.WriteFile(QStringLiteral("help/lxindex.html"),
                     "<html><head><meta charset=\"UTF-8\"></head><body><p>案内</p>"
                     "<p><a href=\"lxedit.html\">辞書編集の案内</a></p></body></html>");
    folder.WriteFile(QStringLiteral("help/lxedit.html"), "<html><head><meta charset=\"UTF-8\"></head><body><h1 id=\"record\">登録</h1></body></html>");
    folder.dialogs.hasOpener = false;
    Action(form, "acOpenDoc")->trigger();
    auto* help = form.findChild<HelpWindow*>();
    QVERIFY(help != nullptr && help->isVisible());
    QTextBrowser& browser = help->Browser();
    QCOMPARE(browser.source(), QUrl::fromLocalFile(folder.FilePath(QStringLiteral("help/lxindex.html"))));
    QVERIFY(browser.toPlainText().contains(U("辞書編集の案内")));
    // Tab reaches the link, Enter follows it.
    browser.setFocus();
    QTest::keyClick(&browser, Qt::Key_Tab);
    QTest::keyClick(&browser, Qt::Key_Return);
    QCOMPARE(browser.source().fileName(), QStringLiteral("lxedit.html"));
    QVERIFY(browser.toPlainText().contains(U("登録")));
    // The editor's help goes to the same window.
    form.OpenDocument(folder.FilePath(QStringLiteral("help/lxedit.html")), QStringLiteral("#record"));
    QCOMPARE(form.findChildren<HelpWindow*>().size(), 1);
    QCOMPARE(browser.source().fragment(), QStringLiteral("record"));
  }

  void closeCommandsCloseTheWindow() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.show();
    Action(form, "acClose")->trigger();
    QVERIFY(!form.isVisible());
    form.show();
    Action(form, "Close1")->trigger();
    QVERIFY(!form.isVisible());
  }
};

QTEST_MAIN(FormShellTest)
#include "form_shell_test.moc"
