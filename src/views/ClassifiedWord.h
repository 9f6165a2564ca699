#pragma once

#include <cstdint>
#include <string_view>

#include "analysis/WordClassifier.h"
#include "analysis/WordLevel.h"

namespace lexiscoop {

class ShownWordList;
struct AnalysisResult;

// The Japanese glosses of a headword as the lexicon keeps them: groups by
// part of speech «動 閉じる; 閉める / 形 近い», or the user's free text
// «gloss; gloss» (see dictionary/GlossGroups.h).
struct Glosses {
  std::string_view text;  // every group (CP932); empty when the headword has none

  bool Empty() const { return text.empty(); }
  // The first group with its label («動 閉じる; 閉める»), shown where room
  // is short; the whole text when it is not grouped.
  std::string_view FirstGroup() const;
};

// What the run's classification says of one word-table entry: the one
// answer every view shows (list, details, hover, exports, command line).
// The views point into the run's classifier and stay valid while the
// result keeps it.
struct ClassifiedWord {
  int32_t entry = -1;                    // the word-table entry; -1 for none
  HeadwordId headword = kNoHeadword;     // the chosen headword; kNoHeadword: not in the dictionary
  std::string_view headwordForm;         // its 原形 form (ShownForm Original); empty when none
  WordLevel level = WordLevel::None;     // the chosen headword's level
  Glosses glosses;                       // the chosen headword's glosses
  uint8_t flags = 0;                     // WordFlag bits

  bool InDictionary() const { return headword != kNoHeadword; }
};

// The classification of entry `entry` of the result's word table. A result
// that was never classified, or an entry outside the table, gives an entry
// that is not in the dictionary (level None, nothing else).
// An entry whose occurrences were read as several headwords (see
// AnalysisResult::readings) gives its most frequent reading.
ClassifiedWord ClassifiedWordOf(const AnalysisResult& result, int32_t entry);

// The classification of entry `entry` read as headword `headword`, one of
// its readings; kNoHeadword, or a headword it was not read as, gives
// ClassifiedWordOf(result, entry).
ClassifiedWord ClassifiedReadingOf(const AnalysisResult& result, int32_t entry, HeadwordId headword);

// The classification of the word shown in row `row` of `shown`: that of the
// row's first word in the text, the entry that gave the row its form, read
// as the headword the row stands for. A row
// shows a headword's spelling, which may count for another headword when
// looked up afresh (found, the verb of «founded», spells a form of find), so
// a row is never looked up again by its text. Rows outside the list give
// ClassifiedWord{}.
ClassifiedWord ClassifiedRowOf(const ShownWordList& shown, int row, const AnalysisResult& result);

}  // namespace lexiscoop
