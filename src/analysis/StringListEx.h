#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "analysis/StringList.h"

namespace lexiscoop {

// A string list with a case-insensitive side index of its own strings, so
// that IndexOf is fast although the list keeps insertion order. Strings equal
// without regard to case share one index entry, which points at the position
// of the one added last. `CaseCare` makes only Find compare with regard to case.
//
// The side index is a hash table of list positions (the key of an entry is the
// string at its position), which gives the look-ups of a sorted side index with
// O(1) insertion. For a list that is itself sorted, IndexOf is the base list's
// binary search.
class TStringListEx : public TStringList {
 public:
  TStringListEx() = default;
  TStringListEx(const TStringListEx&) = delete;
  TStringListEx& operator=(const TStringListEx&) = delete;

  bool CaseCare() const { return caseCare_; }
  void SetCaseCare(bool caseCare) { caseCare_ = caseCare; }

  int Add(std::string_view s) override;
  void Clear() override;
  void Delete(int i) override;
  void Exchange(int i, int j) override;
  int IndexOf(std::string_view s) const override;
  // Shifts the indexed positions at i and above; the new string is not indexed.
  void Insert(int i, std::string_view s) override;
  bool Find(std::string_view s, int& index) const override;

 private:
  static constexpr int32_t kEmpty = -1;

  // The slot that holds the entry for `s`, or the empty slot where it belongs.
  size_t SlotOf(std::string_view s, uint64_t hash) const;
  void IndexPosition(int position);
  void Grow();
  // Removes the entry in `slot`, moving later entries of its probe run back.
  void EraseSlot(size_t slot);

  bool caseCare_ = false;
  std::vector<int32_t> slots_;  // list positions, kEmpty for a free slot
  size_t used_ = 0;             // occupied slots
};

}  // namespace lexiscoop
