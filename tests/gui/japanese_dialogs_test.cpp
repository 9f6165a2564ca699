// The standard dialogs as the user meets them: Qt's own buttons and file
// dialog in Japanese, message boxes wide enough for their title and drawn in
// one font, and the open dialog starting where the user's texts are.

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRawFont>
#include <QtTest>

#include "ui/Dialogs.h"
#include "ui/JapaneseInterface.h"
#include "ui/UiTexts.h"

using namespace lexiscoop;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// A button's caption without its mnemonic: «はい(&Y)» → «はい».
QString Plain(QString caption) {
  caption.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
  caption.remove(QLatin1Char('&'));
  return caption.trimmed();
}

}  // namespace

class JapaneseDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY(InstallJapaneseInterface(*qApp)); }

  void standardButtonsReadJapanese_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("caption");
    QTest::newRow("yes") << int{QMessageBox::Yes} << U("はい");
    QTest::newRow("no") << int{QMessageBox::No} << U("いいえ");
    QTest::newRow("cancel") << int{QMessageBox::Cancel} << U("キャンセル");
    QTest::newRow("open") << int{QMessageBox::Open} << U("開く");
  }
  void standardButtonsReadJapanese() {
    QFETCH(int, button);
    QFETCH(QString, caption);
    const auto standard = static_cast<QMessageBox::StandardButton>(button);
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(nullptr, QMessageBox::Question, U("続けますか"), standard);
    QVERIFY(box->button(standard) != nullptr);
    QCOMPARE(Plain(box->button(standard)->text()), caption);
  }

  void textFileDialogIsQtsOwnInJapaneseAndStartsInTheFolder() {
    QTemporaryDir folder;
    const std::unique_ptr<QFileDialog> dialog = MakeTextFileDialog(nullptr, folder.path());
    QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
    QCOMPARE(QDir(dialog->directory()).canonicalPath(), QDir(folder.path()).canonicalPath());
    dialog->show();
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    QVERIFY(buttons != nullptr);
    QCOMPARE(Plain(buttons->button(QDialogButtonBox::Open)->text()), U("開く"));
    QCOMPARE(Plain(buttons->button(QDialogButtonBox::Cancel)->text()), U("キャンセル"));
    // The labels of the dialog itself are translated too.
    bool englishLabel = false;
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
      const QString text = Plain(label->text());
      if (text == QLatin1String("Look in:") || text == QLatin1String("File name:")) englishLabel = true;
    }
    QVERIFY(!englishLabel);
    dialog->reject();
  }

  void messageBoxesAreWideEnoughForTheirTitle_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("short") << U("ファイルがありません");
    QTest::newRow("one letter") << QStringLiteral("x");
    QTest::newRow("two lines") << U("活用辞典 < LxScoop.dat > がありません\r\n\r\nOK");
  }
  void messageBoxesAreWideEnoughForTheirTitle() {
    QFETCH(QString, text);
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(nullptr, QMessageBox::Information, text, QMessageBox::Ok);
    box->show();
    QCOMPARE(box->windowTitle(), Qs(texts::kCaptionBase));
    QFont bold = box->font();
    bold.setBold(true);
    // The title in a bold frame font, with room for the frame's buttons.
    QVERIFY2(box->width() >= QFontMetrics(bold).horizontalAdvance(box->windowTitle()) + 100,
             qPrintable(QString::number(box->width())));
    box->close();
  }

  void messageBoxTextIsDrawnInOneFont() {
    // The information box mixes Latin and Japanese text; every character
    // must come from the box's own font, none from a fallback font.
    const QString text = U("----- バージョン情報 -----\n単語:     40,543\nバージョン： 0.1.0");
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(nullptr, QMessageBox::Information, text, QMessageBox::Ok);
    box->show();
    QLabel* label = nullptr;
    for (QLabel* candidate : box->findChildren<QLabel*>()) {
      if (candidate->text() == text) label = candidate;
    }
    QVERIFY(label != nullptr);
    const QRawFont font = QRawFont::fromFont(label->font());
    QVERIFY(font.isValid());
    for (const QChar c : text) {
      if (c == QLatin1Char('\n')) continue;
      QVERIFY2(font.supportsCharacter(c), qPrintable(QStringLiteral("%1 not in %2").arg(c).arg(font.familyName())));
    }
  }
};

QTEST_MAIN(JapaneseDialogsTest)
#include "japanese_dialogs_test.moc"
