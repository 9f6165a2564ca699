#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lists/TableRows.h"

namespace lexiscoop {

// A line of an import that was not taken as it stands: the file and line
// (0 for the file as a whole) and why, all CP932.
struct ListNote {
  std::string file;
  int line = 0;
  std::string message;
};

// "file:line: message" ("file: message" for line 0).
std::string NoteText(const ListNote& note);

// One word of a list file, with the level its row names ("" when the file
// has no level column) and where it stands.
struct ListEntry {
  std::string word;   // CP932, as written (trimmed)
  std::string level;  // CP932
  std::string file;
  int line = 0;
};

// What one list file gave: every non-blank row is either an entry or a note.
struct ListReading {
  std::vector<ListEntry> entries;
  std::vector<ListNote> notes;
  int blankLines = 0;
  bool unreadable = false;  // the file as a whole could not be read (one note says why)
};

enum class ListFormat { PlainText, Csv, Tsv, Xlsx };

// The largest list file read.
inline constexpr int64_t kMaxListFileBytes = 64ll << 20;

// The format of a file by its contents (a zip archive is a workbook) and
// else by its name's extension (.csv, .tsv, .tab; anything else plain text).
ListFormat ListFormatOf(std::string_view fileName, std::string_view bytes);

// Reads the list file `path`. Texts may be CP932, UTF-8 or UTF-16 (see
// InputEncoding.h). A plain text holds one word a line; a CSV, TSV or sheet
// row holds the word in its first cell and a level name in its second (when
// the first row names the columns, e.g. «word,level» or «単語,レベル», they
// are taken from there and the row is not a word). Blank rows are counted.
ListReading ReadListFile(const std::string& path);

// The same over bytes already read; `file` names them in the notes.
ListReading ReadListBytes(const std::string& file, std::string_view bytes, ListFormat format);

// The entries of rows already split into cells.
void EntriesFromRows(const std::vector<TableRow>& rows, const std::string& file, ListReading& reading);

// True when `word` can be a headword of a list: ASCII letters, with digits,
// hyphens, apostrophes and full stops inside, no blanks.
bool IsListWord(std::string_view word);

}  // namespace lexiscoop
