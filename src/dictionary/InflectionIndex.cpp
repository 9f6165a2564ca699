#include "dictionary/InflectionIndex.h"

#include <algorithm>

#include "dictionary/TextOrder.h"

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
  std::vector<std::string_view> spellings;
  spellings.reserve(entries.size());
  for (const Entry& entry : entries) spellings.push_back(entry.spelling);
  const std::vector<uint32_t> order = StableOrderByText(spellings);
  std::vector<Item>& items = MutableItems();
  items.clear();
  items.reserve(entries.size());
  for (const uint32_t i : order) items.push_back(Item{std::move(entries[i].spelling), entries[i].headword});
}

}  // namespace lexiscoop
