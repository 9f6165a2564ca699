#pragma once

#include <string>

namespace lexiscoop {

// What a full reload of the dictionary tells the window about the level
// lists. The window implements it; the dictionary holds no window state.
class DictionaryObserver {
 public:
  virtual ~DictionaryObserver() = default;

  // Level `level` (1..4) has been loaded. Enable its tool button iff
  // `enabled` (the list holds an entry). A non-empty `hint` (CP932) is the
  // button's new hint, to be shown with hints switched on; an empty one
  // leaves the hint as it was.
  virtual void LevelListLoaded(int level, bool enabled, const std::string& hint) = 0;

  // All four level lists have been loaded: hide the level bar cbProUse and
  // the elapsed-time label lbTickCount.
  virtual void LevelListsLoaded() = 0;
};

}  // namespace lexiscoop
