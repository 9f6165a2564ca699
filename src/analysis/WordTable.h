#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexiscoop {

// The distinct words of a text in order of first appearance, each spelled as
// first met, with its number of occurrences. Look-ups ignore ASCII letter
// case: «The» and «the» are one word.
//
// Memory per distinct word is its bytes plus about 18: the spellings sit end
// to end in one buffer, entry i holds the start of its spelling and its count,
// and a hash table of entry numbers, with a byte of each word's hash beside
// it to skip most comparisons, serves look-ups.
class WordTable {
 public:
  WordTable() = default;
  WordTable(const WordTable&) = delete;
  WordTable& operator=(const WordTable&) = delete;
  WordTable(WordTable&&) = default;
  WordTable& operator=(WordTable&&) = default;

  void Clear();
  // Adds one occurrence of `word`: a new entry with count 1, or one more to
  // the entry that equals it without regard to case. Returns the entry.
  int CountWord(std::string_view word);

  int Count() const { return static_cast<int>(entries_.size()); }
  bool Empty() const { return entries_.empty(); }
  // The word of entry i as first spelled.
  std::string_view Word(int i) const {
    const size_t k = static_cast<size_t>(i);
    const uint32_t begin = entries_[k].offset;
    return std::string_view(spellings_.data() + begin, EndOf(k) - begin);
  }
  // The number of occurrences of entry i (at least 1).
  int32_t Occurrences(int i) const { return entries_[static_cast<size_t>(i)].count; }
  // The entry that equals `word` without regard to case, or -1.
  int IndexOf(std::string_view word) const;
  // Prepares for a text of `textBytes` bytes: address space for the
  // spellings and entries such a text can hold is reserved up front (pages
  // that are never written cost no memory), so the tables do not pass
  // through copies of themselves as they grow.
  void ReserveForText(size_t textBytes);
  // Sum of the bytes of all distinct spellings.
  size_t SpellingBytes() const { return spellings_.size(); }

 private:
  struct Entry {
    uint32_t offset;  // start of the spelling in spellings_; it ends where the next begins
    int32_t count;
  };

  // One past the last byte of entry k's spelling.
  uint32_t EndOf(size_t k) const {
    return k + 1 < entries_.size() ? entries_[k + 1].offset : static_cast<uint32_t>(spellings_.size());
  }
  static constexpr uint32_t kFree = 0;  // slots hold entry number + 1

  template <typename Matches>
  size_t Probe(uint64_t hash, Matches matches) const;
  // The slot that holds `word`, or the free slot where it belongs.
  size_t SlotOf(std::string_view word, uint64_t hash) const;
  // SlotOf for a plain-ASCII word of at most 8 bytes, given as its bytes
  // (LoadUpTo8) and their lower-case fold.
  size_t ShortSlotOf(uint64_t bytes, uint64_t folded, size_t n, uint64_t hash) const;
  // Counts `word` into `slot` as SlotOf found it.
  int CountInto(size_t slot, std::string_view word, uint64_t hash);
  static uint8_t TagOf(uint64_t hash) { return static_cast<uint8_t>(hash >> 56); }
  void Grow();

  std::string spellings_;
  std::vector<Entry> entries_;
  std::vector<uint32_t> slots_;
  std::vector<uint8_t> tags_;  // top byte of the hash of each slot's word
};

}  // namespace lexiscoop
