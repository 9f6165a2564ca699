#pragma once

#include <QColor>
#include <QFontMetricsF>
#include <QString>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "analysis/WordLevel.h"
#include "analysis/WordTable.h"

namespace lexiscoop {

// The counted words of a run as the reading view colours them: the word
// table and the level of each of its entries.
struct ReadingWords {
  const WordTable* words = nullptr;  // null: no result, the text shows plain
  std::vector<WordLevel> levels;     // levels[i] for table entry i
  // The table entry of a counted form, or -1.
  int IndexOf(std::string_view word) const { return words != nullptr ? words->IndexOf(word) : -1; }
  WordLevel LevelOf(int index) const {
    return index >= 0 && static_cast<size_t>(index) < levels.size() ? levels[static_cast<size_t>(index)]
                                                                   : WordLevel::None;
  }
};

// One run of a laid-out line: text between words, or one word.
struct LineSegment {
  QString text;
  qreal x = 0;      // left edge from the line's start
  qreal width = 0;
  uint32_t start = 0;   // bytes of the line it covers
  uint32_t length = 0;
  int wordIndex = -1;   // the word's table entry; -1 between words or for a word not counted
  bool isWord = false;
};

// Lays out one CP932 line as segments with their widths in `metrics`. Tabs
// advance to the next multiple of eight columns.
std::vector<LineSegment> LayOutLine(std::string_view line, const ReadingWords& words, const QFontMetricsF& metrics);

}  // namespace lexiscoop
