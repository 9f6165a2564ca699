// The window's commands that take results out of it: the word list export and
// the compare-texts window.
#include <QDir>

#include "app/Form1.h"
#include "app/ProfileWindow.h"
#include "app/WordListExportCommand.h"

namespace lexiscoop {

void TForm1::acExportExecute() {
  if (run_->Busy() || !run_->ShowsResults()) return;
  const QString written = ExportShownWordList(this, *dialogs_, words_->Shown(), run_->Result(), run_->Text().FullText(),
                                              exportPlace_,
                                              exportPlace_.Suggest(TextBaseName(), QStringLiteral(".xlsx"), QStringLiteral("words")));
  exportPlace_.Saved(written);
}

void TForm1::acCompareTextsExecute() {
  if (frmProfile_ == nullptr) frmProfile_ = new TfrmProfile(this, *dialogs_, *dictionary_, &exportPlace_);
  frmProfile_->show();
  frmProfile_->raise();
  frmProfile_->activateWindow();
}

}  // namespace lexiscoop
