#include "dictionary/InflectionIndex.h"

#include <algorithm>

#include "platform/Compare.h"

namespace lexiscoop {

TInflectionIndex::TInflectionIndex() {
  SetDuplicates(Duplicates::Accept);
  SetSorted(true);
}

void TInflectionIndex::Rebuild(std::vector<Entry> entries) {
  // Adding one by one puts every entry before its equals: equal spellings
  // stand in reverse order of adding, which a stable sort of the reversed
  // entries gives.
  std::reverse(entries.begin(), entries.end());
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return CompareText(a.spelling, b.spelling) < 0;
  });
  std::vector<Item>& items = MutableItems();
  items.clear();
  items.reserve(entries.size());
  for (Entry& entry : entries) items.push_back(Item{std::move(entry.spelling), entry.headword});
}

}  // namespace lexiscoop
