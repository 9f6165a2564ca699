// The ways a text comes in: paste, file, drop; the preview and the caption.

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QtTest>

#include "TestSupport.h"
#include "analysis/MyParser.h"
#include "platform/Cp932.h"

using namespace lexiscoop;
using namespace lexiscoop::testing;

class TextInputTest : public QObject {
  Q_OBJECT

 private:
  static QAction* Action(TForm1& form, const char* name) {
    return form.findChild<QAction*>(QString::fromLatin1(name));
  }
  static QString Pane(TForm1& form) {
    return form.findChild<QPlainTextEdit*>(QStringLiteral("reText"))->toPlainText();
  }
  static void Drop(TForm1& form, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &enter);
    if (!enter.isAccepted()) return;
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &drop);
  }
  // Lines of «word» filling exactly `bytes` bytes with CR LF breaks.
  static std::string Lines(size_t bytes) {
    std::string text;
    while (text.size() + 12 <= bytes) text += "abcde fghi\r\n";
    return std::string(bytes - text.size(), 'x') + text;
  }

 private slots:
  void pasteNamesTheTextByItsFirstNonBlankLine() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    QGuiApplication::clipboard()->setText(U("\r\n   Hello world\r\nsecond"));
    Action(form, "acClipToText")->trigger();
    QCOMPARE(form.windowTitle(), U("レキシスクープ 単語拾い /    Hello world"));
    QCOMPARE(form.Parser().FullText(), std::string_view("\r\n   Hello world\r\nsecond"));
    QVERIFY(Action(form, "acAnalize")->isEnabled());
  }

  void accentedWordsAreCountedWholeAndShownAsWritten() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    QGuiApplication::clipboard()->setText(U("café, crème, résumé, naïve; Æsir ﬁsh"));
    Action(form, "acClipToText")->trigger();
    QCOMPARE(form.Parser().FullText(), std::string_view("cafe, creme, resume, naive; AEsir fish"));
    QCOMPARE(Pane(form), U("café, crème, résumé, naïve; Æsir ﬁsh"));
    // A text CP932 holds as it is shows as it is.
    QGuiApplication::clipboard()->setText(U("日本の tea"));
    Action(form, "acClipToText")->trigger();
    QCOMPARE(Pane(form), U("日本の tea"));
  }

  void pastedBytesAreTakenByTheirCharacterSet_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("text");  // CP932 expected
    const QByteArray katakana = QByteArray::fromStdString(Sjis("ﾃｨ ﾃｧ tea\r\n"));  // valid UTF-8 too
    QTest::newRow("Shift-JIS declared") << QStringLiteral("text/plain;charset=Shift_JIS") << katakana << katakana;
    QTest::newRow("Shift-JIS undeclared, katakana") << QStringLiteral("text/plain") << katakana << katakana;
    const QByteArray kanji = QByteArray::fromStdString(Sjis("日本語とﾃｨ\r\n"));
    QTest::newRow("Shift-JIS undeclared, kanji") << QStringLiteral("text/plain") << kanji << kanji;
    const QByteArray accents("caf\xC3\xA9 don\xE2\x80\x99t");
    QTest::newRow("UTF-8 undeclared") << QStringLiteral("text/plain") << accents
                                      << QByteArray::fromStdString(Sjis("cafe don’t"));
    const QByteArray japanese("\xE6\x97\xA5\xE6\x9C\xAC");
    QTest::newRow("UTF-8 declared") << QStringLiteral("text/plain;charset=utf-8") << japanese
                                    << QByteArray::fromStdString(Sjis("日本"));
  }

  void pastedBytesAreTakenByTheirCharacterSet() {
    QFETCH(QString, format);
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, text);
    ProgramFolder folder;
    TForm1 form(folder.Options());
    auto* data = new QMimeData;
    data->setData(format, bytes);
    QGuiApplication::clipboard()->setMimeData(data);
    Action(form, "acClipToText")->trigger();
    QCOMPARE(QByteArray(form.Parser().FullText().data(), static_cast<qsizetype>(form.Parser().FullText().size())), text);
  }

  void blankTextKeepsTheCaptionButEnablesExtract() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    const QString caption = form.windowTitle();
    Action(form, "acAnalize")->trigger();
    QVERIFY(!Action(form, "acAnalize")->isEnabled());
    form.SetCurrentText(" \r\n\t\r\n");
    QCOMPARE(form.windowTitle(), caption);
    QVERIFY(Action(form, "acAnalize")->isEnabled());
    QCOMPARE(form.StatusPanelText(0), U("6 ﾊﾞｲﾄ"));
  }

  void theSameTextAgainChangesNothing() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.SetCurrentText("one two\r\n");
    Action(form, "acAnalize")->trigger();
    const QString summary = form.StatusPanelText(0);
    form.SetCurrentText("one two\r\n");
    QVERIFY(!Action(form, "acAnalize")->isEnabled());
    QCOMPARE(form.StatusPanelText(0), summary);
  }

  void emptyClipboardEmptiesTheText() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    QGuiApplication::clipboard()->clear();
    Action(form, "acClipToText")->trigger();
    QCOMPARE(form.Parser().ByteCount(), 0);
    QCOMPARE(form.StatusPanelText(0), U("0 ﾊﾞｲﾄ"));
    QCOMPARE(Pane(form), QString());
    Action(form, "acAnalize")->trigger();  // nothing to do
    QCOMPARE(form.StatusPanelText(0), U("0 ﾊﾞｲﾄ"));
  }

  void fileOpensOnceUntilAnotherTextReplacesIt() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    const QString path = folder.WriteFile(QStringLiteral("a.txt"), "cat dog\r\n");
    folder.dialogs.chosenFile = path;
    Action(form, "acLoadFromFile")->trigger();
    QCOMPARE(form.windowTitle(), U("レキシスクープ 単語拾い / a.txt"));
    QCOMPARE(Pane(form), QStringLiteral("cat dog\n"));
    Action(form, "acAnalize")->trigger();
    QVERIFY(!Action(form, "acAnalize")->isEnabled());

    // The same path again does nothing, even if the file changed.
    folder.WriteFile(QStringLiteral("a.txt"), "changed\r\n");
    form.OpenTextFile(path);
    QVERIFY(!Action(form, "acAnalize")->isEnabled());
    QCOMPARE(form.Parser().FullText(), std::string_view("cat dog\r\n"));

    // After a paste it loads again.
    form.SetCurrentText("pasted\r\n");
    form.OpenTextFile(path);
    QCOMPARE(form.Parser().FullText(), std::string_view("changed\r\n"));
    QCOMPARE(form.windowTitle(), U("レキシスクープ 単語拾い / a.txt"));
  }

  void fileNamesCompareWithLetterCase() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    const QString lower = folder.WriteFile(QStringLiteral("a.txt"), "lower\r\n");
    const QString upper = folder.WriteFile(QStringLiteral("A.TXT"), "upper\r\n");
    form.OpenTextFile(lower);
    form.OpenTextFile(upper);
    QCOMPARE(form.Parser().FullText(), std::string_view("upper\r\n"));
    QCOMPARE(form.windowTitle(), U("レキシスクープ 単語拾い / A.TXT"));
  }

  void missingPathIsIgnoredButRemembered() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    const QString caption = form.windowTitle();
    const QString missing = folder.FilePath(QStringLiteral("none.txt"));
    form.OpenTextFile(missing);
    QCOMPARE(form.windowTitle(), caption);
    QVERIFY(folder.dialogs.informed.isEmpty() && folder.dialogs.failed.isEmpty());
    // Created afterwards, the same path is still the last one: nothing loads.
    folder.WriteFile(QStringLiteral("none.txt"), "now here\r\n");
    form.OpenTextFile(missing);
    QCOMPARE(form.windowTitle(), caption);
  }

  void cancelledDialogLoadsNothing() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    const std::string before(form.Parser().FullText());
    folder.dialogs.chosenFile.clear();
    Action(form, "acLoadFromFile")->trigger();
    QCOMPARE(std::string(form.Parser().FullText()), before);
  }

  void utf8FileIsShownAsItsText() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    const QString path = folder.WriteFile(QStringLiteral("u.txt"), "\xEF\xBB\xBF" "日本語 text\r\n");
    form.OpenTextFile(path);
    QCOMPARE(Pane(form), U("日本語 text\n"));
    QCOMPARE(form.Parser().FullText(), std::string_view(Sjis("日本語 text\r\n")));
  }

  void paragraphsLongerThanTheScannersWindowAreCounted() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    // A pasted paragraph of 20,000 bytes on one line.
    QString paragraph;
    for (int i = 0; i < 2000; ++i) paragraph += QStringLiteral("The cat. ");
    paragraph += QStringLiteral("\r\nend");
    QGuiApplication::clipboard()->setText(paragraph);
    Action(form, "acClipToText")->trigger();
    QVERIFY(folder.dialogs.failed.isEmpty());
    QVERIFY(Action(form, "acAnalize")->isEnabled());
    Action(form, "acAnalize")->trigger();
    QVERIFY(folder.dialogs.failed.isEmpty());
    QCOMPARE(form.Result().tokenCount, 4001);
    QCOMPARE(form.Result().words.Count(), 3);

    // A file of one word of 5,000 letters.
    const QString path = folder.WriteFile(QStringLiteral("long.txt"), std::string(5000, 'b'));
    form.OpenTextFile(path);
    QVERIFY(folder.dialogs.failed.isEmpty());
    QCOMPARE(form.windowTitle(), U("レキシスクープ 単語拾い / long.txt"));
    Action(form, "acAnalize")->trigger();
    QCOMPARE(form.Result().tokenCount, 1);
    QCOMPARE(form.Result().words.Word(0), std::string_view(std::string(5000, 'b')));
  }

  void previewShowsAtMost4096Bytes() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.SetCurrentText(Lines(4096));
    QVERIFY(!Pane(form).contains(U("以下の表示は省略")));
    QCOMPARE(Pane(form).size(), 4096 - 4096 / 12);  // CR LF shows as one break

    form.SetCurrentText(Lines(4097));
    const QString pane = Pane(form);
    QVERIFY(pane.endsWith(U("\n----- 以下の表示は省略 -----")));
    QCOMPARE(form.StatusPanelText(0), U("4,097 ﾊﾞｲﾄ"));
  }

  void japaneseTextShownWholeHasNoOmissionLine() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.SetCurrentText(Sjis("日本語の文です。\r\nEnglish words.\r\n"));
    QCOMPARE(Pane(form), U("日本語の文です。\nEnglish words.\n"));
  }

  void previewNeverCutsADoubleByteCharacter() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    // 4095 ASCII bytes and then a double-byte character across the limit.
    std::string text = Lines(4095);
    text += Sjis("語") + "\r\n";
    form.SetCurrentText(text);
    const QString pane = Pane(form);
    QVERIFY(!pane.contains(QChar(0xFFFD)));
    QVERIFY(!pane.contains(U("語")));
    QVERIFY(pane.endsWith(U("以下の表示は省略 -----")));
  }

  void oneDroppedFileLoads() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    const QString path = folder.WriteFile(QStringLiteral("dropped.txt"), "dropped words\r\n");
    Drop(form, {QUrl::fromLocalFile(path)});
    QCOMPARE(form.windowTitle(), U("レキシスクープ 単語拾い / dropped.txt"));
    QVERIFY(folder.dialogs.informed.isEmpty());
  }

  void twoDroppedFilesAreRefused() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    const QString caption = form.windowTitle();
    const QString a = folder.WriteFile(QStringLiteral("a.txt"), "a\r\n");
    const QString b = folder.WriteFile(QStringLiteral("b.txt"), "b\r\n");
    Drop(form, {QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
    QCOMPARE(folder.dialogs.informed, QStringList{U("ファイルを１つだけ D&D してください")});
    QCOMPARE(form.windowTitle(), caption);
  }

  void droppedFolderDoesNothingVisible() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    const QString caption = form.windowTitle();
    Drop(form, {QUrl::fromLocalFile(folder.Path())});
    QCOMPARE(form.windowTitle(), caption);
    QVERIFY(folder.dialogs.informed.isEmpty() && folder.dialogs.failed.isEmpty());
  }

  void longDroppedPathStillLoads() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    const QString deep = QStringLiteral("d").repeated(120) + QLatin1Char('/') + QStringLiteral("e").repeated(120);
    QVERIFY(QDir(folder.Path()).mkpath(deep));
    const QString path = folder.WriteFile(deep + QStringLiteral("/long-name.txt"), "far away\r\n");
    QVERIFY(path.size() > 254);
    Drop(form, {QUrl::fromLocalFile(path)});
    QCOMPARE(form.Parser().FullText(), std::string_view("far away\r\n"));
  }

  void withoutDictionaryDropsAreNotTaken() {
    ProgramFolder folder(false);
    TForm1 form(folder.Options());
    const QString path = folder.WriteFile(QStringLiteral("a.txt"), "a\r\n");
    Drop(form, {QUrl::fromLocalFile(path)});
    QVERIFY(!form.Parser().HasText());
  }
};

QTEST_MAIN(TextInputTest)
#include "text_input_test.moc"
