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
// Memory per distinct word is its bytes plus about 16: the spellings sit end
// to end in one buffer, entry i holds the start of its spelling and its count,
// and a hash table of entry numbers serves look-ups.
class WordTable {
 public:
  WordTable() = default;
  WordTable(const WordTable&) = delete;
  WordTable& operator=(const WordTable&) = delete;
  WordTable(WordTable&&) = default;
  WordTable& operator=(WordTable&&) = default;

  void Clear();
  // Adds one occurrence of `word`: a new entry with count 1, or one more to
  // the entry that equals it without regard to case.
  void CountWord(std::string_view word);

  int Count() const { return static_cast<int>(entries_.size()); }
  bool Empty() const { return entries_.empty(); }
  // The word of entry i as first spelled.
  std::string_view Word(int i) const {
    const size_t begin = entries_[static_cast<size_t>(i)].offset;
    const size_t end = static_cast<size_t>(i) + 1 < entries_.size()
                           ? entries_[static_cast<size_t>(i) + 1].offset
                           : spellings_.size();
    return std::string_view(spellings_).substr(begin, end - begin);
  }
  // The number of occurrences of entry i (at least 1).
  int32_t Occurrences(int i) const { return entries_[static_cast<size_t>(i)].count; }
  // The entry that equals `word` without regard to case, or -1.
  int IndexOf(std::string_view word) const;
  // Sum of the bytes of all distinct spellings.
  size_t SpellingBytes() const { return spellings_.size(); }

 private:
  struct Entry {
    uint32_t offset;  // start of the spelling in spellings_
    int32_t count;
  };
  static constexpr uint32_t kFree = 0;  // slots hold entry number + 1

  size_t SlotOf(std::string_view word, uint64_t hash) const;
  void Grow();

  std::string spellings_;
  std::vector<Entry> entries_;
  std::vector<uint32_t> slots_;
};

}  // namespace lexiscoop
