#pragma once

#include <cstdint>
#include <string>
#include <span>
#include <string_view>

#include "dictionary/Lexicon.h"

namespace lexiscoop {

// The dictionary list's search as you type: keys typed less than a second
// apart extend the search text, a key after a longer pause starts it anew.
// The state lives as long as the object, across showings of the editor.
class IncrementalSearch {
 public:
  // The pause, in milliseconds, after which a key starts a new search.
  static constexpr double kPause = 1000.0;
  // LastKeyTime before the first key.
  static constexpr double kNoKeyYet = 2147483647.0;

  // One typed character (CP932, one or two bytes) at tick count `now`.
  // When now − LastKeyTime, taken exactly (no wrap-around), is at least
  // kPause, the search text becomes `typed` and the search starts at row 0;
  // otherwise `typed` is appended and the search starts at `selectedRow`
  // (row 0 when it is negative). Returns the first row from the start on
  // whose headword spelling begins with the search text, byte for byte; -1 if none.
  int KeyPress(std::span<const Headword> headwords, std::string_view typed, uint32_t now, int selectedRow);

  const std::string& SearchText() const { return searchText_; }
  double LastKeyTime() const { return lastKeyTime_; }

 private:
  std::string searchText_;
  double lastKeyTime_ = kNoKeyYet;
};

}  // namespace lexiscoop
