#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lexiscoop {

// One word of a line as the analysis run counts it: where its bytes sit in the
// line and the form the run counts (folded to single-byte characters and
// normalized, as ScanText does).
struct LineWord {
  uint32_t start;         // offset of the first byte in the line
  uint32_t length;        // bytes of the word as written, contraction ending included
  std::string_view word;  // the counted form; valid until the next word is found
};

// Finds the words of one line by the scanner's rules: a word starts with a
// Latin letter and goes on with letters, digits, '-', '\'' and '_', each
// single-byte or full-width; double-byte characters are stepped over whole.
// Words that normalize to nothing («n't») are skipped. Reads nothing outside
// `line`.
class LineWordScanner {
 public:
  explicit LineWordScanner(std::string_view line) : line_(line) {}

  // Finds the next word; false at the end of the line.
  bool Next(LineWord& out);

 private:
  std::string_view line_;
  size_t pos_ = 0;
  std::string folded_;
};

}  // namespace lexiscoop
