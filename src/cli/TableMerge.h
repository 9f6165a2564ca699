#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lexiscoop {

// Sums word tables («word TAB count» lines, as `table` writes them): a word
// keeps the spelling and the place it had where it was first met, tables
// taken in the order they are added, and the counts of every spelling equal
// to it without regard to ASCII letter case are added. Sums are 64-bit, so
// many parts never overflow.
class TableMerge {
 public:
  // Adds the lines of one table. Empty lines and a CR before a line's LF are
  // taken; any other line must be a word, a TAB and a decimal count. Returns
  // "" or what is wrong: a bad line (with its 1-based number; nothing of the
  // table is added then) or a sum beyond 64 bits (the merge is then unusable).
  std::string AddTable(std::string_view bytes);

  size_t WordCount() const { return words_.size(); }
  // The merged table, in the form `table` writes: «word TAB count» lines, LF.
  std::string Text() const;

 private:
  struct Word {
    std::string spelling;
    int64_t count = 0;
  };
  std::vector<Word> words_;
  std::unordered_map<std::string, size_t> index_;  // folded spelling → words_ position
};

}  // namespace lexiscoop
