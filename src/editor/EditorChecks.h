#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/Lexicon.h"

namespace lexiscoop {

class ConjugationDictionary;

// The checks and look-ups of the dictionary editor. Every text is CP932.

// True iff `text` is not empty and holds only a-z, A-Z, hyphens and
// apostrophes.
bool IsValidHeadword(std::string_view text);

// The first spelling of `inflectionText` (read as comma text) that a
// dictionary line cannot hold for `headword`: one whose stored item reads
// back as another spelling, such as a digit right after the part it shares
// with the headword. Empty when every spelling can be stored.
std::string UnstorableSpelling(std::string_view headword, std::string_view inflectionText);

// The lines of `text` (split at CR LF, lone CR or lone LF; a zero byte ends
// it), each trimmed of bytes at or below 0x20, empty ones dropped, sorted by
// CompareText (lines equal to it by CompareStr, then by bytes, so the result
// does not depend on the order of the input) and each followed by CR LF.
// Two texts holding the same lines in any order normalize alike.
std::string NormalizeLines(std::string_view text);

// The first headword (in dictionary line order) spelled `text` with ASCII
// letter case ignored; -1 if none.
int FindHeadword(const Lexicon& lexicon, std::string_view text);

// The headword that `text` resolves to as a spelling of any headword (the
// headword rule's choice, as the word list shows it); -1 if none.
int FindSpelling(const Lexicon& lexicon, std::string_view text);

// The spellings of headword `id` (its own and its inflected ones) other than
// `headword` byte for byte, sorted by CompareText (equal ones: the later in
// the line first): the lines that the editor shows for the entry.
std::vector<std::string> InflectionLines(const Lexicon& lexicon, HeadwordId id, std::string_view headword);

// The level number (0..4) of every headword, in dictionary line order.
std::vector<uint8_t> BuildRowLevels(const ConjugationDictionary& dictionary);

}  // namespace lexiscoop
