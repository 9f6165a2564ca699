#include "analysis/StringList.h"

#include <algorithm>

#include "platform/Compare.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"

namespace lexiscoop {

size_t TStringList::CheckIndex(int i) const {
  if (i < 0 || i >= Count()) {
    throw EStringListError("List index out of bounds (" + std::to_string(i) + ")");
  }
  return static_cast<size_t>(i);
}

void TStringList::PutString(int i, std::string_view s) {
  items_[CheckIndex(i)].text.assign(s);
}

void TStringList::SetSorted(bool sorted) {
  if (sorted_ == sorted) return;
  if (sorted) Sort();
  sorted_ = sorted;
}

int TStringList::Add(std::string_view s) {
  int index = Count();
  if (sorted_) {
    if (Find(s, index)) {
      if (duplicates_ == Duplicates::Ignore) return index;
      if (duplicates_ == Duplicates::Error) {
        throw EStringListError("String list does not allow duplicates");
      }
    }
  }
  InsertItem(index, s, 0);
  return index;
}

int TStringList::AddObject(std::string_view s, int32_t object) {
  const int index = Add(s);
  PutObject(index, object);
  return index;
}

void TStringList::Clear() { items_.clear(); }

void TStringList::Delete(int i) {
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(CheckIndex(i)));
}

void TStringList::Exchange(int i, int j) {
  std::swap(items_[CheckIndex(i)], items_[CheckIndex(j)]);
}

int TStringList::IndexOf(std::string_view s) const {
  if (sorted_) {
    int index = 0;
    return Find(s, index) ? index : -1;
  }
  for (size_t i = 0; i < items_.size(); ++i) {
    if (SameText(items_[i].text, s)) return static_cast<int>(i);
  }
  return -1;
}

void TStringList::Insert(int i, std::string_view s) { InsertObject(i, s, 0); }

void TStringList::InsertObject(int i, std::string_view s, int32_t object) {
  if (sorted_) throw EStringListError("Operation not allowed on sorted list");
  if (i < 0 || i > Count()) {
    throw EStringListError("List index out of bounds (" + std::to_string(i) + ")");
  }
  InsertItem(i, s, object);
}

void TStringList::InsertItem(int i, std::string_view s, int32_t object) {
  items_.insert(items_.begin() + i, Item{std::string(s), object});
}

bool TStringList::Find(std::string_view s, int& index) const {
  return FindBy(s, index, &CompareText);
}

bool TStringList::FindBy(std::string_view s, int& index,
                         int (*compare)(std::string_view, std::string_view)) const {
  int lo = 0;
  int hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    const int mid = static_cast<int>((static_cast<unsigned>(lo) + static_cast<unsigned>(hi)) >> 1);
    const int c = compare(items_[static_cast<size_t>(mid)].text, s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        if (duplicates_ != Duplicates::Accept) lo = mid;
      }
    }
  }
  index = lo;
  return found;
}

void TStringList::Sort() {
  std::stable_sort(items_.begin(), items_.end(), [](const Item& a, const Item& b) {
    return CompareText(a.text, b.text) < 0;
  });
}

std::string TStringList::Text() const {
  size_t size = 0;
  for (const Item& item : items_) size += item.text.size() + 2;
  std::string text;
  text.reserve(size);
  for (const Item& item : items_) {
    text += item.text;
    text += "\r\n";
  }
  return text;
}

void TStringList::SetText(std::string_view text) {
  Clear();
  ForEachLine(text, [this](std::string_view line) { Add(line); });
}

Status TStringList::LoadFromFile(const std::string& path) {
  std::string bytes;
  const int rc = ReadWholeFile(path, bytes);
  if (rc == 0) SetText(bytes);
  return Status::FromErrno(rc);
}

bool SplitAtFirst(std::string_view text, std::string_view separator,
                  std::string& before, std::string& after) {
  before.assign(text);
  after.clear();
  if (separator.empty()) return false;
  for (size_t i = 0; i + separator.size() <= text.size();) {
    if (text.compare(i, separator.size(), separator) == 0) {
      before.assign(text.substr(0, i));
      after.assign(text.substr(i + separator.size()));
      return true;
    }
    i += (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
  }
  return false;
}

}  // namespace lexiscoop
