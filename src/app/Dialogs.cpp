#include "app/Dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

#include "app/AppTexts.h"

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

}  // namespace lexiscoop
