#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/WordClassifier.h"
#include "analysis/WordLevel.h"
#include "platform/FoldedIndex.h"

namespace lexiscoop {

class TStringList;

// One headword of the dictionary with what belongs to it.
struct Headword {
  std::string spelling;            // as the dictionary line writes it; empty for a line without one
  std::vector<std::string> forms;  // its inflected spellings, in the line's item order
  WordLevel level = WordLevel::Other;  // Basic..General by the level lists, else Other
  // Japanese glosses «gloss; gloss» (CP932); empty when none. A view: into
  // a literal, or into a text the lexicon holds (see Lexicon::Build).
  std::string_view gloss;

  bool HasInflections() const { return !forms.empty(); }
};

// The dictionary and its level lists as one immutable, typed whole: the
// headword records and one case-folded hash from every spelling (headwords
// and inflected forms, ASCII letter case ignored) to its candidate headwords.
//
// The candidates of a spelling are the headwords whose own spelling or one of
// whose inflected spellings equals it. They are kept in the order of the
// headword rule, and the first is the chosen headword:
//   1. the more basic level first (Basic, Junior, ToUniversity, General, Other);
//   2. a headword with inflected spellings before one without;
//   3. the spelling's own headword (spelled like it) before others;
//   4. the shorter headword;
//   5. CompareStr order of the headword spellings (then of their forms).
// So saw -> see, found -> find, left -> leave. The order never depends on
// where a line sits in the file, and a headword's record influences only the
// spellings it holds.
//
// Made once per load and never changed: share it as
// std::shared_ptr<const Lexicon>; any number of threads may read it.
class Lexicon final : public WordClassifier {
 public:
  // The level lists a lexicon is built with: Basic, Junior, ToUniversity,
  // General; null for a level without a list.
  using LevelLists = std::array<const TStringList*, kListedLevelCount>;

  // The texts a lexicon keeps alive: those its records' glosses point into.
  using GlossTexts = std::vector<std::shared_ptr<const std::string>>;

  // A lexicon of `headwords` (ids are their positions); each record's level
  // is set from `levels`: the first list (Basic first) holding its spelling,
  // letter case ignored, else Other. The records' glosses must point into
  // `glossTexts` (or into storage that outlives the lexicon).
  static std::shared_ptr<const Lexicon> Build(std::vector<Headword> headwords, const LevelLists& levels,
                                              GlossTexts glossTexts = {});
  // An empty lexicon: every word resolves to nothing.
  static std::shared_ptr<const Lexicon> Empty();

  Lexicon(const Lexicon&) = delete;
  Lexicon& operator=(const Lexicon&) = delete;

  int32_t HeadwordCount() const { return static_cast<int32_t>(headwords_.size()); }
  const Headword& At(HeadwordId id) const { return headwords_[static_cast<size_t>(id)]; }
  const std::vector<Headword>& Headwords() const { return headwords_; }

  // The candidate headwords of `spelling` in rule order; empty when no
  // headword spells it. One hash probe.
  std::span<const HeadwordId> Candidates(std::string_view spelling) const;
  // The chosen headword of `spelling`, or kNoHeadword.
  HeadwordId Resolve(std::string_view spelling) const;
  // The headword spelled `spelling` (letter case ignored) that the rule
  // ranks first, or kNoHeadword.
  HeadwordId FindHeadword(std::string_view spelling) const;
  // Every spelling of headword `id`: its own (when not empty), then its
  // inflected spellings, in the line's order.
  std::vector<std::string> SpellingsOf(HeadwordId id) const;

  // Number of distinct spellings (letter case ignored) and of spellings
  // listed in all (own spellings and inflected ones, duplicates included).
  int32_t DistinctSpellingCount() const { return static_cast<int32_t>(entries_.size()); }
  int32_t ListedSpellingCount() const { return listedSpellings_; }
  // Number of inflected spellings of all headwords, duplicates included.
  int32_t FormCount() const { return formCount_; }

  // WordClassifier
  WordClass Classify(std::string_view word) const override;
  std::string_view HeadwordSpelling(HeadwordId id) const override { return At(id).spelling; }
  std::string_view HeadwordGloss(HeadwordId id) const override { return At(id).gloss; }
  WordLevel HeadwordLevel(HeadwordId id) const override { return At(id).level; }
  std::string_view StoredSpelling(int32_t spelling) const override;
  std::string_view HeadwordForm(int32_t spelling) const override;
  int32_t LevelEntryCount() const override { return levelEntryCount_; }
  int32_t LevelEntryOf(HeadwordId id) const override { return levelEntryOf_[static_cast<size_t>(id)]; }
  int32_t LevelListSize(WordLevel level) const override;

  // The entry of `spelling` (letter case ignored), or -1.
  int32_t EntryOf(std::string_view spelling) const;

 private:
  // One distinct spelling. Its candidates run from candidatesBegin to the
  // next entry's.
  struct Entry {
    HeadwordId keyHeadword = kNoHeadword;  // the spelling that made the entry: this headword's
    int32_t keyForm = -1;                  // inflected spelling keyForm, or its own (-1)
    uint32_t candidatesBegin = 0;          // into candidates_
    HeadwordId ownHeadword = kNoHeadword;  // best-ranked candidate spelled like the entry
    int32_t storedForm = -1;               // the chosen headword's matching form; -1 its own spelling
  };

  Lexicon() = default;
  void Index();
  void SetLevels(const LevelLists& levels);
  std::string_view KeyOf(int32_t entry) const {
    const Entry& e = entries_[static_cast<size_t>(entry)];
    return SpellingOf(e.keyHeadword, e.keyForm);
  }
  uint32_t CandidateCount(size_t entry) const {
    const size_t end = entry + 1 < entries_.size() ? entries_[entry + 1].candidatesBegin : candidates_.size();
    return static_cast<uint32_t>(end - entries_[entry].candidatesBegin);
  }
  std::string_view SpellingOf(HeadwordId id, int32_t form) const {
    return form < 0 ? std::string_view(At(id).spelling) : std::string_view(At(id).forms[static_cast<size_t>(form)]);
  }

  std::vector<Headword> headwords_;
  std::vector<Entry> entries_;
  std::vector<HeadwordId> candidates_;
  FoldedIndex index_;  // spelling -> entry
  std::vector<int32_t> levelEntryOf_;
  std::array<int32_t, kListedLevelCount> levelListSize_{};
  int32_t levelEntryCount_ = 0;
  int32_t listedSpellings_ = 0;
  int32_t formCount_ = 0;
  GlossTexts glossTexts_;
};

}  // namespace lexiscoop
