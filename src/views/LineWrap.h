#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "views/TextLineIndex.h"

namespace lexiscoop {

// Where the lines of the reading view wrap. Columns count as a fixed-pitch
// Japanese font draws CP932 text: a double-byte character takes two, any
// other byte one, and a tab reaches the next multiple of eight counted from
// the line's start.

// The start of a row after a line's first.
struct WrapPoint {
  uint32_t byte = 0;    // offset in the line
  uint32_t column = 0;  // column of that byte from the line's start
};

// The rows after the first of `line` wrapped at `width` columns (at least
// 1): a row breaks after blanks or beside a double-byte character (not a
// full-width letter or digit), so that a word is not cut; the blanks at a break stay at the end of the row before
// (they may reach past the edge). A word wider than a row is broken at the
// last whole character that fits. Every row but the last is not empty.
std::vector<WrapPoint> WrapLine(std::string_view line, int width);

// WrapLine(line, width).size() + 1, without keeping the points.
int WrappedRowCount(std::string_view line, int width);

// The rows of a whole text: which line each row shows. Width 0 wraps
// nothing (a row a line) and keeps no table.
class WrappedRows {
 public:
  // A row of a line: the line and its row counted from 0.
  struct Place {
    int line = 0;
    int row = 0;
  };

  // Wraps every line of `lines` at `width` columns (0: not at all).
  void Reset(const TextLineIndex& lines, int width);
  int Width() const { return width_; }
  int RowCount() const { return rowCount_; }
  // The first row of `line` (0 <= line <= LineCount: the row count).
  int FirstRowOf(int line) const;
  // The line of `row` (0 <= row < RowCount) and its place in the line.
  Place Locate(int row) const;

 private:
  int width_ = 0;
  int rowCount_ = 0;
  std::vector<int32_t> firstRow_;  // of each line, then the row count; empty when not wrapping
};

}  // namespace lexiscoop
