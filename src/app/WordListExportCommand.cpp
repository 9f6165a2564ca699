#include "app/WordListExportCommand.h"

#include "analysis/Analysis.h"
#include "app/AppTexts.h"
#include "app/ExportPlace.h"
#include "export/ExportFile.h"
#include "export/WordListExport.h"
#include "ui/BusyCursor.h"
#include "ui/Dialogs.h"
#include "views/ShownWordList.h"

namespace lexiscoop {

QString ExportShownWordList(QWidget* parent, TDialogs& dialogs, const ShownWordList& shown,
                            const AnalysisResult& result, std::string_view text, const ExportPlace& place,
                            const QString& suggestedName) {
  const QString path = dialogs.ChooseExportFile(parent, suggestedName);
  if (path.isEmpty()) return {};
  if (const QString refusal = place.Refusal(path); !refusal.isEmpty()) {
    dialogs.Fail(parent, refusal);
    return {};
  }
  const std::string file = path.toStdString();
  const std::optional<ExportFormat> format = ExportFormatFromPath(file);
  if (!format) {
    dialogs.Fail(parent, Qs("エクスポートできる形式は .xlsx .csv .tsv .jsonl です。\n") + path);
    return {};
  }
  Status failure = CheckExportRowCount(static_cast<size_t>(shown.RowCount()), *format);
  if (failure.ok()) {
    BusyCursor busy;
    failure = WriteExportFile(ShownWordListTable(shown, result, text, *format), *format, file);
  }
  if (!failure.ok()) {
    dialogs.Fail(parent, Qs("エクスポートできませんでした。\n") + path + QStringLiteral("\n") +
                             QString::fromStdString(failure.ToString()));
    return {};
  }
  return path;
}

}  // namespace lexiscoop
