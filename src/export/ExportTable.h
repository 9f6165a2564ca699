#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace lexiscoop {

// What a column holds; the writers format and type the cells by it.
enum class ColumnKind {
  Text,     // UTF-8 text
  Integer,  // a whole number
  Decimal,  // a number shown with a fixed number of decimals
};

struct ExportColumn {
  std::string name;  // the header cell and the JSON key (UTF-8)
  ColumnKind kind = ColumnKind::Text;
  int decimals = 0;  // Decimal only
};

// One cell: UTF-8 text, or a number. A cell's alternative matches its
// column's kind (Text: string, Integer: int64_t, Decimal: double); the
// writers format a mismatched cell as well as they can.
using ExportValue = std::variant<std::string, int64_t, double>;

// A table to be written to a file: the columns and the rows, in the order
// they are written. Every row has one cell per column.
struct ExportTable {
  std::string sheetName;  // the worksheet's name in a workbook
  bool tsvHeader = true;  // false: TSV without its header row (flash cards)
  std::vector<ExportColumn> columns;
  std::vector<std::vector<ExportValue>> rows;
};

}  // namespace lexiscoop
