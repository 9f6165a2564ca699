#pragma once

#include <QColor>
#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "analysis/WordLevel.h"
#include "analysis/WordTable.h"
#include "views/OccurrenceReadings.h"

class QPaintDevice;

namespace lexiscoop {

// The counted words of a run as the reading view colours them: the word
// table and the level of each of its entries.
struct ReadingWords {
  const WordTable* words = nullptr;  // null: no result, the text shows plain
  std::vector<WordLevel> levels;     // levels[i] for table entry i
  std::shared_ptr<const LevelSet> levelSet;  // the set of `levels`; null: the shipped set
  std::vector<uint8_t> known;        // known[i] not 0: entry i is known to the class, drawn plain
  OccurrenceReadings occurrences;    // the occurrences of words read as several headwords

  const LevelSet& Levels() const { return levelSet ? *levelSet : ShippedLevels(); }
  bool Known(int index) const {
    return index >= 0 && static_cast<size_t>(index) < known.size() && known[static_cast<size_t>(index)] != 0;
  }
  // The table entry of a counted form, or -1.
  int IndexOf(std::string_view word) const { return words != nullptr ? words->IndexOf(word) : -1; }
  WordLevel LevelOf(int index) const {
    return index >= 0 && static_cast<size_t>(index) < levels.size() ? levels[static_cast<size_t>(index)]
                                                                   : Levels().None();
  }
  // True for an entry the dictionary lacks (its set's None level, wherever
  // that set puts it).
  bool Unregistered(int index) const { return LevelOf(index) == Levels().None(); }
  // The level of the occurrence of entry `index` that starts at byte
  // `offset` of the text: the level it was read at in its sentence.
  WordLevel LevelAt(int index, uint64_t offset) const {
    const WordClass* read = occurrences.At(index, offset);
    return read != nullptr ? read->level : LevelOf(index);
  }
};

// One run of a laid-out line: text between words, or one word.
struct LineSegment {
  qreal x = 0;  // left edge from the line's start
  qreal width = 0;
  uint32_t start = 0;  // bytes of the line it covers
  uint32_t length = 0;
  int wordIndex = -1;  // the word's table entry; -1 between words or for a word not counted
  bool isWord = false;
  int glyphFrom = 0;  // its glyphs in the line's `glyphs`
  int glyphTo = 0;
  uint32_t column = 0;  // the column it starts at (see LineWrap.h)
};

// A line laid out once, with the glyphs that draw it: painting it takes no
// more shaping, whatever colours its words are given.
struct LaidOutLine {
  std::vector<LineSegment> segments;
  // Every glyph of the line in `font`, one a character, when the font has
  // them all (nearly always: the view's font is a fixed-pitch Japanese one),
  // with the left edge of each from the line's start; the baseline is at the
  // font's ascent.
  QRawFont font;
  std::vector<quint32> glyphs;
  std::vector<float> glyphX;
  // The column of each glyph (see LineWrap.h), and the line's width in
  // columns after the last.
  std::vector<uint32_t> glyphColumn;
  // The right edge of the last glyph from the line's start.
  qreal width = 0;
  // Otherwise the line is shaped with the fonts that stand in for the
  // missing characters: one list of glyph runs per segment, positioned from
  // the line's top left corner on a baseline at the font's ascent.
  std::vector<QList<QGlyphRun>> shaped;
};

// Lays out one CP932 line in `font` (for `device`, or the screen when null);
// `raw` is `font`'s own raw font, asked for once by the caller. Tabs advance
// to the next multiple of eight columns; a double-byte character takes two,
// as in a fixed-pitch Japanese font and as LineWrap counts them.
LaidOutLine LayOutLine(std::string_view line, const ReadingWords& words, const QFont& font, const QRawFont& raw,
                       QPaintDevice* device = nullptr);

}  // namespace lexiscoop
