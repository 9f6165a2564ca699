#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "analysis/WordLevel.h"
#include "dictionary/Lexicon.h"

namespace lexiscoop {
namespace tagging {
class TaggerModel;
}

// The level of a spelling by the lexicon's headword rule, the level the
// report counts. Holds the lexicon it reads, which is immutable: many
// threads may look words up at once.
class LevelLookup {
 public:
  // Gives a word of class `word` spelled `spelling` its level in another set.
  using Reclassify = std::function<WordLevel(const WordClass& word, std::string_view spelling)>;

  explicit LevelLookup(std::shared_ptr<const Lexicon> lexicon) : lexicon_(std::move(lexicon)) {}
  // Levels of `set` (null: the shipped set) as `reclassify` gives them.
  LevelLookup(std::shared_ptr<const Lexicon> lexicon, std::shared_ptr<const LevelSet> set, Reclassify reclassify)
      : lexicon_(std::move(lexicon)), set_(std::move(set)), reclassify_(std::move(reclassify)) {}

  // The level of `word`, ASCII letter case ignored; None when the dictionary
  // does not hold it.
  WordLevel LevelOf(std::string_view word) const {
    const WordClass c = lexicon_->Classify(word);
    return reclassify_ ? reclassify_(c, word) : c.level;
  }
  // The level of a word of class `word` spelled `spelling` (one of its
  // readings in context, say) in the lookup's set.
  WordLevel LevelOfClass(const WordClass& word, std::string_view spelling) const {
    return reclassify_ ? reclassify_(word, spelling) : word.level;
  }
  // Reads the words whose headword their sentence decides with `model`
  // (null, as made: every word by the headword rule).
  void SetContextModel(std::shared_ptr<const tagging::TaggerModel> model) { model_ = std::move(model); }
  const std::shared_ptr<const tagging::TaggerModel>& ContextModel() const { return model_; }
  const std::shared_ptr<const Lexicon>& SharedLexicon() const { return lexicon_; }
  // The set of the levels given; null: the shipped set.
  const std::shared_ptr<const LevelSet>& Set() const { return set_; }
  // Number of distinct spellings held.
  size_t SpellingCount() const { return static_cast<size_t>(lexicon_->DistinctSpellingCount()); }

 private:
  std::shared_ptr<const Lexicon> lexicon_;
  std::shared_ptr<const LevelSet> set_;
  Reclassify reclassify_;
  std::shared_ptr<const tagging::TaggerModel> model_;
};

}  // namespace lexiscoop
