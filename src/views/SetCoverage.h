#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analysis/WordTable.h"

namespace lexiscoop {

// The coverage by stage of a level set of one's own: at stage n the words of
// the set's levels 0..n are known, and names (words neither in the
// dictionary nor in the set, written with a capital A-Z first) at every
// stage, as in the coverage by the shipped levels.
struct SetCoverage {
  int64_t runningWords = 0;
  std::vector<int64_t> known;  // per stage, names included

  // known[stage] × 1000 ÷ runningWords truncated; 0 without words.
  int32_t PerMille(size_t stage) const;
  // "96.2"
  std::string PercentText(size_t stage) const;
};

// The coverage of a word table whose entry i has the set level levels[i]:
// 0 .. levelCount-1 for a level of the set, -1 for a word of the dictionary
// in none of them, -2 for a word of neither (which may be a name). Entries
// beyond the end of `levels` count as -2.
SetCoverage ComputeSetCoverage(const WordTable& words, std::span<const int8_t> levels, int levelCount);

}  // namespace lexiscoop
