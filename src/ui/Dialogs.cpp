#include "ui/Dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontMetrics>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QSpacerItem>

#include "ui/UiTexts.h"

namespace lexiscoop {

QString DisplayLines(const QString& text) {
  QString lines = text;
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return lines;
}

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                            QMessageBox::StandardButtons buttons) {
  auto box = std::make_unique<QMessageBox>(icon, Qs(texts::kCaptionBase), DisplayLines(text), buttons, parent);
  // The window manager shortens a title that is wider than the window; the
  // frame's title font is usually bold, and the frame's buttons take room
  // beside the title.
  QFont titleFont = box->font();
  titleFont.setBold(true);
  const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(box->windowTitle()) * 5 / 4 + 120;
  if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
    grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
  }
  return box;
}

void TQtDialogs::Inform(QWidget* parent, const QString& text) {
  MakeMessageBox(parent, QMessageBox::Information, text, QMessageBox::Ok)->exec();
}

void TQtDialogs::Fail(QWidget* parent, const QString& text) {
  MakeMessageBox(parent, QMessageBox::Critical, text, QMessageBox::Ok)->exec();
}

bool TQtDialogs::Ask(QWidget* parent, const QString& text) {
  const std::unique_ptr<QMessageBox> box =
      MakeMessageBox(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No);
  box->setDefaultButton(QMessageBox::Yes);
  return box->exec() == QMessageBox::Yes;
}

void TQtDialogs::Beep() { QApplication::beep(); }

std::unique_ptr<QFileDialog> MakeTextFileDialog(QWidget* parent, const QString& folder) {
  auto dialog = std::make_unique<QFileDialog>(parent, Qs("テキストファイルを開く"), folder);
  // Letter case counts in file names here, so both spellings of the
  // extension are offered under the text filter.
  dialog->setNameFilters({Qs("テキストファイル (*.txt *.TXT)"), Qs("すべてのファイル (*)")});
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setOption(QFileDialog::DontUseNativeDialog, true);
  dialog->setSizeGripEnabled(true);
  return dialog;
}

QString TQtDialogs::ChooseTextFile(QWidget* parent, const QString& folder) {
  const std::unique_ptr<QFileDialog> dialog = MakeTextFileDialog(parent, folder);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
  return dialog->selectedFiles().constFirst();
}

namespace {

// Whether the desktop has a program for `url`. The desktop's opener is
// started without waiting for it, so a missing program would otherwise go
// unnoticed: xdg-open must exist and name a program for the file's type,
// or a browser must be on hand for it to fall back on.
bool DesktopHasProgramFor(const QUrl& url) {
  if (!url.isLocalFile()) return true;
  if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty()) return false;
  if (!qEnvironmentVariableIsEmpty("BROWSER")) return true;
  for (const char* browser : {"x-www-browser", "www-browser", "firefox", "firefox-esr", "chromium",
                              "google-chrome", "epiphany", "konqueror"}) {
    if (!QStandardPaths::findExecutable(QString::fromLatin1(browser)).isEmpty()) return true;
  }
  const QString type = QMimeDatabase().mimeTypeForFile(url.toLocalFile()).name();
  QProcess query;
  query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type});
  if (!query.waitForFinished(3000)) {
    query.kill();
    query.waitForFinished(1000);
    return false;
  }
  return query.exitCode() == 0 && !query.readAllStandardOutput().trimmed().isEmpty();
}

}  // namespace

bool TQtDialogs::OpenUrl(const QUrl& url) {
  return DesktopHasProgramFor(url) && QDesktopServices::openUrl(url);
}

QString TDialogs::ChooseExportFile(QWidget*, const QString&) { return {}; }
QStringList TDialogs::ChooseTextFiles(QWidget*) { return {}; }
QString TDialogs::ChooseFolder(QWidget*) { return {}; }
QString TDialogs::AskText(QWidget*, const QString&) { return {}; }
QStringList TDialogs::ChooseListFiles(QWidget*, bool) { return {}; }
int TDialogs::AskChoice(QWidget*, const QString&, const QString&, const QStringList&) { return -1; }

QString TQtDialogs::ChooseExportFile(QWidget* parent, const QString& suggested) {
  struct Type {
    const char* filter;
    const char* suffix;
  };
  static const Type kTypes[] = {
      {"Excel ブック (*.xlsx)", "xlsx"},
      {"CSV UTF-8 (*.csv)", "csv"},
      {"フラッシュカード TSV (*.tsv)", "tsv"},
      {"JSON lines (*.jsonl)", "jsonl"},
  };
  QStringList filters;
  for (const Type& type : kTypes) filters << Qs(type.filter);
  QFileDialog dialog(parent, Qs("エクスポート"), suggested);
  dialog.setNameFilters(filters);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QString::fromLatin1(kTypes[0].suffix));
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters](const QString& filter) {
    const qsizetype i = filters.indexOf(filter);
    if (i >= 0) dialog.setDefaultSuffix(QString::fromLatin1(kTypes[i].suffix));
  });
  dialog.setSizeGripEnabled(true);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

QStringList TQtDialogs::ChooseTextFiles(QWidget* parent) {
  QFileDialog dialog(parent, Qs("比較するテキストファイル"));
  dialog.setNameFilters({QStringLiteral("Text files (*.txt *.TXT)"), QStringLiteral("any files (*)")});
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setSizeGripEnabled(true);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

QString TQtDialogs::ChooseFolder(QWidget* parent) {
  return QFileDialog::getExistingDirectory(parent, Qs("比較するテキストのフォルダ"), QString(),
                                           QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
}

QString TQtDialogs::AskText(QWidget* parent, const QString& prompt) {
  return QInputDialog::getText(parent, Qs(texts::kCaptionBase), prompt).trimmed();
}

QStringList TQtDialogs::ChooseListFiles(QWidget* parent, bool several) {
  QFileDialog dialog(parent, Qs("単語リストのファイルを開く"));
  dialog.setNameFilters({Qs("単語リスト (*.txt *.TXT *.csv *.CSV *.tsv *.TSV *.xlsx *.XLSX)"), Qs("すべてのファイル (*)")});
  dialog.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setSizeGripEnabled(true);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

int TQtDialogs::AskChoice(QWidget* parent, const QString& text, const QString& details, const QStringList& buttons) {
  QDialog dialog(parent);
  dialog.setWindowTitle(Qs(texts::kCaptionBase));
  dialog.setSizeGripEnabled(true);
  auto* layout = new QVBoxLayout(&dialog);
  auto* label = new QLabel(DisplayLines(text), &dialog);
  label->setWordWrap(true);
  layout->addWidget(label);
  if (!details.isEmpty()) {
    auto* box = new QPlainTextEdit(DisplayLines(details), &dialog);
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setMinimumSize(480, 200);
    layout->addWidget(box, 1);
  }
  auto* row = new QDialogButtonBox(&dialog);
  int chosen = -1;
  for (int i = 0; i < buttons.size(); ++i) {
    QPushButton* button = row->addButton(buttons[i], QDialogButtonBox::ActionRole);
    if (i == 0) button->setDefault(true);
    QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, &chosen, i] {
      chosen = i;
      dialog.accept();
    });
  }
  layout->addWidget(row);
  dialog.exec();
  return chosen;
}

}  // namespace lexiscoop
