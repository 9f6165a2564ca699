#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "views/TextLineIndex.h"

namespace lexiscoop {

// One occurrence of a searched word: its line and where it sits in the line.
struct ContextHit {
  int32_t line;    // from 0
  uint32_t start;  // offset in the line
  uint32_t length;
};

// Finds, line by line from the top, every occurrence of the words that
// `matches` accepts (it gets the counted form of each word, as LineWords
// gives it, and where the word starts in the text, in bytes). The search goes on where it stopped, so a view can take the
// hits a screenful at a time.
class ContextSearch {
 public:
  using Matcher = std::function<bool(std::string_view word, uint64_t offset)>;

  // `lines` must outlive the search.
  ContextSearch(const TextLineIndex& lines, Matcher matches) : lines_(lines), matches_(std::move(matches)) {}

  // Appends hits to `out` until `maxHits` more are found or `maxLines` lines
  // have been read; a line is always read whole. Returns the number appended.
  size_t FindMore(std::vector<ContextHit>& out, size_t maxHits, size_t maxLines);
  bool AtEnd() const { return nextLine_ >= lines_.LineCount(); }
  // The line the search reads next.
  int NextLine() const { return nextLine_; }

 private:
  const TextLineIndex& lines_;
  Matcher matches_;
  int nextLine_ = 0;
};

// The three parts of a context line (CP932): the text before the word, cut
// to at most `width` bytes on the left, the word itself, and the text after
// it cut to `width` bytes. A cut never splits a double-byte character.
struct ContextParts {
  std::string left;
  std::string keyword;
  std::string right;
};
ContextParts ContextPartsOf(std::string_view line, const ContextHit& hit, size_t width);

// A context line as copied (CP932): the line number (from 1) right-aligned in
// 7, two blanks, the text before the word right-aligned in `width` columns,
// the word between blanks and the text after it (tabs become blanks).
std::string ContextLineText(std::string_view line, const ContextHit& hit, size_t width);

}  // namespace lexiscoop
