// The window's commands that take results out of it: the word list export and
// the compare-texts window.
#include <QDir>

#include "app/Form1.h"
#include "app/ProfileWindow.h"
#include "app/WordListExportCommand.h"

namespace lexiscoop {

void TForm1::acExportExecute() {
  if (running_ || rebuilding_ || awaiting_) return;
  ExportShownWordList(this, *dialogs_, *shown_, result_, parser_->FullText(), QDir::home().filePath(QStringLiteral("words.xlsx")));
}

void TForm1::acCompareTextsExecute() {
  if (frmProfile_ == nullptr) frmProfile_ = new TfrmProfile(this, *dialogs_, *dictionary_);
  frmProfile_->show();
  frmProfile_->raise();
  frmProfile_->activateWindow();
}

}  // namespace lexiscoop
