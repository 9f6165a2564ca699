#include "export/XlsxFile.h"

#include <dlfcn.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "export/TableText.h"
#include "platform/AtomicFile.h"

// libxlsxwriter packs the workbook through minizip at zlib's default level,
// and has no setting for it; deflating the worksheet then takes half the time
// of a large export. This definition comes before minizip's in the lookup of
// libxlsxwriter's calls (the program defines it), so every member is packed
// at the fastest level instead: about a quarter larger, written twice as
// fast. The call goes on to minizip's own function with the rest unchanged.
extern "C" int zipOpenNewFileInZip4_64(void* file, const char* filename, const void* zipfi,
                                       const void* extrafieldLocal, unsigned sizeExtrafieldLocal,
                                       const void* extrafieldGlobal, unsigned sizeExtrafieldGlobal,
                                       const char* comment, int method, int level, int raw, int windowBits,
                                       int memLevel, int strategy, const char* password,
                                       unsigned long crcForCrypting, unsigned long versionMadeBy,
                                       unsigned long flagBase, int zip64) {
  using Open = int (*)(void*, const char*, const void*, const void*, unsigned, const void*, unsigned, const char*,
                       int, int, int, int, int, int, const char*, unsigned long, unsigned long, unsigned long, int);
  static const auto next = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "zipOpenNewFileInZip4_64"));
  constexpr int kZipInternalError = -104;
  if (next == nullptr) return kZipInternalError;
  constexpr int kDeflated = 8;
  constexpr int kFastest = 1;
  if (method == kDeflated && level != 0) level = kFastest;
  return next(file, filename, zipfi, extrafieldLocal, sizeExtrafieldLocal, extrafieldGlobal, sizeExtrafieldGlobal,
              comment, method, level, raw, windowBits, memLevel, strategy, password, crcForCrypting, versionMadeBy,
              flagBase, zip64);
}

namespace lexiscoop {
namespace {

constexpr double kMinWidth = 6;
constexpr double kMaxWidth = 80;
// Excel keeps at most this many characters in a cell.
constexpr size_t kMaxCellChars = 32767;

// Display width of UTF-8 text in character cells: East Asian wide
// characters (CJK, kana, full-width forms) count two.
size_t DisplayWidth(const std::string& s) {
  size_t width = 0;
  for (size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    uint32_t cp = b;
    size_t n = 1;
    if (b >= 0xF0) n = 4, cp = b & 0x07;
    else if (b >= 0xE0) n = 3, cp = b & 0x0F;
    else if (b >= 0xC0) n = 2, cp = b & 0x1F;
    for (size_t k = 1; k < n && i + k < s.size(); ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    i += n;
    const bool wide = (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
                      (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
                      (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
                      (cp >= 0xFFE0 && cp <= 0xFFE6) || cp >= 0x20000;
    width += wide ? 2 : 1;
  }
  return width;
}

// Cuts UTF-8 text to Excel's cell limit at a character boundary.
std::string CellText(const std::string& s) {
  if (s.size() <= kMaxCellChars) return s;
  size_t end = kMaxCellChars;
  while (end > 0 && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) --end;
  return s.substr(0, end);
}

std::vector<double> ColumnWidths(const ExportTable& table) {
  std::vector<double> widths;
  for (size_t c = 0; c < table.columns.size(); ++c) {
    const ExportColumn& column = table.columns[c];
    // The header's filter button takes about two characters.
    size_t widest = DisplayWidth(column.name) + 2;
    for (const auto& row : table.rows) {
      if (c >= row.size()) continue;
      size_t w;
      if (const auto* text = std::get_if<std::string>(&row[c])) {
        if (text->size() <= widest) continue;  // a byte is never narrower than a cell
        w = DisplayWidth(*text);
      } else if (const auto* i = std::get_if<int64_t>(&row[c])) {
        w = std::to_string(*i).size() + (column.kind == ColumnKind::Decimal ? 1 + column.decimals : 0);
      } else {
        w = DecimalText(std::get<double>(row[c]), column.decimals).size();
      }
      widest = std::max(widest, w);
      if (widest >= kMaxWidth) break;
    }
    widths.push_back(std::clamp(static_cast<double>(widest) + 1, kMinWidth, kMaxWidth));
  }
  return widths;
}

// A sheet name Excel accepts: at most 31 characters, none of []:*?/\.
std::string SheetName(const std::string& name) {
  std::string out;
  for (const char c : name) {
    if (std::strchr("[]:*?/\\", c) == nullptr) out += c;
  }
  if (out.empty()) out = "Sheet1";
  if (out.size() > 31) out.resize(31);
  while (!out.empty() && (static_cast<unsigned char>(out.back()) & 0xC0) == 0x80) out.pop_back();
  if (!out.empty() && (static_cast<unsigned char>(out.back()) & 0xC0) == 0xC0) out.pop_back();
  return out.empty() ? "Sheet1" : out;
}

// A Decimal cell holds the figure as shown, rounded to its decimals, as the
// text formats write it (and a short number is quicker to write and pack).
double Rounded(double value, const ExportColumn& column) {
  if (column.kind != ColumnKind::Decimal || !std::isfinite(value)) return value;
  const double scale = std::pow(10.0, std::clamp(column.decimals, 0, 15));
  return std::round(value * scale) / scale;
}

std::string NumberFormat(int decimals) {
  return decimals <= 0 ? std::string("0") : "0." + std::string(static_cast<size_t>(std::min(decimals, 15)), '0');
}

// Writes the workbook to `path`; "" or what failed.
std::string WriteWorkbook(const ExportTable& table, const std::string& path) {
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  lxw_workbook* workbook = workbook_new_opt(path.c_str(), &options);
  if (workbook == nullptr) return "cannot create the workbook";
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, SheetName(table.sheetName).c_str());
  lxw_format* bold = workbook_add_format(workbook);
  format_set_bold(bold);
  std::vector<lxw_format*> formats;
  for (const ExportColumn& column : table.columns) {
    lxw_format* format = nullptr;
    if (column.kind == ColumnKind::Decimal) {
      format = workbook_add_format(workbook);
      format_set_num_format(format, NumberFormat(column.decimals).c_str());
    }
    formats.push_back(format);
  }

  const std::vector<double> widths = ColumnWidths(table);
  for (size_t c = 0; c < widths.size(); ++c) {
    worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), widths[c], nullptr);
  }
  worksheet_freeze_panes(sheet, 1, 0);
  if (!table.columns.empty()) {
    worksheet_autofilter(sheet, 0, 0, static_cast<lxw_row_t>(table.rows.size()),
                         static_cast<lxw_col_t>(table.columns.size() - 1));
  }

  lxw_error error = LXW_NO_ERROR;
  for (size_t c = 0; c < table.columns.size() && error == LXW_NO_ERROR; ++c) {
    error = worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c), CellText(table.columns[c].name).c_str(), bold);
  }
  for (size_t r = 0; r < table.rows.size() && error == LXW_NO_ERROR; ++r) {
    const auto& row = table.rows[r];
    const auto sheetRow = static_cast<lxw_row_t>(r + 1);
    for (size_t c = 0; c < row.size() && c < table.columns.size() && error == LXW_NO_ERROR; ++c) {
      const auto col = static_cast<lxw_col_t>(c);
      if (const auto* text = std::get_if<std::string>(&row[c])) {
        if (text->empty()) continue;
        error = text->size() <= kMaxCellChars ? worksheet_write_string(sheet, sheetRow, col, text->c_str(), formats[c])
                                              : worksheet_write_string(sheet, sheetRow, col, CellText(*text).c_str(), formats[c]);
      } else if (const auto* i = std::get_if<int64_t>(&row[c])) {
        error = worksheet_write_number(sheet, sheetRow, col, static_cast<double>(*i), formats[c]);
      } else {
        error = worksheet_write_number(sheet, sheetRow, col, Rounded(std::get<double>(row[c]), table.columns[c]),
                                       formats[c]);
      }
    }
  }
  const lxw_error closed = workbook_close(workbook);
  if (error != LXW_NO_ERROR) return lxw_strerror(error);
  if (closed != LXW_NO_ERROR) return lxw_strerror(closed);
  return "";
}

}  // namespace

Status WriteXlsxFile(const ExportTable& table, const std::string& path) {
  if (table.rows.size() > kXlsxMaxRows) return TooManyXlsxRows(table.rows.size());
  return WriteFileAtomicallyThrough(path, [&table](const std::string& tempPath) {
    const std::string failure = WriteWorkbook(table, tempPath);
    return failure.empty() ? Status::OK() : Status::IoError(failure);
  });
}

Status TooManyXlsxRows(size_t rows) {
  return Status::TooLarge("too many rows for a worksheet (" + std::to_string(rows) + ", at most " +
                          std::to_string(kXlsxMaxRows) + ")");
}

}  // namespace lexiscoop
