#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "analysis/WordLevel.h"
#include "analysis/WordTable.h"

namespace lexiscoop {

// The share of running words a class knows: the words of its known-word
// list and, as in the coverage by stage, the names (words not in the
// dictionary written with a capital A-Z first).
struct KnownShare {
  int64_t runningWords = 0;
  int64_t known = 0;  // occurrences of known words and names

  // known × 1000 ÷ runningWords truncated, 0 for a text without words.
  int32_t PerMille() const;
  // "72.3"
  std::string PercentText() const;
  // The coverage line (CP932): «既習語で 72.3%».
  std::string Line() const;
};

// The share over a word table whose entry i has level levels[i] and is
// known when known[i] is not 0 (missing entries: not in the dictionary,
// not known). `none` is the level of the set for a word the dictionary lacks.
KnownShare ComputeKnownShare(const WordTable& words, std::span<const WordLevel> levels,
                             std::span<const uint8_t> known, WordLevel none = WordLevel::None);

}  // namespace lexiscoop
