#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lists/UserLevelSet.h"

namespace lexiscoop {

struct AnalysisResult;

// A level set of one's own made ready for classifying a run again: a
// case-folded map from every headword of the set to its level. Made once
// per chosen set; any number of threads may read it.
class LevelSetIndex {
 public:
  // What EntryLevels gives a word in none of the set's levels.
  static constexpr int8_t kOther = -1;            // in the dictionary, in no level of the set
  static constexpr int8_t kNotInDictionary = -2;  // neither in the dictionary nor in the set

  LevelSetIndex() = default;
  explicit LevelSetIndex(const UserLevelSet& set);

  int LevelCount() const { return levelCount_; }
  // The level (0 = the first) of `headword`, letter case ignored, or kOther.
  int LevelOf(std::string_view headword) const;

  // Entry i holds the level of word i of the classified `result`: the level
  // of its headword, or, for a word the dictionary lacks, of its own
  // spelling (a headword of the user's own); kOther or kNotInDictionary
  // when the set has neither. Reads the run's classification only: the text
  // is not scanned again.
  std::vector<int8_t> EntryLevels(const AnalysisResult& result) const;

  // Occurrences (running words) and distinct words per level of the set,
  // then kOther, then kNotInDictionary (LevelCount() + 2 entries each).
  struct Counts {
    std::vector<int64_t> occurrences;
    std::vector<int32_t> distinct;
  };
  Counts CountLevels(const AnalysisResult& result, const std::vector<int8_t>& levels) const;

 private:
  std::unordered_map<std::string, int8_t> levels_;  // folded headword -> level
  int levelCount_ = 0;
};

}  // namespace lexiscoop
