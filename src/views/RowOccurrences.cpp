#include "views/RowOccurrences.h"

#include <algorithm>

#include "views/ShownWordList.h"

namespace lexiscoop {

RowOccurrences::RowOccurrences(const ShownWordList& shown, int position, int wordCount)
    : words_(static_cast<size_t>(std::max(wordCount, 0)), false), split_(words_.size(), false) {
  if (position < 0) return;
  for (size_t w = 0; w < words_.size(); ++w) words_[w] = shown.PositionOfWord(static_cast<int>(w)) == position;
  for (const ShownWordList::ReadingPosition& place : shown.ReadingPositions()) {
    if (place.word < 0 || static_cast<size_t>(place.word) >= words_.size()) continue;
    split_[static_cast<size_t>(place.word)] = true;
    if (place.position == position) readings_.emplace_back(place.word, place.headword);
  }
}

bool RowOccurrences::Holds(int entry, const WordClass* reading) const {
  if (entry < 0 || static_cast<size_t>(entry) >= words_.size()) return false;
  if (reading != nullptr && split_[static_cast<size_t>(entry)]) {
    return std::find(readings_.begin(), readings_.end(), std::pair<int32_t, HeadwordId>(entry, reading->headword)) !=
           readings_.end();
  }
  return words_[static_cast<size_t>(entry)];
}

}  // namespace lexiscoop
