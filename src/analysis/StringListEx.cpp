#include "analysis/StringListEx.h"

#include "platform/Compare.h"
#include "platform/Cp932.h"

namespace lexiscoop {

size_t TStringListEx::SlotOf(std::string_view s, uint64_t hash) const {
  const size_t mask = slots_.size() - 1;
  size_t slot = static_cast<size_t>(hash) & mask;
  for (;;) {
    const int32_t pos = slots_[slot];
    if (pos == kEmpty || SameText(Items()[static_cast<size_t>(pos)].text, s)) return slot;
    slot = (slot + 1) & mask;
  }
}

void TStringListEx::Grow() {
  std::vector<int32_t> old;
  old.swap(slots_);
  slots_.assign(old.empty() ? 64 : old.size() * 2, kEmpty);
  used_ = 0;
  for (int32_t pos : old) {
    if (pos == kEmpty) continue;
    slots_[SlotOf((*this)[pos], FoldedHash((*this)[pos]))] = pos;
    ++used_;
  }
}

void TStringListEx::IndexPosition(int position) {
  if ((used_ + 1) * 4 > slots_.size() * 3) Grow();
  const std::string& s = (*this)[position];
  const size_t slot = SlotOf(s, FoldedHash(s));
  if (slots_[slot] == kEmpty) ++used_;
  slots_[slot] = position;
}

void TStringListEx::EraseSlot(size_t slot) {
  const size_t mask = slots_.size() - 1;
  size_t hole = slot;
  size_t next = (hole + 1) & mask;
  while (slots_[next] != kEmpty) {
    const std::string& s = (*this)[slots_[next]];
    const size_t home = static_cast<size_t>(FoldedHash(s)) & mask;
    // Move the entry back when the hole lies on its probe path (home..next).
    if (((next - home) & mask) >= ((next - hole) & mask)) {
      slots_[hole] = slots_[next];
      hole = next;
    }
    next = (next + 1) & mask;
  }
  slots_[hole] = kEmpty;
  --used_;
}

int TStringListEx::Add(std::string_view s) {
  const int position = TStringList::Add(s);
  IndexPosition(position);
  return position;
}

void TStringListEx::Clear() {
  TStringList::Clear();
  slots_.clear();
  used_ = 0;
}

void TStringListEx::Delete(int i) {
  // Unhook the entry for position i while its string is still in the list.
  if (i >= 0 && i < Count() && !slots_.empty()) {
    for (size_t slot = 0; slot < slots_.size(); ++slot) {
      if (slots_[slot] == i) {
        EraseSlot(slot);
        break;
      }
    }
  }
  TStringList::Delete(i);
  for (int32_t& pos : slots_) {
    if (pos != kEmpty && pos > i) --pos;
  }
}

void TStringListEx::Exchange(int i, int j) {
  TStringList::Exchange(i, j);
  for (int32_t& pos : slots_) {
    if (pos == i) pos = j;
    else if (pos == j) pos = i;
  }
}

int TStringListEx::IndexOf(std::string_view s) const {
  if (Sorted()) return TStringList::IndexOf(s);
  if (slots_.empty()) return -1;
  return slots_[SlotOf(s, FoldedHash(s))];
}

void TStringListEx::Insert(int i, std::string_view s) {
  TStringList::Insert(i, s);
  for (int32_t& pos : slots_) {
    if (pos != kEmpty && pos >= i) ++pos;
  }
}

bool TStringListEx::Find(std::string_view s, int& index) const {
  return caseCare_ ? FindBy(s, index, &CompareStr) : TStringList::Find(s, index);
}

}  // namespace lexiscoop
