#pragma once

#include <memory>
#include <string_view>

#include "analysis/WordLevel.h"
#include "dictionary/Lexicon.h"

namespace lexiscoop {

// The level of a spelling by the lexicon's headword rule, the level the
// report counts. Holds the lexicon it reads, which is immutable: many
// threads may look words up at once.
class LevelLookup {
 public:
  explicit LevelLookup(std::shared_ptr<const Lexicon> lexicon) : lexicon_(std::move(lexicon)) {}

  // The level of `word`, ASCII letter case ignored; None when the dictionary
  // does not hold it.
  WordLevel LevelOf(std::string_view word) const { return lexicon_->Classify(word).level; }
  // Number of distinct spellings held.
  size_t SpellingCount() const { return static_cast<size_t>(lexicon_->DistinctSpellingCount()); }

 private:
  std::shared_ptr<const Lexicon> lexicon_;
};

}  // namespace lexiscoop
