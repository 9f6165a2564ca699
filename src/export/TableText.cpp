#include "export/TableText.h"

#include <charconv>
#include <cmath>

namespace lexiscoop {
namespace {

void AppendInteger(std::string& out, int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void AppendDecimal(std::string& out, double value, int decimals) {
  if (!std::isfinite(value)) value = 0;
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals < 0 ? 0 : decimals);
  if (result.ec == std::errc()) {
    out.append(buffer, result.ptr);
  } else {
    out += '0';
  }
}

// Appends a number cell as plain text, whatever the alternative holds.
void AppendNumber(std::string& out, const ExportValue& value, const ExportColumn& column) {
  if (const auto* i = std::get_if<int64_t>(&value)) {
    if (column.kind == ColumnKind::Decimal) {
      AppendDecimal(out, static_cast<double>(*i), column.decimals);
    } else {
      AppendInteger(out, *i);
    }
  } else if (const auto* d = std::get_if<double>(&value)) {
    AppendDecimal(out, *d, column.kind == ColumnKind::Decimal ? column.decimals : 0);
  }
}

bool NeedsCsvQuotes(const std::string& s) { return s.find_first_of(",\"\r\n") != std::string::npos; }

bool LooksLikeFormula(const std::string& s) {
  return !s.empty() && (s[0] == '=' || s[0] == '+' || s[0] == '-' || s[0] == '@');
}

void AppendCsvField(std::string& out, const std::string& field) {
  if (!NeedsCsvQuotes(field)) {
    out += field;
    return;
  }
  out += '"';
  for (const char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void AppendCsvText(std::string& out, const std::string& text) {
  if (LooksLikeFormula(text)) {
    AppendCsvField(out, "'" + text);
  } else {
    AppendCsvField(out, text);
  }
}

void AppendTsvField(std::string& out, const std::string& field) {
  for (const char c : field) out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
}

void AppendJsonString(std::string& out, const std::string& s) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  for (const char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          out += "\\u00";
          out += kHex[c >> 4];
          out += kHex[c & 15];
        } else {
          out += ch;
        }
    }
  }
  out += '"';
}

const std::string* TextOf(const ExportValue& value) { return std::get_if<std::string>(&value); }

size_t EstimatedSize(const ExportTable& table) {
  size_t size = 64;
  for (const ExportColumn& column : table.columns) size += column.name.size() + 8;
  // A fair guess from the first row is enough: the string grows if needed.
  if (!table.rows.empty()) {
    size_t first = 0;
    for (const ExportValue& value : table.rows.front()) {
      const std::string* text = TextOf(value);
      first += (text ? text->size() : 12) + 4;
    }
    size += first * table.rows.size();
  }
  return size;
}

// The header (if wanted) and the rows, fields split by `separator`, every
// line ended by `lineEnd`; text fields written by `appendText`.
void AppendDelimited(std::string& out, const ExportTable& table, bool withHeader, char separator,
                     const char* lineEnd, void (*appendText)(std::string&, const std::string&)) {
  if (withHeader) {
    for (size_t c = 0; c < table.columns.size(); ++c) {
      if (c > 0) out += separator;
      appendText(out, table.columns[c].name);
    }
    out += lineEnd;
  }
  for (const auto& row : table.rows) {
    for (size_t c = 0; c < table.columns.size(); ++c) {
      if (c > 0) out += separator;
      if (c >= row.size()) continue;
      if (const std::string* text = TextOf(row[c])) {
        appendText(out, *text);
      } else {
        AppendNumber(out, row[c], table.columns[c]);
      }
    }
    out += lineEnd;
  }
}

}  // namespace

std::string DecimalText(double value, int decimals) {
  std::string out;
  AppendDecimal(out, value, decimals);
  return out;
}

std::string CsvText(const ExportTable& table) {
  std::string out;
  out.reserve(EstimatedSize(table));
  out += "\xEF\xBB\xBF";
  AppendDelimited(out, table, true, ',', "\r\n", &AppendCsvText);
  return out;
}

std::string TsvText(const ExportTable& table, bool withHeader) {
  std::string out;
  out.reserve(EstimatedSize(table));
  AppendDelimited(out, table, withHeader, '\t', "\n", &AppendTsvField);
  return out;
}

std::string JsonLinesText(const ExportTable& table) {
  std::string out;
  out.reserve(EstimatedSize(table) + table.rows.size() * table.columns.size() * 12);
  for (const auto& row : table.rows) {
    out += '{';
    for (size_t c = 0; c < table.columns.size(); ++c) {
      if (c > 0) out += ',';
      AppendJsonString(out, table.columns[c].name);
      out += ':';
      if (c >= row.size()) {
        out += "null";
      } else if (const std::string* text = TextOf(row[c])) {
        // A blank number is null.
        if (text->empty() && table.columns[c].kind != ColumnKind::Text) {
          out += "null";
        } else {
          AppendJsonString(out, *text);
        }
      } else {
        AppendNumber(out, row[c], table.columns[c]);
      }
    }
    out += "}\n";
  }
  return out;
}

}  // namespace lexiscoop
