#include "export/ExportFile.h"

#include "export/TableText.h"
#include "export/XlsxFile.h"
#include "platform/AtomicFile.h"

namespace lexiscoop {
namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return out;
}

}  // namespace

std::optional<ExportFormat> ExportFormatFromName(std::string_view name) {
  if (name == "tsv") return ExportFormat::Tsv;
  if (name == "csv") return ExportFormat::Csv;
  if (name == "json") return ExportFormat::Json;
  if (name == "xlsx") return ExportFormat::Xlsx;
  return std::nullopt;
}

std::optional<ExportFormat> ExportFormatFromPath(std::string_view path) {
  const size_t slash = path.rfind('/');
  const size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return std::nullopt;
  const std::string extension = Lower(path.substr(dot + 1));
  if (extension == "txt") return ExportFormat::Tsv;
  if (extension == "jsonl") return ExportFormat::Json;
  return ExportFormatFromName(extension);
}

const char* ExportFormatExtension(ExportFormat format) {
  switch (format) {
    case ExportFormat::Tsv: return ".tsv";
    case ExportFormat::Csv: return ".csv";
    case ExportFormat::Json: return ".jsonl";
    case ExportFormat::Xlsx: return ".xlsx";
  }
  return "";
}

std::string ExportText(const ExportTable& table, ExportFormat format) {
  switch (format) {
    case ExportFormat::Tsv: return TsvText(table, table.tsvHeader);
    case ExportFormat::Csv: return CsvText(table);
    case ExportFormat::Json: return JsonLinesText(table);
    case ExportFormat::Xlsx: break;
  }
  return {};
}

Status CheckExportRowCount(size_t rows, ExportFormat format) {
  return format == ExportFormat::Xlsx && rows > kXlsxMaxRows ? TooManyXlsxRows(rows) : Status::OK();
}

Status WriteExportFile(const ExportTable& table, ExportFormat format, const std::string& path) {
  if (format == ExportFormat::Xlsx) return WriteXlsxFile(table, path);
  return WriteFileAtomically(path, ExportText(table, format));
}

}  // namespace lexiscoop
