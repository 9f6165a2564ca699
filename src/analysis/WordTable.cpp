#include "analysis/WordTable.h"

#include "platform/Compare.h"
#include "platform/ShortLoad.h"

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

// Walks the probe run of `hash` to the slot whose spelling `matches` accepts
// (called with the spelling's first byte and length), or to the first free slot.
template <typename Matches>
size_t WordTable::Probe(uint64_t hash, Matches matches) const {
  const size_t mask = slots_.size() - 1;
  const uint8_t tag = TagOf(hash);
  size_t slot = static_cast<size_t>(hash) & mask;
  for (;;) {
    const uint32_t s = slots_[slot];
    if (s == kFree) return slot;
    if (tags_[slot] == tag) {
      const uint32_t begin = entries_[s - 1].offset;
      if (matches(spellings_.data() + begin, static_cast<size_t>(EndOf(s - 1) - begin))) return slot;
    }
    slot = (slot + 1) & mask;
  }
}

size_t WordTable::SlotOf(std::string_view word, uint64_t hash) const {
  const size_t n = word.size();
  if (n <= 8) {
    const uint64_t x = LoadUpTo8(word.data(), n);
    if (!(x & kHighBitOfEachByte)) return ShortSlotOf(x, FoldAscii8(x), n, hash);
  }
  return Probe(hash, [word](const char* stored, size_t length) {
    return length == word.size() && SameText(std::string_view(stored, length), word);
  });
}

size_t WordTable::ShortSlotOf(uint64_t bytes, uint64_t folded, size_t n, uint64_t hash) const {
  return Probe(hash, [bytes, folded, n](const char* stored, size_t length) {
    if (length != n) return false;
    const uint64_t x = LoadUpTo8(stored, n);
    return x == bytes || (!(x & kHighBitOfEachByte) && FoldAscii8(x) == folded);
  });
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

void WordTable::ReserveForText(size_t textBytes) {
  // Every distinct word takes at least two bytes of text (itself and a
  // separator), and an ordinary text holds far fewer distinct words than that.
  spellings_.reserve(textBytes);
  entries_.reserve(textBytes / 8 + 1024);
}

int WordTable::IndexOf(std::string_view word) const {
  if (slots_.empty()) return -1;
  const uint32_t s = slots_[SlotOf(word, FoldedHash(word))];
  return static_cast<int>(s) - 1;
}

int WordTable::CountWord(std::string_view word) {
  if ((entries_.size() + 1) * 4 > slots_.size() * 3) Grow();
  const size_t n = word.size();
  if (n <= 8) {
    // The common case: a short plain-ASCII word, loaded and folded once.
    const uint64_t x = LoadUpTo8(word.data(), n);
    if (!(x & kHighBitOfEachByte)) {
      const uint64_t folded = FoldAscii8(x);
      const uint64_t hash = FoldedHashOfShortAscii(folded, n);
      return CountInto(ShortSlotOf(x, folded, n, hash), word, hash);
    }
  }
  const uint64_t hash = FoldedHash(word);
  return CountInto(SlotOf(word, hash), word, hash);
}

int WordTable::CountInto(size_t slot, std::string_view word, uint64_t hash) {
  if (slots_[slot] != kFree) {
    ++entries_[slots_[slot] - 1].count;
    return static_cast<int>(slots_[slot] - 1);
  }
  entries_.push_back(Entry{static_cast<uint32_t>(spellings_.size()), 1});
  spellings_.append(word);
  slots_[slot] = static_cast<uint32_t>(entries_.size());
  tags_[slot] = TagOf(hash);
  return static_cast<int>(entries_.size() - 1);
}

}  // namespace lexiscoop
