#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexiscoop {

// One row of a list file: its cells, left to right, and the line (or sheet
// row) it starts on, counted from 1.
struct TableRow {
  int line = 0;
  std::vector<std::string> cells;
};

// The rows of a text whose lines end in CR LF, LF or CR: each line one row
// of one cell. A last line without a break counts; an empty text has no rows.
std::vector<TableRow> ReadPlainRows(std::string_view text);

// The rows of a CSV (`separator` ',') or TSV ('\t') text: cells are split
// at the separator; a cell that starts with '"' runs to the closing quote,
// "" standing for one quote, and may hold separators and line breaks. The
// text is CP932 or ASCII: separators and quotes are never trail bytes.
std::vector<TableRow> ReadDelimitedRows(std::string_view text, char separator);

}  // namespace lexiscoop
