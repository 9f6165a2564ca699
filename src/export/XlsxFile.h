#pragma once

#include <string>

#include "export/ExportTable.h"
#include "platform/Status.h"

namespace lexiscoop {

// Writes the table as an Excel workbook (.xlsx) of one worksheet: the header
// row in bold, frozen, with an auto-filter over the table; numbers as
// numbers (Decimal columns rounded to their decimals, as the text formats
// write them, in the format "0.000" for 3 decimals), text as
// text; every column as wide as its widest cell (up to a limit), a
// double-width character counting twice. The file is replaced whole: the
// workbook goes to a temporary file beside it, which is renamed over it only
// when complete (see WriteFileAtomicallyThrough: links followed, a device or
// FIFO written to directly). A table of more than kXlsxMaxRows rows is
// refused before anything is written.
Status WriteXlsxFile(const ExportTable& table, const std::string& path);

// The refusal of a table of `rows` rows, over kXlsxMaxRows.
Status TooManyXlsxRows(size_t rows);

// The most rows a worksheet holds below its header.
constexpr size_t kXlsxMaxRows = 1048575;

}  // namespace lexiscoop
