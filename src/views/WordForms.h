#pragma once

#include <string_view>
#include <vector>

#include "analysis/StringList.h"
#include "views/FoldedLookup.h"

namespace lexiscoop {

// The forms under which the word list can show one word of the word table.
// Views point into the word or into the dictionary lists.
struct WordForms {
  std::string_view notFoundForm;       // the word itself when it is not in the index
  std::string_view writtenForm;        // the spelling of the first matching index entry
  std::string_view headwordForm;       // the word's own spelling if it is a candidate headword, else that entry's headword
  std::string_view preferredHeadword;  // the first candidate headword
};

// Resolves words against the inflection index for the word list. The
// candidate headwords of a word are the headwords of every index entry whose
// spelling equals it (ASCII letter case ignored); those with inflection items
// go to the front as they are met, the others to the back. So the preferred
// headword is the last-met candidate with items, or else the first-met one.
// (The level statistics choose differently: see ChooseHeadwordForLevel.)
//
// One resolver serves one pass over many words: it hashes the index once
// when it is made and reuses its candidate buffers. The lists must not change
// while it is in use.
class WordFormResolver {
 public:
  WordFormResolver(const TStringList& inflectionIndex, const TStringList& headwordList)
      : index_(inflectionIndex), headwords_(headwordList), lookup_(inflectionIndex) {}

  // The forms of `word`; they stay valid while `word` and the lists do.
  WordForms Resolve(std::string_view word);

  // The candidate headwords (headword-list indices) of the last Resolve, in
  // candidate order.
  std::vector<int> CandidateHeadwords() const;

 private:
  bool IsCandidate(std::string_view spelling) const;

  const TStringList& index_;
  const TStringList& headwords_;
  FoldedLookup lookup_;
  std::vector<int> withItems_;     // candidates with inflection items, in the order met
  std::vector<int> withoutItems_;  // the others, in the order met
};

}  // namespace lexiscoop
