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

ShownWordList::ShownWordList() = default;

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
  if (p < 0 || p >= FormCount()) return true;
  const int32_t c = CountAt(p);
  out.word = FormAt(p);
  out.count = std::to_string(c);
  out.perCent = PerCentText(c, tokenCount);
  return true;
}

std::string PerCentText(int32_t count, int32_t tokenCount) {
  std::string text;
  AppendPerCentText(text, count, tokenCount);
  return text;
}

void AppendPerCentText(std::string& out, int32_t count, int32_t tokenCount) {
  if (tokenCount == 0) return;
  // 64-bit product: a count above 21 million would overflow 32 bits.
  AppendThousandsFixed3(out, static_cast<double>(static_cast<int64_t>(count) * 100) /
                                 static_cast<double>(tokenCount));
}

int ShownWordList::CompareRows(int32_t a, int32_t b) const {
  int result = 0;
  switch (sortKey_) {
    case kSortFirstAppearance:
      result = a < b ? -1 : (a > b ? 1 : 0);
      break;
    case kSortAlphabetical:
      result = CompareOrdinalUpper(FormAt(a), FormAt(b));
      break;
    case kSortLevel: {
      const int x = LevelIndex(forms_[static_cast<size_t>(a)].level);
      const int y = LevelIndex(forms_[static_cast<size_t>(b)].level);
      result = x < y ? -1 : (x > y ? 1 : 0);
      break;
    }
    case kSortCount:
    case kSortPerCent: {
      const int32_t x = CountAt(a);
      const int32_t y = CountAt(b);
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
  if (sortKey_ == kSortAlphabetical) {
    SortRowsAlphabetically();
  } else {
    std::stable_sort(viewIndex_.begin(), viewIndex_.end(),
                     [this](int32_t a, int32_t b) { return CompareRows(a, b) < 0; });
  }
  for (size_t row = 0; row < viewIndex_.size(); ++row) {
    rowOfPosition_[static_cast<size_t>(viewIndex_[row])] = static_cast<int32_t>(row);
  }
  if (selectedRows) {
    for (size_t i = 0; i < kept.size(); ++i) (*selectedRows)[i] = RowOfPosition(kept[i]);
  }
}

namespace {

// The first eight bytes of `s` with a-z folded to upper case, as one number
// that orders like CompareOrdinalUpper (bytes missing at the end are 0, and
// no form holds a zero byte).
uint64_t OrdinalUpperKey(std::string_view s) {
  uint64_t key = 0;
  for (size_t i = 0; i < 8; ++i) {
    auto c = i < s.size() ? static_cast<unsigned char>(s[i]) : 0;
    if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 32);
    key = (key << 8) | c;
  }
  return key;
}

}  // namespace

void ShownWordList::SortRowsAlphabetically() {
  struct Keyed {
    uint64_t key;  // OrdinalUpperKey, inverted for a descending sort
    int32_t position;
    int32_t row;  // equal forms keep their rows' order, as a stable sort would
  };
  const bool descending = sortDescending_;
  const size_t n = viewIndex_.size();
  std::vector<Keyed> rows(n), scratch(n);
  for (size_t r = 0; r < n; ++r) {
    const uint64_t key = OrdinalUpperKey(FormAt(viewIndex_[r]));
    rows[r] = {descending ? ~key : key, viewIndex_[r], static_cast<int32_t>(r)};
  }
  // A stable radix sort on the keys, a byte at a time from the lowest;
  // a byte that is the same in every key needs no pass.
  for (int shift = 0; shift < 64; shift += 8) {
    size_t counts[257] = {};
    for (const Keyed& k : rows) ++counts[((k.key >> shift) & 0xFF) + 1];
    if (std::find(counts + 1, counts + 257, n) != counts + 257) continue;
    for (int b = 0; b < 256; ++b) counts[b + 1] += counts[b];
    for (const Keyed& k : rows) scratch[counts[(k.key >> shift) & 0xFF]++] = k;
    rows.swap(scratch);
  }
  // Equal keys: equal first eight bytes, or both shorter and equal; the rest
  // of the forms decides, then the row.
  auto tail = [this](int32_t position) {
    const std::string_view form = FormAt(position);
    return form.substr(std::min<size_t>(8, form.size()));
  };
  for (size_t begin = 0; begin < n;) {
    size_t end = begin + 1;
    while (end < n && rows[end].key == rows[begin].key) ++end;
    if (end - begin > 1) {
      std::sort(rows.begin() + static_cast<std::ptrdiff_t>(begin), rows.begin() + static_cast<std::ptrdiff_t>(end),
                [&](const Keyed& a, const Keyed& b) {
                  int c = CompareOrdinalUpper(tail(a.position), tail(b.position));
                  if (descending) c = -c;
                  return c != 0 ? c < 0 : a.row < b.row;
                });
    }
    begin = end;
  }
  for (size_t r = 0; r < n; ++r) viewIndex_[r] = rows[r].position;
}

void ShownWordList::Clear() {
  bytes_.clear();
  forms_.clear();
  displayLookup_.Reset(0);
  viewIndex_.clear();
  rowOfPosition_.clear();
  positionOfWord_.clear();
  readingPositions_.clear();
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
  if (position < 0 || position >= FormCount()) return -1;
  return forms_[static_cast<size_t>(position)].firstWord;
}

HeadwordId ShownWordList::HeadwordOfPosition(int position) const {
  if (position < 0 || position >= FormCount()) return kNoHeadword;
  return forms_[static_cast<size_t>(position)].headword;
}

void ShownWordList::AddShownForm(std::string_view form, int32_t count, int32_t word, WordLevel level,
                                 HeadwordId headword) {
  const auto position = static_cast<int32_t>(forms_.size());
  const auto [found, added] = displayLookup_.Insert(form, FoldedHash(form), position,
                                                    [this](int32_t p) { return FormAt(p); });
  if (headword != kNoHeadword) readingPositions_.push_back({word, headword, added ? position : found});
  if (!added) {
    forms_[static_cast<size_t>(found)].count += count;
    NoteWordPosition(word, found);
    return;
  }
  forms_.push_back(
      {static_cast<uint32_t>(bytes_.size()), static_cast<uint32_t>(form.size()), count, word, level, headword});
  bytes_.append(form);
  NoteWordPosition(word, position);
}

void ShownWordList::AddDistinctForm(std::string_view form, int32_t count, int32_t word, WordLevel level) {
  NoteWordPosition(word, static_cast<int32_t>(forms_.size()));
  forms_.push_back({static_cast<uint32_t>(bytes_.size()), static_cast<uint32_t>(form.size()), count, word, level,
                    kNoHeadword});
  bytes_.append(form);
}

void ShownWordList::Reserve(size_t forms, size_t bytes) {
  forms_.reserve(forms);
  bytes_.reserve(bytes);
}

void ShownWordList::ResetRowOrder() {
  const size_t n = forms_.size();
  viewIndex_.resize(n);
  rowOfPosition_.resize(n);
  for (size_t i = 0; i < n; ++i) {
    viewIndex_[i] = static_cast<int32_t>(i);
    rowOfPosition_[i] = static_cast<int32_t>(i);
  }
}

}  // namespace lexiscoop
