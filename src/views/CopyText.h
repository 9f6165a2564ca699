#pragma once

#include <string>
#include <vector>

#include "views/ShownWordList.h"

namespace lexiscoop {

// The clipboard text of the selected rows, in row order from the top whatever
// order `selectedRows` is in: one line per row, the shown word or, with
// counts, the word, a TAB and the plain decimal count; every line ends with
// CR LF. Rows outside the list are skipped; no row gives an empty text.
std::string CopySelectedWords(const ShownWordList& shown, std::vector<int> selectedRows,
                              bool withCounts);

// The per-cent column of the statistics report: the first (title) line as it
// is, then for every further line the per-cent figure that stands before its
// first "%", or an empty line when it has no "%"; every line ends with CR LF.
std::string CopyPercentColumn(const std::vector<std::string>& reportLines);

}  // namespace lexiscoop
