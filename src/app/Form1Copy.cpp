// Word details and the copy commands.

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QItemSelectionModel>
#include <QPlainTextEdit>
#include <QTableView>

#include "app/Form1.h"
#include "app/ReadingPane.h"
#include "dictionary/ConjugationDictionary.h"
#include "platform/Cp932.h"
#include "ui/Dialogs.h"
#include "views/CopyText.h"
#include "views/ShownWordList.h"
#include "views/ClassifiedWord.h"
#include "views/StatisticsReport.h"
#include "views/WordDetails.h"
#include "views/WordGloss.h"

namespace lexiscoop {

void TForm1::PutOnClipboard(const std::string& cp932) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(Utf8FromCp932(cp932)));
}

bool TForm1::CopyFocusedSelection() {
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr) return false;
  if (auto* pane = qobject_cast<QPlainTextEdit*>(focus)) {
    if (!pane->textCursor().hasSelection()) return false;
    pane->copy();
    return true;
  }
  if (auto* pane = qobject_cast<QTextEdit*>(focus)) {
    if (!pane->textCursor().hasSelection()) return false;
    pane->copy();
    return true;
  }
  if (auto* box = qobject_cast<QLineEdit*>(focus)) {
    if (!box->hasSelectedText()) return false;
    box->copy();
    return true;
  }
  if (auto* label = qobject_cast<QLabel*>(focus)) {
    if (!label->hasSelectedText()) return false;
    QGuiApplication::clipboard()->setText(label->selectedText());
    return true;
  }
  QTableView& context = readingPane_->ContextTable();
  if (focus == &context || context.isAncestorOf(focus)) {
    readingPane_->CopyContext();
    return true;
  }
  return false;
}

void TForm1::lvWordsDblClick() {
  const std::vector<int> rows = words_->SelectedRows();
  const ShownWordList& shown = words_->Shown();
  if (rows.size() != 1 || rows[0] >= shown.RowCount()) return;
  const ClassifiedWord row = ClassifiedRowOf(shown, rows[0], run_->Result());
  const std::string details = WordDetailsText(shown.WordOfRow(rows[0]), *dictionary_->CurrentLexicon()) + "\r\n" +
                              WordRunLines(row.level, shown.CountOfRow(rows[0])) + GlossLine(row.glosses.text);
  dialogs_->Inform(this, QString::fromStdString(Utf8FromCp932(details)));
}

void TForm1::acCopyWordsExecute() { PutOnClipboard(CopySelectedWords(words_->Shown(), words_->SelectedRows(), false)); }

void TForm1::acCopyWordsNumExecute() { PutOnClipboard(CopySelectedWords(words_->Shown(), words_->SelectedRows(), true)); }

void TForm1::CopyStatisticsReport() {
  PutOnClipboard(JoinCrLf(lexiscoop::BuildStatisticsReport(ShownCaption(), run_->Result(), ReportForm::Clipboard)));
}

void TForm1::acCopyDataExecute() {
  std::vector<std::string> lines;
  for (const QString& line : mmDatas->toPlainText().split(QLatin1Char('\n'))) {
    lines.push_back(Cp932FromUtf8(line.toStdString()));
  }
  PutOnClipboard(CopyPercentColumn(lines));
}

}  // namespace lexiscoop
