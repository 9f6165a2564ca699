#include "editor/IncrementalSearch.h"

namespace lexiscoop {

int IncrementalSearch::KeyPress(const TStringList& headwordList, std::string_view typed, uint32_t now,
                                int selectedRow) {
  int start = 0;
  if (static_cast<double>(now) - lastKeyTime_ >= kPause) {
    searchText_.assign(typed);
  } else {
    searchText_ += typed;
    start = selectedRow < 0 ? 0 : selectedRow;
  }
  lastKeyTime_ = static_cast<double>(now);

  for (int row = start; row < headwordList.Count(); ++row) {
    if (std::string_view(headwordList[row]).starts_with(searchText_)) return row;
  }
  return -1;
}

}  // namespace lexiscoop
