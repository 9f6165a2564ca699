#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/TextSpan.h"

namespace lexiscoop {

// One sentence of a text around a word, in three pieces (CP932): the text
// before the word, the word, and the text after it. Runs of blanks and line
// breaks are one blank; the ends are trimmed. A sentence longer than the
// limit is cut on both sides of the word, at a blank where one is near, and
// "…" stands for what was cut.
struct SentenceExcerpt {
  std::string before;
  std::string word;
  std::string after;

  bool Empty() const { return before.empty() && word.empty() && after.empty(); }
};

// The sentence of `text` that holds `span`: from just after the last
// sentence end before it (". ", "! ", "? ", the Japanese 。！？, or an empty
// line) to the first sentence end after it, closing quotes and brackets
// included. At most `maxChars` characters (a double-byte character is one),
// not counting the word itself when it is longer. An empty excerpt for a
// span outside the text.
SentenceExcerpt SentenceAround(std::string_view text, TextSpan span, int maxChars = 120);

}  // namespace lexiscoop
