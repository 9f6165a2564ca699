#include "dictionary/DictionaryBounds.h"

#include <cstdint>
#include <vector>

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
  std::vector<std::string_view> views;
  views.reserve(static_cast<size_t>(lines.Count()));
  for (int i = 0; i < lines.Count(); ++i) views.push_back(lines[i]);
  return WithinDictionaryBounds(views);
}

bool WithinDictionaryBounds(std::span<const std::string_view> lines) {
  uint64_t textBytes = 0;
  for (const std::string_view line : lines) textBytes += line.size() + 2;
  const uint64_t budget = 16 * textBytes + (uint64_t{64} << 20);
  uint64_t spellingBytes = 0;
  for (const std::string_view line : lines) {
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
