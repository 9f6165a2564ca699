#pragma once

#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "analysis/WordReadings.h"
#include "tagging/TagSet.h"
#include "tagging/TaggerModel.h"

namespace lexiscoop {

struct AnalysisResult;
class Lexicon;

// Of the candidate headwords of `spelling` (in rule order), the one whose
// forms fit the part-of-speech tag the word has in its sentence: a past or
// participle tag takes a headword the spelling is an inflected form of
// (found/VBD -> find), a base tag the spelling's own headword (found/VB ->
// found, saw/NN -> saw), a plural noun a headword whose plural in -ves comes
// from -f or -fe (lives/NNS -> life), a third-person verb one whose form adds
// -s or -es (lives/VBZ -> live). Without a better fit, the first candidate.
HeadwordId ReadingForTag(const Lexicon& lexicon, std::string_view spelling,
                         std::span<const HeadwordId> candidates, tagging::Tag tag);

// Reads every ambiguous word of a classified run in its sentence: the words
// of the table with more than one candidate headword are found in `text`
// (the scanned text, CP932), each tagged with a window of a few words around
// it, and the headword its tag fits counted. Returns the entries whose
// occurrences split among two or more headwords (by increasing entry, the
// most frequent reading first; occurrences the tokeniser did not reach keep
// the entry's class), ready for ApplyWordReadings. A text without an
// ambiguous word costs one pass over the classes.
std::vector<EntryReadings> ReadWordsInContext(const AnalysisResult& result, const Lexicon& lexicon,
                                              std::shared_ptr<const tagging::TaggerModel> model,
                                              std::string_view text);

}  // namespace lexiscoop
