#include "lists/XlsxSheet.h"

#include <zip.h>

#include <memory>

#include "lists/XmlScanner.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

struct ArchiveCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

// The unpacked bytes of part `name`; false when it is missing, too large or
// does not unpack.
bool ReadPart(zip_t* archive, const std::string& name, std::string& bytes) {
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat(archive, name.c_str(), 0, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0) return false;
  if (stat.size > kMaxXlsxPartBytes) return false;
  zip_file_t* file = zip_fopen(archive, name.c_str(), 0);
  if (file == nullptr) return false;
  bytes.assign(static_cast<size_t>(stat.size), '\0');
  const zip_int64_t read = zip_fread(file, bytes.data(), stat.size);
  zip_fclose(file);
  return read == static_cast<zip_int64_t>(stat.size);
}

// The sheet part the workbook names first: its relationship id looked up
// in the workbook's relationships.
std::string FirstSheetPart(zip_t* archive) {
  std::string workbook;
  std::string relations;
  if (!ReadPart(archive, "xl/workbook.xml", workbook) ||
      !ReadPart(archive, "xl/_rels/workbook.xml.rels", relations)) {
    return {};
  }
  std::string id;
  XmlScanner book(workbook);
  for (XmlScanner::Kind kind; (kind = book.Next()) != XmlScanner::Kind::Done;) {
    if (kind == XmlScanner::Kind::Start && book.Name() == "sheet") {
      id = book.Attribute("id");
      break;
    }
  }
  if (id.empty()) return {};
  XmlScanner rels(relations);
  for (XmlScanner::Kind kind; (kind = rels.Next()) != XmlScanner::Kind::Done;) {
    if (kind != XmlScanner::Kind::Start || rels.Name() != "Relationship" || rels.Attribute("Id") != id) continue;
    std::string target = rels.Attribute("Target");
    if (target.starts_with("/")) return target.substr(1);
    while (target.starts_with("./")) target.erase(0, 2);
    return "xl/" + target;
  }
  return {};
}

}  // namespace

int CellColumn(std::string_view reference) {
  int column = 0;
  size_t i = 0;
  while (i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z') {
    column = column * 26 + (reference[i] - 'A' + 1);
    if (column > 16384) return -1;
    ++i;
  }
  return i == 0 ? -1 : column - 1;
}

bool ReadSharedStrings(std::string_view xml, std::vector<std::string>& strings) {
  XmlScanner scanner(xml);
  int phonetic = 0;  // depth inside <rPh>, whose text is a reading guide
  bool inText = false;
  for (XmlScanner::Kind kind; (kind = scanner.Next()) != XmlScanner::Kind::Done;) {
    const std::string& name = scanner.Name();
    if (kind == XmlScanner::Kind::Start) {
      if (name == "si") strings.emplace_back();
      else if (name == "rPh") ++phonetic;
      else if (name == "t") inText = true;
    } else if (kind == XmlScanner::Kind::End) {
      if (name == "rPh" && phonetic > 0) --phonetic;
      else if (name == "t") inText = false;
    } else if (inText && phonetic == 0 && !strings.empty()) {
      strings.back() += scanner.Text();
    }
  }
  for (std::string& text : strings) text = Cp932FromUtf8(text);
  return !scanner.Failed();
}

bool ReadSheetRows(std::string_view xml, const std::vector<std::string>& shared, std::vector<TableRow>& rows) {
  XmlScanner scanner(xml);
  int rowNumber = 0;
  int column = -1;
  std::string type;
  std::string value;
  bool inValue = false;
  int phonetic = 0;
  for (XmlScanner::Kind kind; (kind = scanner.Next()) != XmlScanner::Kind::Done;) {
    const std::string& name = scanner.Name();
    if (kind == XmlScanner::Kind::Start) {
      if (name == "row") {
        const std::string r = scanner.Attribute("r");
        rowNumber = r.empty() || r.size() > 7 ? rowNumber + 1 : std::stoi("0" + r);
        column = -1;
      } else if (name == "c") {
        const std::string r = scanner.Attribute("r");
        column = r.empty() ? column + 1 : CellColumn(r);
        type = scanner.Attribute("t");
        value.clear();
      } else if (name == "v" || name == "t") {
        inValue = true;
      } else if (name == "rPh") {
        ++phonetic;
      }
    } else if (kind == XmlScanner::Kind::End) {
      if (name == "v" || name == "t") {
        inValue = false;
      } else if (name == "rPh" && phonetic > 0) {
        --phonetic;
      } else if (name == "c" && column >= 0 && column < kMaxXlsxColumns && rowNumber > 0) {
        std::string text;
        if (type == "s") {
          size_t index = 0;
          bool digits = !value.empty() && value.size() <= 9;
          for (const char c : value) {
            if (c < '0' || c > '9') digits = false;
            else index = index * 10 + static_cast<size_t>(c - '0');
          }
          if (digits && index < shared.size()) text = shared[index];
        } else {
          text = Cp932FromUtf8(value);
        }
        if (rows.empty() || rows.back().line != rowNumber) rows.push_back({rowNumber, {}});
        std::vector<std::string>& cells = rows.back().cells;
        if (cells.size() <= static_cast<size_t>(column)) cells.resize(static_cast<size_t>(column) + 1);
        cells[static_cast<size_t>(column)] = std::move(text);
      }
    } else if (inValue && phonetic == 0 && value.size() < 4096) {
      value += scanner.Text();
    }
  }
  return !scanner.Failed();
}

XlsxOutcome ReadFirstSheet(std::string_view bytes, std::vector<TableRow>& rows) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  if (source == nullptr) {
    zip_error_fini(&error);
    return XlsxOutcome::NotAWorkbook;
  }
  Archive archive(zip_open_from_source(source, ZIP_RDONLY, &error));
  zip_error_fini(&error);
  if (!archive) {
    zip_source_free(source);
    return XlsxOutcome::NotAWorkbook;
  }
  std::string part = FirstSheetPart(archive.get());
  std::string sheet;
  if (part.empty() || !ReadPart(archive.get(), part, sheet)) {
    if (!ReadPart(archive.get(), "xl/worksheets/sheet1.xml", sheet)) return XlsxOutcome::NoSheet;
  }
  std::vector<std::string> shared;
  std::string strings;
  if (ReadPart(archive.get(), "xl/sharedStrings.xml", strings) && !ReadSharedStrings(strings, shared)) {
    return XlsxOutcome::BadSheet;
  }
  return ReadSheetRows(sheet, shared, rows) ? XlsxOutcome::Read : XlsxOutcome::BadSheet;
}

}  // namespace lexiscoop
