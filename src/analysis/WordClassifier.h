#pragma once

#include <cstdint>
#include <string_view>

#include "analysis/WordLevel.h"

namespace lexiscoop {

// A headword of a lexicon: the position of its record (for a lexicon built
// from a dictionary file, the line number of its line).
using HeadwordId = int32_t;
constexpr HeadwordId kNoHeadword = -1;

// Flags of a classified word.
enum WordFlag : uint8_t {
  kWordOwnHeadword = 1,  // the word's own spelling is one of its candidate headwords
  kWordAmbiguous = 2,    // the word has more than one candidate headword
  kWordReadInContext = 4,  // a reading of the word in its sentence, not the rule's choice
};

// What the lexicon says of one distinct word of a run.
struct WordClass {
  HeadwordId headword = kNoHeadword;  // the chosen headword; kNoHeadword: not in the dictionary
  int32_t spelling = -1;              // the lexicon's entry for the word's spelling; -1 when absent
  WordLevel level = WordLevel::None;  // the chosen headword's level (Other when in no level list)
  uint8_t flags = 0;                  // WordFlag bits

  bool InDictionary() const { return headword != kNoHeadword; }
};

// The lexicon as the analysis sees it: it resolves a word to its headword and
// level, and names the forms under which the word lists show it. An
// implementation is immutable once made and may be read from many threads.
class WordClassifier {
 public:
  virtual ~WordClassifier() = default;

  // The word's chosen headword, level and flags; a word that no headword
  // spells (letter case ignored) gives a default WordClass (level None).
  virtual WordClass Classify(std::string_view word) const = 0;

  // The spelling of headword `id` as the dictionary writes it (may be empty
  // for a dictionary line without a headword).
  virtual std::string_view HeadwordSpelling(HeadwordId id) const = 0;
  // The Japanese glosses of headword `id` («gloss; gloss», CP932); empty
  // when it has none.
  virtual std::string_view HeadwordGloss(HeadwordId) const { return {}; }
  // The shipped level of headword `id` (Other when in no level list).
  virtual WordLevel HeadwordLevel(HeadwordId) const { return WordLevel::Other; }
  // The spelling of entry `spelling` as the chosen headword stores it (表記).
  virtual std::string_view StoredSpelling(int32_t spelling) const = 0;
  // The entry's 見出し語 form: the spelling of the candidate headword that
  // is spelled like the entry, if any; otherwise the chosen headword's.
  virtual std::string_view HeadwordForm(int32_t spelling) const = 0;

  // The level lists' entries, numbered 0..LevelEntryCount()-1 (entries
  // equal without regard to letter case within one list count once), and the
  // entry that gives headword `id` its level, or -1 (level Other).
  virtual int32_t LevelEntryCount() const = 0;
  virtual int32_t LevelEntryOf(HeadwordId id) const = 0;
  // The number of entries of the level list of `level` (Basic..General).
  virtual int32_t LevelListSize(WordLevel level) const = 0;
};

}  // namespace lexiscoop
