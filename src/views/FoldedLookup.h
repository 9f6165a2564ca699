#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "analysis/StringList.h"

namespace lexiscoop {

// A hash look-up over the entries of a string list, letter case ignored
// (equality as SameText): for every string it finds the lowest position
// among the entries equal to it, which for a sorted list is the first entry
// of the run that a binary search finds. Built in one pass over the list,
// so a pass that looks many words up pays O(1) per word instead of a binary
// search. Holds positions only: valid while the list is unchanged.
class FoldedLookup {
 public:
  explicit FoldedLookup(const TStringList& list);
  FoldedLookup(const FoldedLookup&) = delete;
  FoldedLookup& operator=(const FoldedLookup&) = delete;

  // The lowest position of an entry equal to `s` without regard to case, or -1.
  int Find(std::string_view s) const;
  bool Contains(std::string_view s) const { return Find(s) >= 0; }

 private:
  static constexpr int32_t kEmpty = -1;

  const TStringList& list_;
  std::vector<int32_t> slots_;  // list positions, kEmpty for a free slot
  size_t mask_ = 0;
};

}  // namespace lexiscoop
