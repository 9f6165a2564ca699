#include "analysis/WordTable.h"

#include "platform/Compare.h"

namespace lexiscoop {

void WordTable::Clear() {
  spellings_.clear();
  spellings_.shrink_to_fit();
  entries_.clear();
  entries_.shrink_to_fit();
  slots_.clear();
  slots_.shrink_to_fit();
  tags_.clear();
  tags_.shrink_to_fit();
}

size_t WordTable::SlotOf(std::string_view word, uint64_t hash) const {
  const size_t mask = slots_.size() - 1;
  const uint8_t tag = TagOf(hash);
  size_t slot = static_cast<size_t>(hash) & mask;
  for (;;) {
    const uint32_t s = slots_[slot];
    if (s == kFree) return slot;
    if (tags_[slot] == tag) {
      const Entry& e = entries_[s - 1];
      if (e.length == word.size()) {
        const char* stored = spellings_.data() + e.offset;
        size_t same = 0;
        while (same < word.size() && stored[same] == word[same]) ++same;
        if (same == word.size() || SameText(std::string_view(stored, e.length), word)) return slot;
      }
    }
    slot = (slot + 1) & mask;
  }
}

void WordTable::Grow() {
  const size_t size = slots_.empty() ? 1024 : slots_.size() * 2;
  slots_.clear();
  slots_.shrink_to_fit();  // free the old table before the new one is made
  slots_.assign(size, kFree);
  tags_.assign(size, 0);
  for (size_t i = 0; i < entries_.size(); ++i) {
    const std::string_view w = Word(static_cast<int>(i));
    const uint64_t hash = FoldedHash(w);
    const size_t slot = SlotOf(w, hash);
    slots_[slot] = static_cast<uint32_t>(i + 1);
    tags_[slot] = TagOf(hash);
  }
}

int WordTable::IndexOf(std::string_view word) const {
  if (slots_.empty()) return -1;
  const uint32_t s = slots_[SlotOf(word, FoldedHash(word))];
  return static_cast<int>(s) - 1;
}

void WordTable::CountWord(std::string_view word) {
  if ((entries_.size() + 1) * 4 > slots_.size() * 3) Grow();
  const uint64_t hash = FoldedHash(word);
  const size_t slot = SlotOf(word, hash);
  if (slots_[slot] != kFree) {
    ++entries_[slots_[slot] - 1].count;
    return;
  }
  entries_.push_back(Entry{static_cast<uint32_t>(spellings_.size()),
                           static_cast<uint32_t>(word.size()), 1});
  spellings_.append(word);
  slots_[slot] = static_cast<uint32_t>(entries_.size());
  tags_[slot] = TagOf(hash);
}

}  // namespace lexiscoop
