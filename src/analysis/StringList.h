#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Status.h"

namespace lexiscoop {

// What a sorted list does with a string equal to one it holds.
enum class Duplicates { Ignore, Accept, Error };

// Raised for positions out of range, an insert into a sorted list and a
// refused duplicate.
class EStringListError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The ordinary string list: entries of a CP932 string and a 32-bit object
// slot, optionally kept sorted by CompareText (letter case ignored).
class TStringList {
 public:
  TStringList() = default;
  virtual ~TStringList() = default;
  TStringList(const TStringList&) = default;
  TStringList& operator=(const TStringList&) = default;

  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& operator[](int i) const { return items_[CheckIndex(i)].text; }
  const std::string& Strings(int i) const { return (*this)[i]; }
  void PutString(int i, std::string_view s);
  int32_t Objects(int i) const { return items_[CheckIndex(i)].object; }
  void PutObject(int i, int32_t object) { items_[CheckIndex(i)].object = object; }
  // Adds `delta` to the object slot of entry i without a range check.
  void AddToObject(int i, int32_t delta) { items_[static_cast<size_t>(i)].object += delta; }

  bool Sorted() const { return sorted_; }
  // Switching on sorts the list.
  void SetSorted(bool sorted);
  Duplicates DuplicatePolicy() const { return duplicates_; }
  void SetDuplicates(Duplicates d) { duplicates_ = d; }

  // Appends (unsorted) or inserts at the sorted place, applying the
  // duplicates policy. Returns the position of the entry.
  virtual int Add(std::string_view s);
  // Add, then put `object` into the entry's slot.
  int AddObject(std::string_view s, int32_t object);
  virtual void Clear();
  virtual void Delete(int i);
  virtual void Exchange(int i, int j);
  // Sorted: binary search; unsorted: linear search by CompareText. -1 if absent.
  virtual int IndexOf(std::string_view s) const;
  // Refused for a sorted list and for a position outside 0..Count().
  virtual void Insert(int i, std::string_view s);
  void InsertObject(int i, std::string_view s, int32_t object);
  // Binary search by CompareText. Returns whether it was found; `index` is
  // the match (the leftmost when duplicates are accepted) or the insert place.
  virtual bool Find(std::string_view s, int& index) const;
  // Sorts by CompareText; entries that compare equal keep their order.
  void Sort();

  // Every entry followed by CR LF.
  std::string Text() const;
  // Clears the list and adds one entry per line; a line ends at CR LF, a lone
  // CR or a lone LF, and a zero byte ends the text.
  void SetText(std::string_view text);
  // Plain-text file load (SetText): OK, or Status::FromErrno of the read's
  // errno with no message (the caller names the file).
  virtual Status LoadFromFile(const std::string& path);

  void Reserve(int n) { items_.reserve(static_cast<size_t>(n)); }

 protected:
  struct Item {
    std::string text;
    int32_t object = 0;
  };

  size_t CheckIndex(int i) const;
  bool FindBy(std::string_view s, int& index, int (*compare)(std::string_view, std::string_view)) const;
  // Inserts without any check or side effect.
  void InsertItem(int i, std::string_view s, int32_t object);
  const std::vector<Item>& Items() const { return items_; }
  std::vector<Item>& MutableItems() { return items_; }

 private:
  std::vector<Item> items_;
  bool sorted_ = false;
  Duplicates duplicates_ = Duplicates::Ignore;
};

// Cuts `text` at the first `separator`, which is searched for on character
// boundaries (a trail byte of a double-byte character never matches). Returns
// true and sets `before` and `after` around it when found; otherwise `before`
// is the whole text, `after` empty, and the result false.
// Calls `visit` with each line of `text` as SetText splits it: a line ends
// at CR LF, a lone CR or a lone LF, and a zero byte ends the text.
template <class Visit>
void ForEachLine(std::string_view text, Visit&& visit) {
  const size_t zero = text.find('\0');
  if (zero != std::string_view::npos) text = text.substr(0, zero);
  size_t p = 0;
  const size_t n = text.size();
  while (p < n) {
    size_t e = p;
    while (e < n && text[e] != '\r' && text[e] != '\n') ++e;
    visit(text.substr(p, e - p));
    p = e;
    if (p < n && text[p] == '\r') ++p;
    if (p < n && text[p] == '\n') ++p;
  }
}

bool SplitAtFirst(std::string_view text, std::string_view separator,
                  std::string& before, std::string& after);

}  // namespace lexiscoop
