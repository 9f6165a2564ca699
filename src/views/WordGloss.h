#pragma once

#include <string>
#include <string_view>

namespace lexiscoop {

class Lexicon;

// The Japanese glosses («gloss; gloss», CP932) of the headword that `word`
// counts for (the lexicon's chosen headword), or "" when the word is not in
// the dictionary or its headword has no gloss.
std::string GlossOfWord(std::string_view word, const Lexicon& lexicon);

// The details' gloss line: "訳語: gloss; gloss" and CR LF (CP932), or ""
// when there is no gloss.
std::string GlossLine(std::string_view glosses);

}  // namespace lexiscoop
