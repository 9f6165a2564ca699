#include "lists/ListFile.h"

#include <cstring>

#include "dictionary/DictionaryBounds.h"
#include "lists/ListTexts.h"
#include "lists/XlsxSheet.h"
#include "platform/Compare.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/InputEncoding.h"

namespace lexiscoop {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// `cell` without blanks (ASCII and the full-width space) at either end.
std::string_view Trim(std::string_view cell) {
  for (;;) {
    if (!cell.empty() && (cell.front() == ' ' || cell.front() == '\t')) cell.remove_prefix(1);
    else if (cell.size() >= 2 && cell[0] == '\x81' && cell[1] == '\x40') cell.remove_prefix(2);
    else break;
  }
  for (;;) {
    if (!cell.empty() && (cell.back() == ' ' || cell.back() == '\t')) cell.remove_suffix(1);
    else if (cell.size() >= 2 && cell[cell.size() - 2] == '\x81' && cell.back() == '\x40') cell.remove_suffix(2);
    else break;
  }
  return cell;
}

bool IsOneOf(std::string_view cell, std::initializer_list<const char*> utf8Names) {
  const std::string text = Utf8FromCp932(Trim(cell));
  for (const char* name : utf8Names) {
    if (SameText(text, name)) return true;
  }
  return false;
}

bool IsWordCaption(std::string_view cell) {
  return IsOneOf(cell, {"word", "words", "headword", "単語", "英単語", "見出し語", "語"});
}

bool IsLevelCaption(std::string_view cell) {
  return IsOneOf(cell, {"level", "レベル", "級", "学年", "段階"});
}

bool EndsWith(std::string_view name, const char* extension) {
  const size_t n = std::strlen(extension);
  return name.size() >= n && SameText(name.substr(name.size() - n), extension);
}

}  // namespace

std::string NoteText(const ListNote& note) {
  std::string text = note.file;
  if (note.line > 0) {
    text += ':';
    text += std::to_string(note.line);
  }
  text += ": ";
  text += note.message;
  return text;
}

bool IsListWord(std::string_view word) {
  if (word.empty() || word.size() > kMaxHeadwordBytes || !IsAsciiLetter(word.front())) return false;
  for (const char c : word) {
    if (!IsAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '-' && c != '\'' && c != '.') return false;
  }
  return true;
}

ListFormat ListFormatOf(std::string_view fileName, std::string_view bytes) {
  if (bytes.starts_with(std::string_view("PK\x03\x04", 4))) return ListFormat::Xlsx;
  if (EndsWith(fileName, ".xlsx")) return ListFormat::Xlsx;
  if (EndsWith(fileName, ".csv")) return ListFormat::Csv;
  if (EndsWith(fileName, ".tsv") || EndsWith(fileName, ".tab")) return ListFormat::Tsv;
  return ListFormat::PlainText;
}

void EntriesFromRows(const std::vector<TableRow>& rows, const std::string& file, ListReading& reading) {
  size_t wordColumn = 0;
  size_t levelColumn = 1;
  bool first = true;
  for (const TableRow& row : rows) {
    bool blank = true;
    for (const std::string& cell : row.cells) blank = blank && Trim(cell).empty();
    if (blank) {
      ++reading.blankLines;
      continue;
    }
    if (first) {
      first = false;
      // A first row naming a word column is a heading.
      bool heading = false;
      for (size_t c = 0; c < row.cells.size(); ++c) {
        if (IsWordCaption(row.cells[c])) {
          wordColumn = c;
          heading = true;
          break;
        }
      }
      if (heading) {
        levelColumn = SIZE_MAX;
        for (size_t c = 0; c < row.cells.size(); ++c) {
          if (c != wordColumn && IsLevelCaption(row.cells[c])) levelColumn = c;
        }
        continue;
      }
    }
    const std::string_view word = wordColumn < row.cells.size() ? Trim(row.cells[wordColumn]) : std::string_view();
    if (word.size() > kMaxHeadwordBytes) {
      reading.notes.push_back({file, row.line, ListMessage(ListText::TooLong)});
      continue;
    }
    if (!IsListWord(word)) {
      reading.notes.push_back({file, row.line, ListMessage(ListText::NotAWord)});
      continue;
    }
    std::string level;
    if (levelColumn < row.cells.size()) level = std::string(Trim(row.cells[levelColumn]));
    if (level.size() > kMaxHeadwordBytes) level.resize(kMaxHeadwordBytes);
    reading.entries.push_back({std::string(word), std::move(level), file, row.line});
  }
}

ListReading ReadListBytes(const std::string& file, std::string_view bytes, ListFormat format) {
  ListReading reading;
  std::vector<TableRow> rows;
  if (format == ListFormat::Xlsx) {
    switch (ReadFirstSheet(bytes, rows)) {
      case XlsxOutcome::Read:
        break;
      case XlsxOutcome::NotAWorkbook:
        reading.notes.push_back({file, 0, ListMessage(ListText::NotAWorkbook)});
        reading.unreadable = true;
        return reading;
      case XlsxOutcome::NoSheet:
        reading.notes.push_back({file, 0, ListMessage(ListText::NoSheet)});
        reading.unreadable = true;
        return reading;
      case XlsxOutcome::BadSheet:
        reading.notes.push_back({file, 0, ListMessage(ListText::BadSheet)});
        reading.unreadable = true;
        return reading;
    }
  } else {
    const std::string text = TextToCp932(std::string(bytes));
    if (format == ListFormat::PlainText) rows = ReadPlainRows(text);
    else rows = ReadDelimitedRows(text, format == ListFormat::Csv ? ',' : '\t');
  }
  EntriesFromRows(rows, file, reading);
  return reading;
}

ListReading ReadListFile(const std::string& path) {
  const std::string file = Cp932FromUtf8(path);
  std::string bytes;
  if (const int rc = ReadWholeFile(path, bytes, kMaxListFileBytes); rc != 0) {
    ListReading reading;
    reading.unreadable = true;
    reading.notes.push_back({file, 0, ListMessage(ListText::CannotRead, std::strerror(rc))});
    return reading;
  }
  return ReadListBytes(file, bytes, ListFormatOf(path, bytes));
}

}  // namespace lexiscoop
