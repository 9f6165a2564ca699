#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "analysis/LevelSet.h"
#include "lists/UserLevelSet.h"

namespace lexiscoop {

struct AnalysisResult;
struct WordClass;
class WordClassifier;

// The level set a result is classified by, made ready for classifying a run
// again: the shipped set (default), or a set of one's own with a case-folded
// map from every headword of the set to its level. Made once per chosen set;
// any number of threads may read it.
class LevelSetIndex {
 public:
  LevelSetIndex() = default;
  explicit LevelSetIndex(const UserLevelSet& set);

  // The set: ShippedLevels() for a default index.
  const LevelSet& Levels() const { return set_ ? *set_ : ShippedLevels(); }
  bool Shipped() const { return set_ == nullptr; }

  // The listed level of `headword` in a set of one's own, letter case
  // ignored, or Other.
  LevelId LevelOf(std::string_view headword) const;

  // The level in the set of a word spelled `spelling` that `classifier`
  // classified as `word`: as EntryLevels gives it.
  LevelId LevelOfWord(const WordClassifier& classifier, const WordClass& word, std::string_view spelling) const;

  // Entry i holds the level of word i of the classified `result`: the level
  // of its headword, or, for a word the dictionary lacks, of its own
  // spelling (a headword of the user's own); Other or None when the set has
  // neither. The shipped set gives the headwords' shipped levels. Reads the
  // run's classification only: the text is not scanned again.
  std::vector<LevelId> EntryLevels(const AnalysisResult& result) const;

  // Classifies `result` again by the set: the level of every word, the
  // counts per level and the use of each level's list, and the result's
  // levelSet. A result never classified is left as it is.
  void Apply(AnalysisResult& result) const;

 private:
  struct Slot {
    uint8_t level;  // the listed level holding the headword
    int32_t entry;  // the headword's number in the whole set
  };
  // The slot of `word` (folded into `key`), or null.
  const Slot* Find(std::string_view word, std::string& key) const;

  std::unordered_map<std::string, Slot> slots_;  // folded headword -> its slot
  std::vector<int32_t> levelSizes_;               // headwords per listed level
  std::shared_ptr<const LevelSet> set_;

 public:
  // The set as a shared value (null for the shipped set).
  const std::shared_ptr<const LevelSet>& SharedSet() const { return set_; }
};

// The level set of `set` as the views show it: its levels' names, keys and
// colours (its name CP932, as the user's lists keep it).
LevelSet LevelSetOf(const UserLevelSet& set);

}  // namespace lexiscoop
