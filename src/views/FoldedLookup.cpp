#include "views/FoldedLookup.h"

#include "analysis/StringListEx.h"
#include "platform/Compare.h"

namespace lexiscoop {

FoldedLookup::FoldedLookup(const TStringList& list) : list_(list) {
  const size_t n = static_cast<size_t>(list.Count());
  size_t size = 16;
  while (size < n * 2) size *= 2;
  slots_.assign(size, kEmpty);
  mask_ = size - 1;
  for (size_t i = 0; i < n; ++i) {
    const std::string& s = list[static_cast<int>(i)];
    size_t slot = static_cast<size_t>(FoldedHash(s)) & mask_;
    while (slots_[slot] != kEmpty && !SameText(list[slots_[slot]], s)) slot = (slot + 1) & mask_;
    if (slots_[slot] == kEmpty) slots_[slot] = static_cast<int32_t>(i);  // the first keeps its place
  }
}

int FoldedLookup::Find(std::string_view s) const {
  size_t slot = static_cast<size_t>(FoldedHash(s)) & mask_;
  for (;;) {
    const int32_t position = slots_[slot];
    if (position == kEmpty) return -1;
    if (SameText(list_[position], s)) return position;
    slot = (slot + 1) & mask_;
  }
}

}  // namespace lexiscoop
