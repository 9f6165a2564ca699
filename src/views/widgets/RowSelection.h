#pragma once

#include <vector>

class QItemSelectionModel;

namespace lexiscoop {

// The selected rows of a table whose selection is made of whole rows (the
// word list's: rows are selected, never single cells), read from the
// selection's ranges rather than row by row, so that a list of 100,000 rows
// selected as one range costs one range, not 100,000 look-ups. A selection
// holding a range that does not span every column is read row by row, as
// QItemSelectionModel::selectedRows does, and gives the same answer.

// The rows in which every column is selected, ascending, each once.
std::vector<int> SelectedRowNumbers(const QItemSelectionModel& selection);

// Their number.
int SelectedRowCount(const QItemSelectionModel& selection);

}  // namespace lexiscoop
