#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lists/TableRows.h"

namespace lexiscoop {

// The parts of an .xlsx workbook that a word list needs, read with libzip
// for the archive and XmlScanner for the parts: the cells of the first
// sheet as text (shared strings, inline strings and plain values; phonetic
// guides left out), CP932.

// The largest part read from a workbook, unpacked, and the columns kept.
inline constexpr size_t kMaxXlsxPartBytes = 64u << 20;
inline constexpr int kMaxXlsxColumns = 64;

// The texts of a sharedStrings part, in order. False when its XML is malformed.
bool ReadSharedStrings(std::string_view xml, std::vector<std::string>& strings);

// The rows of a worksheet part that hold at least one cell, each with its
// sheet row number as its line and its cells placed by column (A first,
// missing cells empty, columns past kMaxXlsxColumns dropped). False when
// the XML is malformed.
bool ReadSheetRows(std::string_view xml, const std::vector<std::string>& shared, std::vector<TableRow>& rows);

// The column index of a cell reference ("A1" 0, "AB7" 27), or -1.
int CellColumn(std::string_view reference);

enum class XlsxOutcome { Read, NotAWorkbook, NoSheet, BadSheet };

// The rows of the first sheet of the workbook `bytes`.
XlsxOutcome ReadFirstSheet(std::string_view bytes, std::vector<TableRow>& rows);

}  // namespace lexiscoop
