#pragma once

// A plain word splitter over a whole text, without a window, blocks or fast
// paths: the yardstick for TParserDB in tests and fuzzing: every text yields
// exactly these words.

#include <string>
#include <vector>

#include "analysis/ParserDB.h"
#include "analysis/henkanJ.h"

namespace lexiscoop::testing {

inline bool IsAsciiLetter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

inline std::vector<std::string> ReferenceWords(const std::string& text) {
  // c_str() ends the text with a zero byte, as the window's terminator does.
  const char* const s = text.c_str();
  const size_t size = text.size();
  std::vector<std::string> words;
  size_t i = 0;
  for (;;) {
    while (static_cast<unsigned char>(s[i]) >= 0x01 && static_cast<unsigned char>(s[i]) <= 0x20) ++i;
    if (s[i] == 0) return words;  // the end, or a zero byte of the text
    const FoldedChar first = ReadFoldedChar(s + i);
    if (IsAsciiLetter(first.byte)) {
      size_t j = i + static_cast<size_t>(first.length);
      for (;;) {
        const FoldedChar next = ReadFoldedChar(s + j);
        if (!WordCharSet[next.byte]) break;
        j += static_cast<size_t>(next.length);
      }
      words.push_back(ToHalfWidth(text.substr(i, j - i)));
      i = j;
      continue;
    }
    if (first.length == 2 && i + 1 == size) return words;  // a lone lead byte ends the text
    i += static_cast<size_t>(first.length);
  }
}

}  // namespace lexiscoop::testing
