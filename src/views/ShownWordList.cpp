#include "views/ShownWordList.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "analysis/NumberFormat.h"

namespace lexiscoop {

int CompareOrdinalUpper(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    auto x = static_cast<unsigned char>(a[i]);
    auto y = static_cast<unsigned char>(b[i]);
    if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

ShownWordList::ShownWordList() { displayLookup_.SetCaseCare(true); }

int ShownWordList::PositionOfRow(int row) const {
  if (row < 0 || row >= RowCount()) return -1;
  return viewIndex_[static_cast<size_t>(row)];
}

int ShownWordList::RowOfPosition(int position) const {
  if (position < 0 || static_cast<size_t>(position) >= rowOfPosition_.size()) return -1;
  return rowOfPosition_[static_cast<size_t>(position)];
}

bool ShownWordList::TextsOfRow(int row, int32_t tokenCount, RowTexts& out) const {
  if (row < 0 || row >= RowCount()) return false;
  char number[16];
  std::snprintf(number, sizeof number, "%5d", row + 1);
  out.number = number;
  out.word.clear();
  out.count.clear();
  out.perCent.clear();
  const int32_t p = viewIndex_[static_cast<size_t>(row)];
  if (p < 0 || p >= displayList_.Count()) return true;
  const int32_t c = displayList_.Objects(p);
  out.word = displayList_[p];
  out.count = std::to_string(c);
  out.perCent = PerCentText(c, tokenCount);
  return true;
}

std::string PerCentText(int32_t count, int32_t tokenCount) {
  if (tokenCount == 0) return {};
  // 64-bit product: a count above 21 million would overflow 32 bits.
  return FormatThousandsFixed3(static_cast<double>(static_cast<int64_t>(count) * 100) /
                               static_cast<double>(tokenCount));
}

int ShownWordList::CompareRows(int32_t a, int32_t b) const {
  int result = 0;
  switch (sortKey_) {
    case kSortFirstAppearance:
      result = a < b ? -1 : (a > b ? 1 : 0);
      break;
    case kSortAlphabetical:
      result = CompareOrdinalUpper(displayList_[a], displayList_[b]);
      break;
    case kSortLevel: {
      const int x = LevelIndex(levels_[static_cast<size_t>(a)]);
      const int y = LevelIndex(levels_[static_cast<size_t>(b)]);
      result = x < y ? -1 : (x > y ? 1 : 0);
      break;
    }
    case kSortCount:
    case kSortPerCent: {
      const int32_t x = displayList_.Objects(a);
      const int32_t y = displayList_.Objects(b);
      result = x < y ? -1 : (x > y ? 1 : 0);
      break;
    }
    default:
      break;
  }
  return sortDescending_ ? -result : result;
}

bool ShownWordList::SortList(int key, std::vector<int>* selectedRows) {
  return SortBy(key, !sortDescending_, selectedRows);
}

bool ShownWordList::SortBy(int key, bool descending, std::vector<int>* selectedRows) {
  if (busy_) return false;
  sortKey_ = key;
  sortDescending_ = descending;
  SortRows(selectedRows);
  return true;
}

void ShownWordList::SortRows(std::vector<int>* selectedRows) {
  std::vector<int32_t> kept;
  if (selectedRows) {
    kept.reserve(selectedRows->size());
    for (int row : *selectedRows) kept.push_back(PositionOfRow(row));
  }
  // Rows of equal keys have no defined order; a stable sort keeps them as
  // they stood, which makes repeated sorts predictable.
  std::stable_sort(viewIndex_.begin(), viewIndex_.end(),
                   [this](int32_t a, int32_t b) { return CompareRows(a, b) < 0; });
  for (size_t row = 0; row < viewIndex_.size(); ++row) {
    rowOfPosition_[static_cast<size_t>(viewIndex_[row])] = static_cast<int32_t>(row);
  }
  if (selectedRows) {
    for (size_t i = 0; i < kept.size(); ++i) (*selectedRows)[i] = RowOfPosition(kept[i]);
  }
}

void ShownWordList::Clear() {
  displayList_.Clear();
  displayLookup_.Clear();
  viewIndex_.clear();
  rowOfPosition_.clear();
  firstWord_.clear();
  levels_.clear();
  positionOfWord_.clear();
}

int32_t ShownWordList::PositionOfWord(int word) const {
  if (word < 0 || static_cast<size_t>(word) >= positionOfWord_.size()) return -1;
  return positionOfWord_[static_cast<size_t>(word)];
}

void ShownWordList::NoteWordPosition(int32_t word, int32_t position) {
  if (word < 0) return;
  if (static_cast<size_t>(word) >= positionOfWord_.size()) positionOfWord_.resize(static_cast<size_t>(word) + 1, -1);
  positionOfWord_[static_cast<size_t>(word)] = position;
}

int32_t ShownWordList::FirstWordOfPosition(int position) const {
  if (position < 0 || static_cast<size_t>(position) >= firstWord_.size()) return -1;
  return firstWord_[static_cast<size_t>(position)];
}

void ShownWordList::AddShownForm(std::string_view form, int32_t count, int32_t word, WordLevel level) {
  const int found = displayLookup_.IndexOf(form);
  if (found >= 0) {
    displayList_.AddToObject(displayLookup_.Objects(found), count);
    NoteWordPosition(word, displayLookup_.Objects(found));
    return;
  }
  const int position = displayList_.Count();
  displayLookup_.AddObject(form, position);
  displayList_.AddObject(form, count);
  firstWord_.push_back(word);
  levels_.push_back(level);
  NoteWordPosition(word, position);
}

void ShownWordList::ResetRowOrder() {
  const size_t n = static_cast<size_t>(displayList_.Count());
  viewIndex_.resize(n);
  rowOfPosition_.resize(n);
  for (size_t i = 0; i < n; ++i) {
    viewIndex_[i] = static_cast<int32_t>(i);
    rowOfPosition_[i] = static_cast<int32_t>(i);
  }
}

}  // namespace lexiscoop
