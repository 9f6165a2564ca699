#include "app/ExportCommands.h"

#include <QWidget>

#include "analysis/MyParser.h"
#include "app/ExportPlace.h"
#include "app/ProfileWindow.h"
#include "app/RunController.h"
#include "app/TextInputController.h"
#include "app/WordListExportCommand.h"

namespace lexiscoop {

ExportCommands::ExportCommands(Parts parts) : QObject(&parts.window), parts_(parts) {}

bool ExportCommands::CanExport() const { return !parts_.run.Busy() && parts_.run.ShowsResults(); }

void ExportCommands::ExportRows(const ShownWordList& rows, const QString& nameSuffix, const QString& fallback) {
  if (!CanExport()) return;
  // A text that came from no file has no name to extend: the fallback.
  const QString base = parts_.input.TextBaseName();
  const QString suggested =
      parts_.place.Suggest(base.isEmpty() ? base : base + nameSuffix, QStringLiteral(".xlsx"), fallback);
  parts_.place.Saved(ExportShownWordList(&parts_.window, parts_.dialogs, rows, parts_.run.Result(),
                                         parts_.run.Text().FullText(), parts_.place, suggested));
}

void ExportCommands::ShowCompareWindow(const ConjugationDictionary& dictionary,
                                       std::function<std::shared_ptr<const tagging::TaggerModel>()> contextModel) {
  if (compareWindow_ == nullptr) {
    compareWindow_ = new TfrmProfile(&parts_.window, parts_.dialogs, dictionary, &parts_.place);
    compareWindow_->SetContextModel(std::move(contextModel));
  }
  compareWindow_->show();
  compareWindow_->raise();
  compareWindow_->activateWindow();
}

}  // namespace lexiscoop
