#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "export/ExportTable.h"
#include "platform/Status.h"

namespace lexiscoop {

enum class ExportFormat { Tsv, Csv, Json, Xlsx };

// The format named "tsv", "csv", "json" (JSON lines) or "xlsx"; nullopt for
// any other name.
std::optional<ExportFormat> ExportFormatFromName(std::string_view name);

// The format of a file name's extension (.tsv/.txt, .csv, .json/.jsonl,
// .xlsx; letter case ignored); nullopt for any other.
std::optional<ExportFormat> ExportFormatFromPath(std::string_view path);

// The usual extension of a format, with its dot.
const char* ExportFormatExtension(ExportFormat format);

// The table as the bytes of a text format (Tsv with its header row unless
// the table leaves it out); empty
// for Xlsx, which is written only to a file.
std::string ExportText(const ExportTable& table, ExportFormat format);

// TooManyXlsxRows for a table of `rows` rows that `format` cannot hold (an
// xlsx worksheet holds kXlsxMaxRows below its header); OK otherwise. Asked
// before the rows are made, which for so many would take long for nothing.
Status CheckExportRowCount(size_t rows, ExportFormat format);

// Writes the table to `path` in `format`, replacing the file whole (a failed
// write leaves an old file as it was). The status's ToString() says what
// failed (UTF-8).
Status WriteExportFile(const ExportTable& table, ExportFormat format, const std::string& path);

}  // namespace lexiscoop
