#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace lexiscoop {

// The lines of a text, found once: line i runs from the start of the text or
// the byte after a line feed up to the next line feed, without it and without
// a carriage return just before it. Line numbers count line feeds as the
// scanner does, so line i is line i + 1 of a message. Keeps the start of
// every 16th line (a quarter of a byte per line) and a view of the text,
// which must outlive the index and not change; a line is found from the
// nearest kept start.
class TextLineIndex {
 public:
  TextLineIndex() = default;
  explicit TextLineIndex(std::string_view text) { Reset(text); }

  void Reset(std::string_view text);
  // At least 1 for a text that is not empty; 0 for an empty one.
  int LineCount() const { return count_; }
  // Line i without its line end; i must be below LineCount().
  std::string_view Line(int i) const;
  // The offset of line i in the text.
  uint32_t LineStart(int i) const;
  // The line that holds byte `offset` (the last line for the end of the text).
  int LineOfOffset(uint32_t offset) const;
  // The length in bytes of the longest line.
  uint32_t LongestLine() const { return longest_; }
  std::string_view Text() const { return text_; }

 private:
  static constexpr int kStrideBits = 4;  // a start kept every 2^4 lines

  std::string_view text_;
  std::vector<uint32_t> starts_;  // of lines 0, 16, 32, ...
  int count_ = 0;
  uint32_t longest_ = 0;
};

}  // namespace lexiscoop
