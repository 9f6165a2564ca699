#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace lexiscoop {

class ShownWordList;
struct AnalysisResult;

// One row of the word list as a column reads it: row `row` of `shown`,
// classified by the run `result`. `text` is the text the run scanned, for the
// sentence column; without it the sentence is empty.
struct ListRow {
  const ShownWordList& shown;
  const AnalysisResult& result;
  int row = 0;
  std::string_view text;
  // Entry i of the result's word table is known to the class when known[i]
  // is not 0; empty: no known-word list chosen.
  std::span<const uint8_t> known = {};
};

// What a column's cells hold: text, a whole number, or a number shown with
// a fixed number of decimals.
enum class CellKind { Text, Integer, Decimal };

enum class CellAlignment { Left, Right };

// One column of the word list. The window's model, `words --columns` and
// `--sort`, the exports and the saved column widths are all made from the
// table of these (WordListColumns); a new column is one more row there.
struct WordListColumn {
  std::string_view id;          // its name on the command line (--columns)
  std::string_view exportName;  // its header in the exports; the id where empty
  const char* caption;          // the window's header (UTF-8)
  CellAlignment alignment;
  CellKind kind;
  int decimals;                 // Decimal: the digits after the point in the exports
  int sortKey;                  // the ShownWordList sort key; -1: not a sort key
  std::string_view sortName;    // its name for --sort; empty: none
  bool inWindow;                // a column of the window's list
  bool shownAtFirst;            // the window shows it until the user hides it
  int designWidth;              // the window's first width, in pixels
  int shownAfter;               // the window moves it to this visual place; -1: stays
  bool ownWidthSetting;         // its width is kept in a setting of its own, not in ColWidth
  bool levelColour;             // the window paints it in the row's level colour
  // Appends the cell's text (CP932) for `row`; the window and the command
  // line show it, the exports convert it to UTF-8.
  void (*appendText)(std::string& out, const ListRow& row);
  // The cell's value as a number (Integer, Decimal) and the window's sort
  // value; null for a text column.
  double (*number)(const ListRow& row);
  // Appends the cell's short text (CP932), which the window's cell and the
  // flash card show (the glosses' first group); null: the same as appendText.
  void (*appendShortText)(std::string& out, const ListRow& row);
};

// Every column, the window's in the order of its model (only ever added at
// the end, so that widths saved by position stay valid), then those only
// the command line and the exports have.
std::span<const WordListColumn> WordListColumns();

// The column called `id`, or null.
const WordListColumn* FindWordListColumn(std::string_view id);

// The columns of the window's list, in the order of its model.
std::span<const WordListColumn* const> WindowColumns();
// The window model's index of the column called `id`, or -1.
int WindowColumnIndex(std::string_view id);

// The cell of `column` for `row` as text (CP932).
std::string CellText(const WordListColumn& column, const ListRow& row);
// Its short text (appendShortText), where room is short.
std::string ShortCellText(const WordListColumn& column, const ListRow& row);

// "a, b, c or d": the ids of `columns` (for messages), sort names instead
// when `sortNames` is set (columns without one left out).
std::string ColumnNameList(std::span<const WordListColumn> columns, bool sortNames);

}  // namespace lexiscoop
