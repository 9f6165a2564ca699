#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/WordLevel.h"
#include "views/DictionaryLists.h"

namespace lexiscoop {

// The level of every spelling of the dictionary, computed once when the
// lookup is made (by the rule of the level statistics: ChooseHeadwordForLevel,
// then the first level list that holds the headword, else Other), in one
// hash table. Immutable once made: many threads may look words up at once.
class LevelLookup {
 public:
  explicit LevelLookup(const DictionaryLists& lists);
  LevelLookup(const LevelLookup&) = delete;
  LevelLookup& operator=(const LevelLookup&) = delete;

  // The level of `word`, ASCII letter case ignored; None when the dictionary
  // does not hold it.
  WordLevel LevelOf(std::string_view word) const;
  // Number of distinct spellings held.
  size_t SpellingCount() const { return count_; }
  // Bytes the lookup takes.
  size_t MemoryBytes() const { return keys_.capacity() + slots_.capacity() * sizeof(Slot); }

 private:
  struct Slot {
    uint32_t offset = 0;  // start of the folded spelling in keys_
    uint16_t length = 0;
    uint8_t level = 0;
    uint8_t used = 0;
  };
  static uint64_t Hash(std::string_view word);
  size_t Probe(std::string_view word, uint64_t hash) const;

  std::string keys_;  // folded spellings end to end
  std::vector<Slot> slots_;
  size_t mask_ = 0;
  size_t count_ = 0;
};

}  // namespace lexiscoop
