// Word details and the copy commands.

#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QPlainTextEdit>
#include <QTableView>

#include "app/Form1.h"
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

void TForm1::lvWordsDblClick() {
  const std::vector<int> rows = SelectedRows();
  if (rows.size() != 1 || rows[0] >= shown_->RowCount()) return;
  const std::string details =
      WordDetailsText(shown_->WordOfRow(rows[0]), *dictionary_->CurrentLexicon()) +
      GlossLine(ClassifiedRowOf(*shown_, rows[0], result_).glosses.text);
  dialogs_->Inform(this, QString::fromStdString(Utf8FromCp932(details)));
}

void TForm1::acCopyWordsExecute() { PutOnClipboard(CopySelectedWords(*shown_, SelectedRows(), false)); }

void TForm1::acCopyWordsNumExecute() { PutOnClipboard(CopySelectedWords(*shown_, SelectedRows(), true)); }

void TForm1::CopyStatisticsReport() {
  PutOnClipboard(JoinCrLf(lexiscoop::BuildStatisticsReport(caption_, result_, ReportForm::Clipboard)));
}

void TForm1::acCopyDataExecute() {
  std::vector<std::string> lines;
  for (const QString& line : mmDatas->toPlainText().split(QLatin1Char('\n'))) {
    lines.push_back(Cp932FromUtf8(line.toStdString()));
  }
  PutOnClipboard(CopyPercentColumn(lines));
}

}  // namespace lexiscoop
