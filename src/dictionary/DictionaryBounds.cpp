#include "dictionary/DictionaryBounds.h"

#include <cstdint>

#include "dictionary/DictionaryLine.h"

namespace lexiscoop {

size_t ItemCountBound(std::string_view field) {
  size_t separators = 0;
  for (const char c : field) {
    if (c == ',' || static_cast<unsigned char>(c) <= 0x20) ++separators;
  }
  return separators + 1;
}

bool WithinDictionaryBounds(const TStringList& lines) {
  uint64_t textBytes = 0;
  for (int i = 0; i < lines.Count(); ++i) textBytes += lines[i].size() + 2;
  const uint64_t budget = 16 * textBytes + (uint64_t{64} << 20);
  uint64_t spellingBytes = 0;
  for (int i = 0; i < lines.Count(); ++i) {
    const std::string_view line = lines[i];
    bool hasTab = false;
    const std::string_view headword = LineHeadword(line, hasTab);
    if (headword.size() > kMaxHeadwordBytes) return false;
    if (!hasTab) continue;
    const size_t items = ItemCountBound(line.substr(headword.size() + 1));
    if (items > kMaxItemsPerLine) return false;
    spellingBytes += items * headword.size() + line.size();
    if (spellingBytes > budget) return false;
  }
  return true;
}

}  // namespace lexiscoop
