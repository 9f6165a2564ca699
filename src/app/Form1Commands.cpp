// The main window's command slots: each hands its command to the controller
// that carries it out.

#include <QComboBox>
#include <QDir>

#include "app/CopyCommands.h"
#include "app/FilterMenu.h"
#include "app/Form1.h"
#include "app/GuardedCommand.h"
#include "app/HelpCommands.h"
#include "app/KnownWordsController.h"
#include "app/LevelBar.h"
#include "app/ListPaneLayout.h"
#include "app/ProfileWindow.h"
#include "app/ReadingPane.h"
#include "app/ResultPresenter.h"
#include "app/StatusLine.h"
#include "app/TextInputController.h"
#include "app/WindowDictionary.h"
#include "app/WordListExportCommand.h"
#include "app/WordSearchBox.h"
#include "dictionary/ConjugationDictionary.h"
#include "editor/widgets/FmEditDic.h"
#include "platform/Cp932.h"
#include "ui/Dialogs.h"
#include "views/ClassifiedWord.h"
#include "views/ShownWordList.h"
#include "views/WordDetails.h"
#include "views/WordGloss.h"
#include "views/WordListColumns.h"
#include "views/widgets/WordListModel.h"

namespace lexiscoop {

void TForm1::acAnalizeExecute() {
  RunGuarded(*dialogs_, this, [this] { RunAnalysis(); });
}

void TForm1::acStopAnalizeExecute() { run_->Stop(); }

void TForm1::acLoadFromFileExecute() { input_->ChooseFile(); }

void TForm1::acClipToTextExecute() { input_->PasteText(); }

void TForm1::acOpenDocExecute() { help_->OpenHelp(); }

void TForm1::OpenDocument(const QString& path, const QString& suffix) { help_->OpenDocument(path, suffix); }

void TForm1::N1Click() { help_->ShowInformation(); }

void TForm1::acCloseExecute() { close(); }

void TForm1::acEditDicExecute() {
  if (run_->Busy()) return;
  // Changes are written and reloaded by the editor; a changed dictionary
  // leaves the text awaiting a new run.
  editor_->exec();
  wordModel_->ClassificationChanged();
  AwaitAnalysisIfDictionaryChanged();
}

void TForm1::acExportExecute() {
  if (run_->Busy() || !run_->ShowsResults()) return;
  const QString suggested =
      exportPlace_.Suggest(input_->TextBaseName(), QStringLiteral(".xlsx"), QStringLiteral("words"));
  exportPlace_.Saved(ExportShownWordList(this, *dialogs_, words_->Shown(), run_->Result(), run_->Text().FullText(),
                                         exportPlace_, suggested));
}

void TForm1::acExportNewWordsExecute() {
  if (run_->Busy() || !run_->ShowsResults()) return;
  ShownWordList newWords;
  knownWords_->BuildNewWords(newWords);
  const QString suggested = exportPlace_.Suggest(input_->TextBaseName() + QStringLiteral("-new"), QStringLiteral(".xlsx"),
                                                 QStringLiteral("new-words"));
  exportPlace_.Saved(ExportShownWordList(this, *dialogs_, newWords, run_->Result(), run_->Text().FullText(),
                                         exportPlace_, suggested));
}

void TForm1::acCompareTextsExecute() {
  if (frmProfile_ == nullptr) frmProfile_ = new TfrmProfile(this, *dialogs_, dictionary_->Get(), &exportPlace_);
  frmProfile_->show();
  frmProfile_->raise();
  frmProfile_->activateWindow();
}

void TForm1::acShowGlossExecute(bool shown) { panes_->ShowGloss(shown); }

void TForm1::Splitter1Moved() {
  // Only the user drags the splitter: the share is theirs from now on.
  panes_->SplitterMoved();
  status_->Fit();
}

void TForm1::acAllSelectExecute() {
  words_->SelectAll();
  results_->ShowSelectionCount();
}

void TForm1::acCopyWordsExecute() { copies_->CopyWords(); }

void TForm1::acCopyWordsNumExecute() { copies_->CopyWordsWithCounts(); }

void TForm1::acCopyDataExecute() { copies_->CopyPercentColumn(); }

void TForm1::CopyStatisticsReport() { copies_->CopyStatisticsReport(); }

void TForm1::ToggleFormMode(FormMode mode) { SetFormMode(FormAfterToggle(Filter().formMode, mode)); }

void TForm1::acSWNoEntryExecute() { SetLevelMask(MaskAfterNoEntryToggle(Filter().levelMask)); }

void TForm1::LevelButtonClick(int bit, Qt::KeyboardModifiers modifiers) { levelBar_->Click(bit, modifiers); }

void TForm1::lvWordsDblClick() {
  const std::vector<int> rows = words_->SelectedRows();
  const ShownWordList& shown = words_->Shown();
  if (rows.size() != 1 || rows[0] >= shown.RowCount()) return;
  const ClassifiedWord row = ClassifiedRowOf(shown, rows[0], run_->Result());
  const std::string details =
      WordDetailsText(shown.WordOfRow(rows[0]), *dictionary_->Get().CurrentLexicon()) + "\r\n" +
      WordRunLines(row.level, shown.CountOfRow(rows[0])) +
      SplitReadingLines(run_->Result(), row.entry, readingPane_->CurrentReadingOf(row.entry)) +
      GlossLine(row.glosses.text);
  dialogs_->Inform(this, QString::fromStdString(Utf8FromCp932(details)));
}

void TForm1::lvWordsColumnClick(int column) {
  const std::span<const WordListColumn* const> columns = WindowColumns();
  if (column < 0 || column >= static_cast<int>(columns.size())) return;
  const int key = columns[static_cast<size_t>(column)]->sortKey;
  if (key >= 0) SortList(key);  // some columns (the glosses) are no sort key
}

void TForm1::cbProperNounChange() {
  words_->SetProperNoun(ProperNounChoiceFromIndex(cbProperNoun->currentIndex()));
  levelBar_->Menu().Sync(Filter());
}

void TForm1::edWordChange() { search_->OfferWords(); }

void TForm1::JumpToWord() { search_->JumpToPick(); }

void TForm1::HideSearchMenu() {
  if (search_ != nullptr) search_->Hide();
}

}  // namespace lexiscoop
