#pragma once

#include <string>

#include "export/ExportTable.h"

namespace lexiscoop {

// The table as CSV (RFC 4180): a UTF-8 byte-order mark (so a spreadsheet in a
// Japanese locale reads UTF-8), the header row, one line per row, CR LF after
// every line. A field with a comma, a double quote, CR or LF is quoted, its
// quotes doubled. A text cell that a spreadsheet would read as a formula
// (one that begins with = + - @) gets a leading apostrophe.
std::string CsvText(const ExportTable& table);

// The table as tab-separated lines (UTF-8, LF after every line), with or
// without the header row. TAB, CR and LF inside a cell become blanks, so
// every line is one row.
std::string TsvText(const ExportTable& table, bool withHeader);

// The table as JSON lines: one object per row, keys the column names, in
// column order; numbers as JSON numbers, a blank number as null. UTF-8, LF after every line.
std::string JsonLinesText(const ExportTable& table);

// A Decimal cell's text: fixed, with `decimals` digits after the point.
std::string DecimalText(double value, int decimals);

}  // namespace lexiscoop
