#include "app/WordListController.h"

#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QProgressBar>
#include <QTableView>
#include <algorithm>
#include <exception>

#include "app/RunController.h"
#include "platform/Compare.h"
#include "ui/BusyCursor.h"
#include "views/WordListColumns.h"
#include "views/ShownWordList.h"
#include "views/WordListBuilder.h"
#include "views/widgets/RowSelection.h"
#include "views/widgets/WordListModel.h"

namespace lexiscoop {

WordListController::WordListController(RunController& run, QObject* parent)
    : QObject(parent), run_(run), shown_(std::make_unique<ShownWordList>()) {
  filter_.levelMask = 0;
  filter_.formMode = FormMode::None;
}

WordListController::~WordListController() = default;

void WordListController::Attach(QTableView& list, WordListModel& model, QProgressBar& progress) {
  list_ = &list;
  model_ = &model;
  progress_ = &progress;
}

void WordListController::Rebuild() {
  // Only results shown are rebuilt; a filter changed while awaiting analysis
  // (from a level menu left open, say) applies to the next run's list.
  if (run_.Busy() || !run_.ShowsResults()) return;
  try {
    run_.BeginRebuild();
    {
      BusyCursor busy;
      struct Restore {
        WordListController* words;
        ~Restore() {
          words->progress_->setValue(0);
          words->run_.EndRebuild();
        }
      } restore{this};
      model_->SetRowCount(0);
      RebuildControl control;
      control.pump = [this](int percent) {
        progress_->setValue(percent);
        QCoreApplication::processEvents();
      };
      WordListBuilder().Rebuild(run_.Result(), filter_, *shown_, control);
      model_->SetRowCount(shown_->RowCount());
    }
    emit rebuilt(shown_->RowCount());
  } catch (const std::exception& failure) {
    emit failed(failure.what());
  }
}

void WordListController::SortByColumn(int column) {
  const std::span<const WordListColumn* const> columns = WindowColumns();
  if (column < 0 || column >= static_cast<int>(columns.size())) return;
  const int key = columns[static_cast<size_t>(column)]->sortKey;
  if (key >= 0) Sort(key);
}

void WordListController::Sort(int key) {
  const RunState state = run_.State();
  if (state == RunState::Rebuilding || state == RunState::Running) return;
  std::vector<int> rows = SelectedRows();
  // The level sorts from the most basic level at the first request, the
  // others from the top of their key (the list flips the direction).
  const bool sorted = key == kSortLevel && shown_->SortKeyValue() != kSortLevel ? shown_->SortBy(key, false, &rows)
                                                                               : shown_->SortList(key, &rows);
  if (!sorted) return;
  model_->SetRowCount(model_->rowCount());
  rows.erase(std::remove_if(rows.begin(), rows.end(), [this](int row) { return row < 0 || row >= model_->rowCount(); }),
             rows.end());
  SelectRows(rows);
  list_->viewport()->update();
}

bool WordListController::SetFormMode(FormMode mode) {
  if (mode == filter_.formMode || run_.Busy()) return false;
  filter_.formMode = mode;
  emit filterChanged();
  Rebuild();
  return true;
}

bool WordListController::SetLevelMask(LevelMask mask) {
  if (mask == filter_.levelMask || run_.Busy()) return false;
  if (mask == 0) {
    emit emptyLevelMaskRefused();
  } else {
    filter_.levelMask = mask;
  }
  emit filterChanged();
  Rebuild();
  return mask != 0;
}

void WordListController::SetProperNoun(ProperNounChoice choice) {
  filter_.properNoun = choice;
  Rebuild();
}

std::vector<int> WordListController::SelectedRows() const { return SelectedRowNumbers(*list_->selectionModel()); }

int WordListController::SelectedCount() const {
  return list_->selectionModel() != nullptr ? SelectedRowCount(*list_->selectionModel()) : 0;
}

void WordListController::SelectRows(const std::vector<int>& rows) {
  QItemSelection selection;
  const int lastColumn = model_->columnCount() - 1;
  std::vector<int> sorted = rows;
  std::sort(sorted.begin(), sorted.end());
  for (size_t i = 0; i < sorted.size();) {
    size_t j = i;
    while (j + 1 < sorted.size() && sorted[j + 1] <= sorted[j] + 1) ++j;
    selection.select(model_->index(sorted[i], 0), model_->index(sorted[j], lastColumn));
    i = j + 1;
  }
  list_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  // The focus ends on the last word remembered.
  if (!rows.empty()) {
    list_->selectionModel()->setCurrentIndex(model_->index(rows.back(), 0), QItemSelectionModel::NoUpdate);
  }
}

void WordListController::SelectAll() {
  BusyCursor busy;
  list_->selectAll();
}

std::vector<std::string_view> WordListController::WordsStartingWith(std::string_view query) const {
  std::vector<std::string_view> words;
  for (int i = 0; i < shown_->FormCount(); ++i) {
    const std::string_view word = shown_->FormAt(i);
    if (word.size() >= query.size() && SameText(word.substr(0, query.size()), query)) words.push_back(word);
  }
  std::stable_sort(words.begin(), words.end(),
                   [](std::string_view a, std::string_view b) { return CompareText(a, b) < 0; });
  return words;
}

void WordListController::JumpToWord(const std::string& word) {
  const RunState state = run_.State();
  if (state == RunState::Rebuilding || state == RunState::Running) return;
  QItemSelectionModel* selection = list_->selectionModel();
  for (int row = 0; row < model_->rowCount(); ++row) {
    if (CompareOrdinalUpper(shown_->WordOfRow(row), word) != 0) continue;
    const QModelIndex index = model_->index(row, 0);
    list_->scrollTo(index, QAbstractItemView::EnsureVisible);
    selection->setCurrentIndex(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
}

}  // namespace lexiscoop
