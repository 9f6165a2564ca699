#include "views/widgets/RowSelection.h"

#include <QAbstractItemModel>
#include <QItemSelectionModel>
#include <algorithm>
#include <optional>
#include <utility>

namespace lexiscoop {
namespace {

using RowRange = std::pair<int, int>;  // first and last row, inclusive

// The row ranges of the selection, sorted and merged where they overlap or
// touch; nullopt when a range leaves out a column (then rows must be checked
// one by one).
std::optional<std::vector<RowRange>> WholeRowRanges(const QItemSelectionModel& selection) {
  const QAbstractItemModel* model = selection.model();
  if (model == nullptr) return std::vector<RowRange>{};
  const int lastColumn = model->columnCount() - 1;
  std::vector<RowRange> ranges;
  for (const QItemSelectionRange& range : selection.selection()) {
    if (!range.isValid() || range.parent().isValid()) continue;
    if (range.left() > 0 || range.right() < lastColumn) return std::nullopt;
    ranges.emplace_back(range.top(), range.bottom());
  }
  std::sort(ranges.begin(), ranges.end());
  std::vector<RowRange> merged;
  for (const RowRange& range : ranges) {
    if (!merged.empty() && range.first <= merged.back().second + 1) {
      merged.back().second = std::max(merged.back().second, range.second);
    } else {
      merged.push_back(range);
    }
  }
  return merged;
}

std::vector<int> RowByRow(const QItemSelectionModel& selection) {
  std::vector<int> rows;
  for (const QModelIndex& index : selection.selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

}  // namespace

std::vector<int> SelectedRowNumbers(const QItemSelectionModel& selection) {
  const std::optional<std::vector<RowRange>> ranges = WholeRowRanges(selection);
  if (!ranges) return RowByRow(selection);
  std::vector<int> rows;
  for (const auto& [first, last] : *ranges) {
    for (int row = first; row <= last; ++row) rows.push_back(row);
  }
  return rows;
}

int SelectedRowCount(const QItemSelectionModel& selection) {
  const std::optional<std::vector<RowRange>> ranges = WholeRowRanges(selection);
  if (!ranges) return static_cast<int>(RowByRow(selection).size());
  int count = 0;
  for (const auto& [first, last] : *ranges) count += last - first + 1;
  return count;
}

}  // namespace lexiscoop
