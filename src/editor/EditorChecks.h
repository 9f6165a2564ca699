#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/StringList.h"

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

// The index of the first HeadwordList entry equal to `text` with ASCII
// letter case ignored; -1 if none. A linear scan in file order.
int FindHeadword(const TStringList& headwordList, std::string_view text);

// The headword index (object slot) of the first InflectionIndex entry equal
// to `text` with ASCII letter case ignored; -1 if none.
int FindSpelling(const TStringList& inflectionIndex, std::string_view text);

// The spellings indexed under headword `headwordIndex` other than the
// headword itself (byte for byte), in InflectionIndex order: the lines that
// the editor shows for the entry.
std::vector<std::string> InflectionLines(const TStringList& inflectionIndex, int headwordIndex,
                                         std::string_view headword);

// The level number (0..4) of every HeadwordList entry, in list order.
std::vector<uint8_t> BuildRowLevels(const ConjugationDictionary& dictionary);

}  // namespace lexiscoop
