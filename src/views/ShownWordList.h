#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/WordClassifier.h"
#include "analysis/WordLevel.h"
#include "platform/FoldedIndex.h"

namespace lexiscoop {

// Sort keys of the word list (the column index of a header click).
enum SortKey : int {
  kSortFirstAppearance = 0,
  kSortAlphabetical = 1,
  kSortCount = 2,
  kSortPerCent = 3,  // sorts exactly like kSortCount
  kSortLevel = 4,    // ascending: the most basic level first
};

// The texts of one row of the word list.
struct RowTexts {
  std::string number;   // 1-based row number, right-aligned in 5 ("%5D")
  std::string word;     // the shown form
  std::string count;    // plain decimal
  std::string perCent;  // count × 100 ÷ token count, "#,##0.000"; empty for 0 tokens
};

// The model behind the word list: the shown forms with their summed counts
// (`DisplayList`: positions in build order, the forms' bytes end to end), the
// case-blind look-up that merges forms while the list is built
// (`DisplayLookup`), and the row order (`ViewIndex`, a permutation of the
// positions). Filled by WordListBuilder; sorting permutes only the row order.
//
// Re-entry: while a rebuild is running (Busy), sort requests are refused, so
// a window that processes events during the rebuild cannot corrupt the lists.
class ShownWordList {
 public:
  ShownWordList();
  ShownWordList(const ShownWordList&) = delete;
  ShownWordList& operator=(const ShownWordList&) = delete;

  // Number of rows (== the number of shown forms).
  int RowCount() const { return static_cast<int>(viewIndex_.size()); }
  // The position shown in row r, or -1 outside the rows.
  int PositionOfRow(int row) const;
  // The row that shows position p, or -1.
  int RowOfPosition(int position) const;
  // The shown form and count of row r; r must be a valid row. The view
  // stays valid until the next rebuild.
  std::string_view WordOfRow(int row) const { return FormAt(viewIndex_[static_cast<size_t>(row)]); }
  int32_t CountOfRow(int row) const { return CountAt(viewIndex_[static_cast<size_t>(row)]); }

  // The shown forms by position (build order): their number, each form and
  // its summed count; p must be a valid position.
  int FormCount() const { return static_cast<int>(forms_.size()); }
  std::string_view FormAt(int p) const {
    const Form& f = forms_[static_cast<size_t>(p)];
    return std::string_view(bytes_).substr(f.offset, f.length);
  }
  int32_t CountAt(int p) const { return forms_[static_cast<size_t>(p)].count; }
  // The level of the word shown in row r; r must be a valid row.
  WordLevel LevelOfRow(int row) const { return forms_[static_cast<size_t>(viewIndex_[static_cast<size_t>(row)])].level; }

  // Row texts for the list view. False (and `out` untouched) for a row
  // outside the list; a row whose position is invalid gets only its number.
  bool TextsOfRow(int row, int32_t tokenCount, RowTexts& out) const;

  // The word-table entry that first gave DisplayList position p its form:
  // the entry, among those shown under p, that occurs first in the text.
  // -1 for a position outside the list.
  int32_t FirstWordOfPosition(int position) const;
  // The headword position p was read as when its first word's occurrences
  // count for several headwords (see AnalysisResult::readings); otherwise,
  // and outside the list, kNoHeadword: the first word's own class.
  HeadwordId HeadwordOfPosition(int position) const;
  // Where each reading of a word read as several headwords is shown, in
  // the forms that show the readings apart (see WordListBuilder).
  struct ReadingPosition {
    int32_t word;         // the word-table entry
    HeadwordId headword;  // the reading
    int32_t position;     // the DisplayList position that counts it
  };
  const std::vector<ReadingPosition>& ReadingPositions() const { return readingPositions_; }
  // The DisplayList position that shows word-table entry `word`, or -1 when
  // the filter left the word out.
  int32_t PositionOfWord(int word) const;
  const std::vector<int32_t>& ViewIndex() const { return viewIndex_; }

  int SortKeyValue() const { return sortKey_; }
  bool SortDescending() const { return sortDescending_; }

  // The sort request of the list's commands and header clicks: remembers the
  // key, flips the direction (so the first request sorts descending and the
  // same key again reverses) and sorts the rows. `selectedRows`, if given,
  // holds the rows selected before the sort and receives, in the same order,
  // the rows that show the same words afterwards. Returns false, changing
  // nothing, while a rebuild is running.
  bool SortList(int key, std::vector<int>* selectedRows = nullptr);
  // Sorts by `key` in the given direction without flipping.
  bool SortBy(int key, bool descending, std::vector<int>* selectedRows = nullptr);

  // Compares two positions under the current key and direction:
  // key 0 build order, 1 ordinal with a-z folded to upper case (a prefix
  // first), 2 and 3 count, 4 level (Basic first); any other key 0.
  int CompareRows(int32_t a, int32_t b) const;

  bool Busy() const { return busy_; }

 private:
  friend class WordListBuilder;

  void Clear();
  // Adds `count` to the entry of `form`, merging forms that differ only in
  // letter case under the spelling met first, whose level stays. `word` is
  // the word-table entry the form stands for.
  // `headword`: the reading the form stands for, kNoHeadword for the word's class.
  void AddShownForm(std::string_view form, int32_t count, int32_t word, WordLevel level,
                    HeadwordId headword = kNoHeadword);
  // Adds a form that is known to differ, letter case ignored, from every
  // form added through AddShownForm and from every other form added here:
  // no look-up, and never found by AddShownForm.
  void AddDistinctForm(std::string_view form, int32_t count, int32_t word, WordLevel level);
  // Room for `forms` forms of `bytes` bytes in all.
  void Reserve(size_t forms, size_t bytes);
  // Remembers that word-table entry `word` shows at `position`.
  void NoteWordPosition(int32_t word, int32_t position);
  // ViewIndex = identity; the inverse row map follows it.
  void ResetRowOrder();
  void SortRows(std::vector<int>* selectedRows);

  // One shown form.
  struct Form {
    uint32_t offset;     // its bytes in bytes_
    uint32_t length;
    int32_t count;       // the summed occurrences of its words
    int32_t firstWord;   // its first word-table entry
    WordLevel level;     // the level of that word
    HeadwordId headword; // the reading of that word it shows; kNoHeadword: its class
  };
  // The alphabetical sort: the same order as CompareOrdinalUpper, on keys of
  // the first eight bytes first.
  void SortRowsAlphabetically();

  std::string bytes_;               // the forms end to end
  std::vector<Form> forms_;         // DisplayList
  FoldedIndex displayLookup_;       // form -> position, letter case ignored
  std::vector<int32_t> viewIndex_;
  std::vector<int32_t> rowOfPosition_;  // inverse of viewIndex_
  std::vector<int32_t> positionOfWord_; // per word-table entry: its position, -1 when not shown
  std::vector<ReadingPosition> readingPositions_;  // in build order
  int sortKey_ = kSortFirstAppearance;
  bool sortDescending_ = false;
  bool busy_ = false;
};

// The per-cent cell: count × 100 ÷ token count, "#,##0.000"; empty when the
// token count is 0.
std::string PerCentText(int32_t count, int32_t tokenCount);
// PerCentText appended to `out`.
void AppendPerCentText(std::string& out, int32_t count, int32_t tokenCount);

// Ordinal comparison with only the ASCII letters a-z folded to upper case;
// a string sorts before every longer string that it begins.
int CompareOrdinalUpper(std::string_view a, std::string_view b);

}  // namespace lexiscoop
