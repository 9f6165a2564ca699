#include "lists/TableRows.h"

namespace lexiscoop {
namespace {

// Skips the line break at `i` (CR LF, LF or CR); returns whether there was one.
bool SkipBreak(std::string_view text, size_t& i) {
  if (i >= text.size()) return false;
  if (text[i] == '\r') {
    ++i;
    if (i < text.size() && text[i] == '\n') ++i;
    return true;
  }
  if (text[i] == '\n') {
    ++i;
    return true;
  }
  return false;
}

}  // namespace

std::vector<TableRow> ReadPlainRows(std::string_view text) {
  std::vector<TableRow> rows;
  size_t i = 0;
  int line = 1;
  while (i < text.size()) {
    const size_t start = i;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
    rows.push_back({line++, {std::string(text.substr(start, i - start))}});
    SkipBreak(text, i);
  }
  return rows;
}

std::vector<TableRow> ReadDelimitedRows(std::string_view text, char separator) {
  std::vector<TableRow> rows;
  size_t i = 0;
  int line = 1;
  while (i < text.size()) {
    TableRow row;
    row.line = line;
    for (;;) {
      std::string cell;
      if (i < text.size() && text[i] == '"') {
        ++i;
        while (i < text.size()) {
          if (text[i] == '"') {
            if (i + 1 < text.size() && text[i + 1] == '"') {
              cell += '"';
              i += 2;
              continue;
            }
            ++i;
            break;
          }
          if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++line;
          cell += text[i++];
        }
        // Whatever follows the closing quote up to the separator belongs to the cell.
      }
      while (i < text.size() && text[i] != separator && text[i] != '\r' && text[i] != '\n') cell += text[i++];
      row.cells.push_back(std::move(cell));
      if (i < text.size() && text[i] == separator) {
        ++i;
        continue;
      }
      break;
    }
    if (SkipBreak(text, i)) ++line;
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace lexiscoop
