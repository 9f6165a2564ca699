#pragma once

#include <string>
#include <string_view>

namespace lexiscoop {

class Lexicon;
class ShownWordList;
struct AnalysisResult;

// The Japanese glosses («gloss; gloss», CP932) of the headword that `word`
// counts for (the lexicon's chosen headword), or "" when the word is not in
// the dictionary or its headword has no gloss.
std::string GlossOfWord(std::string_view word, const Lexicon& lexicon);

// The glosses of the headword the run classified row `row` of `shown` under
// (by the row's first word in the text), or "". A row shows a headword's
// spelling, which may count for another headword when looked up afresh
// (found, the verb of «founded», spells a form of find): the row's gloss is
// its own word's. The view stays valid while `result` keeps its classifier.
std::string_view GlossOfRow(const ShownWordList& shown, int row, const AnalysisResult& result);

// The details' gloss line: "訳語: gloss; gloss" and CR LF (CP932), or ""
// when there is no gloss.
std::string GlossLine(std::string_view glosses);

}  // namespace lexiscoop
