#include "analysis/WordTable.h"

#include "analysis/StringListEx.h"
#include "platform/Compare.h"

namespace lexiscoop {

void WordTable::Clear() {
  spellings_.clear();
  spellings_.shrink_to_fit();
  entries_.clear();
  entries_.shrink_to_fit();
  slots_.clear();
  slots_.shrink_to_fit();
}

size_t WordTable::SlotOf(std::string_view word, uint64_t hash) const {
  const size_t mask = slots_.size() - 1;
  size_t slot = static_cast<size_t>(hash) & mask;
  for (;;) {
    const uint32_t s = slots_[slot];
    if (s == kFree || SameText(Word(static_cast<int>(s - 1)), word)) return slot;
    slot = (slot + 1) & mask;
  }
}

void WordTable::Grow() {
  slots_.assign(slots_.empty() ? 1024 : slots_.size() * 2, kFree);
  for (size_t i = 0; i < entries_.size(); ++i) {
    const std::string_view w = Word(static_cast<int>(i));
    slots_[SlotOf(w, FoldedHash(w))] = static_cast<uint32_t>(i + 1);
  }
}

int WordTable::IndexOf(std::string_view word) const {
  if (slots_.empty()) return -1;
  const uint32_t s = slots_[SlotOf(word, FoldedHash(word))];
  return static_cast<int>(s) - 1;
}

void WordTable::CountWord(std::string_view word) {
  if ((entries_.size() + 1) * 4 > slots_.size() * 3) Grow();
  const size_t slot = SlotOf(word, FoldedHash(word));
  if (slots_[slot] != kFree) {
    ++entries_[slots_[slot] - 1].count;
    return;
  }
  entries_.push_back(Entry{static_cast<uint32_t>(spellings_.size()), 1});
  spellings_.append(word);
  slots_[slot] = static_cast<uint32_t>(entries_.size());
}

}  // namespace lexiscoop
