#include "editor/IncrementalSearch.h"

namespace lexiscoop {

int IncrementalSearch::KeyPress(std::span<const Headword> headwords, std::string_view typed, uint32_t now,
                                int selectedRow) {
  int start = 0;
  if (static_cast<double>(now) - lastKeyTime_ >= kPause) {
    searchText_.assign(typed);
  } else {
    searchText_ += typed;
    start = selectedRow < 0 ? 0 : selectedRow;
  }
  lastKeyTime_ = static_cast<double>(now);

  for (size_t row = static_cast<size_t>(start); row < headwords.size(); ++row) {
    if (std::string_view(headwords[row].spelling).starts_with(searchText_)) return static_cast<int>(row);
  }
  return -1;
}

}  // namespace lexiscoop
