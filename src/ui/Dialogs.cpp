#include "ui/Dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

#include "ui/UiTexts.h"

namespace lexiscoop {

QString DisplayLines(const QString& text) {
  QString lines = text;
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return lines;
}

void TQtDialogs::Inform(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, Qs(texts::kCaptionBase), DisplayLines(text));
}

void TQtDialogs::Fail(QWidget* parent, const QString& text) {
  QMessageBox::critical(parent, Qs(texts::kCaptionBase), DisplayLines(text));
}

bool TQtDialogs::Ask(QWidget* parent, const QString& text) {
  return QMessageBox::question(parent, Qs(texts::kCaptionBase), DisplayLines(text),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void TQtDialogs::Beep() { QApplication::beep(); }

QString TQtDialogs::ChooseTextFile(QWidget* parent) {
  // Letter case counts in file names here, so both spellings of the
  // extension are offered under the text filter.
  QFileDialog dialog(parent);
  dialog.setNameFilters({QStringLiteral("Text files (*.txt *.TXT)"), QStringLiteral("any files (*)")});
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setOption(QFileDialog::ReadOnly, false);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.setSizeGripEnabled(true);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

bool TQtDialogs::OpenUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

QString TDialogs::ChooseExportFile(QWidget*, const QString&) { return {}; }
QStringList TDialogs::ChooseTextFiles(QWidget*) { return {}; }
QString TDialogs::ChooseFolder(QWidget*) { return {}; }

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
  dialog.setSizeGripEnabled(true);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

QString TQtDialogs::ChooseFolder(QWidget* parent) {
  return QFileDialog::getExistingDirectory(parent, Qs("比較するテキストのフォルダ"));
}

}  // namespace lexiscoop
