// The word list's commands, which its controller carries out, and the
// controls of the level and form filters.

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTableView>
#include <QToolButton>
#include <algorithm>

#include "app/AppTexts.h"
#include "app/FilterMenu.h"
#include "app/LevelBar.h"
#include "app/Form1.h"
#include "app/ListPaneLayout.h"
#include "app/ImageList.h"
#include "app/WordSearchBox.h"
#include "dictionary/ConjugationDictionary.h"
#include "platform/Cp932.h"
#include "ui/Dialogs.h"
#include "views/ShownWordList.h"
#include "views/StatisticsReport.h"
#include "views/WordListBuilder.h"
#include "views/widgets/WordListModel.h"

namespace lexiscoop {
namespace {

QString FromCp932(const std::string& text) { return QString::fromStdString(Utf8FromCp932(text)); }

}  // namespace

void TForm1::RebuildWordList() { words_->Rebuild(); }

void TForm1::WordListRebuilt(int rows) {
  panes_->RowsChanged();
  if (const auto text = ShownWordsStatusText(rows, run_->Result().words.Count())) SetStatusPanel(2, FromCp932(*text));
  ShowSelectionCount();
}

void TForm1::SortList(int key) { words_->Sort(key); }

void TForm1::lvWordsColumnClick(int column) {
  const std::span<const WordListColumn* const> columns = WindowColumns();
  if (column < 0 || column >= static_cast<int>(columns.size())) return;
  const int key = columns[static_cast<size_t>(column)]->sortKey;
  if (key >= 0) SortList(key);  // some columns (the glosses) are no sort key
}

void TForm1::acAllSelectExecute() {
  words_->SelectAll();
  ShowSelectionCount();
}

void TForm1::SetFormMode(FormMode mode) { words_->SetFormMode(mode); }

void TForm1::ToggleFormMode(FormMode mode) { SetFormMode(FormAfterToggle(Filter().formMode, mode)); }

void TForm1::SetLevelMask(LevelMask mask) { words_->SetLevelMask(mask); }

void TForm1::acSWNoEntryExecute() { SetLevelMask(MaskAfterNoEntryToggle(Filter().levelMask)); }

void TForm1::cbProperNounChange() {
  words_->SetProperNoun(ProperNounChoiceFromIndex(cbProperNoun->currentIndex()));
  levelBar_->Menu().Sync(Filter());
}

void TForm1::edWordChange() { search_->OfferWords(); }

void TForm1::JumpToWord() { search_->JumpToPick(); }

void TForm1::HideSearchMenu() {
  if (search_ != nullptr) search_->Hide();
}

void TForm1::LevelButtonClick(int bit, Qt::KeyboardModifiers modifiers) { levelBar_->Click(bit, modifiers); }

void TForm1::BuildStatisticsReport() {
  const std::vector<std::string> lines = lexiscoop::BuildStatisticsReport(ShownCaption(), run_->Result(), ReportForm::Memo);
  QStringList shown;
  for (const std::string& line : lines) shown << FromCp932(line);
  mmDatas->setPlainText(shown.join(QLatin1Char('\n')));
}

}  // namespace lexiscoop
