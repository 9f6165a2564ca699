#include "views/widgets/ColouredLine.h"

#include <QFontMetricsF>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>

#include "platform/Cp932.h"
#include "ui/Cp932Strings.h"
#include "views/LineWords.h"

namespace lexiscoop {
namespace {

// Appends `bytes` (CP932) to `out` as UTF-16, each tab replaced by blanks up
// to the next multiple of eight columns counting from `column` (updated to
// the column after the text), and the column of each character appended to
// `columns`.
void AppendExpanded(std::string_view bytes, QString& out, std::vector<uint32_t>& columns, int& column) {
  bool plain = true;
  for (const char c : bytes) plain = plain && static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F;
  if (plain) {
    out.append(QLatin1StringView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    for (size_t i = 0; i < bytes.size(); ++i) columns.push_back(static_cast<uint32_t>(column++));
    return;
  }
  const QString text = FromCp932(bytes);
  for (const QChar c : text) {
    if (c == QLatin1Char('\t')) {
      const int blanks = 8 - column % 8;
      out.append(QString(blanks, QLatin1Char(' ')));
      for (int i = 0; i < blanks; ++i) columns.push_back(static_cast<uint32_t>(column++));
    } else {
      out.append(c);
      columns.push_back(static_cast<uint32_t>(column));
      // A character of one byte (ASCII, half-width katakana) takes one
      // column, one of two bytes two: the text's bytes are its columns.
      column += c.unicode() < 0x80 || (c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F) ? 1 : 2;
    }
  }
}

// The glyphs of `text` in `raw`, one a character, placed one after the
// other; false when the font lacks one of them.
bool PlaceGlyphs(const QString& text, const QRawFont& raw, LaidOutLine& laid, std::vector<qreal>& x) {
  if (!raw.isValid()) return false;
  const auto n = static_cast<int>(text.size());
  laid.glyphs.resize(static_cast<size_t>(n));
  int count = n;
  if (!raw.glyphIndexesForChars(text.constData(), n, laid.glyphs.data(), &count) || count != n) return false;
  if (std::find(laid.glyphs.begin(), laid.glyphs.end(), 0u) != laid.glyphs.end()) return false;
  QList<QPointF> advances(n);
  if (!raw.advancesForGlyphIndexes(laid.glyphs.data(), advances.data(), n)) return false;
  laid.glyphX.resize(static_cast<size_t>(n));
  x.resize(static_cast<size_t>(n) + 1);
  qreal at = 0;
  for (int i = 0; i < n; ++i) {
    x[static_cast<size_t>(i)] = at;
    laid.glyphX[static_cast<size_t>(i)] = static_cast<float>(at);
    at += advances[i].x();
  }
  x[static_cast<size_t>(n)] = at;
  laid.font = raw;
  return true;
}

}  // namespace

LaidOutLine LayOutLine(std::string_view line, const ReadingWords& words, const QFont& font, const QRawFont& raw,
                       QPaintDevice* device) {
  // The line's text as one string, and the parts of it that words and the
  // gaps between them take.
  QString text;
  text.reserve(static_cast<qsizetype>(line.size()));
  LaidOutLine laid;
  int column = 0;
  std::vector<uint32_t> columns;
  auto add = [&](uint32_t start, uint32_t length, int wordIndex, bool isWord) {
    if (length == 0) return;
    LineSegment s;
    s.glyphFrom = static_cast<int>(text.size());
    s.column = static_cast<uint32_t>(column);
    AppendExpanded(line.substr(start, length), text, columns, column);
    s.glyphTo = static_cast<int>(text.size());
    s.start = start;
    s.length = length;
    s.wordIndex = wordIndex;
    s.isWord = isWord;
    laid.segments.push_back(s);
  };
  LineWordScanner scanner(line);
  LineWord word{};
  uint32_t done = 0;
  while (scanner.Next(word)) {
    add(done, word.start - done, -1, false);
    add(word.start, word.length, words.IndexOf(word.word), true);
    done = word.start + word.length;
  }
  add(done, static_cast<uint32_t>(line.size()) - done, -1, false);
  if (laid.segments.empty()) return laid;
  laid.segments.shrink_to_fit();  // kept while the line is near the lines in sight

  std::vector<qreal> x;
  if (PlaceGlyphs(text, raw, laid, x)) {
    for (LineSegment& s : laid.segments) {
      s.x = x[static_cast<size_t>(s.glyphFrom)];
      s.width = x[static_cast<size_t>(s.glyphTo)] - s.x;
    }
    laid.width = x.back();
    columns.push_back(static_cast<uint32_t>(column));
    laid.glyphColumn = std::move(columns);
    return laid;
  }

  // Shaped, with fallback fonts; every segment gets its own glyph runs.
  laid.glyphs.clear();
  laid.glyphX.clear();
  laid.font = QRawFont();
  QTextLayout layout(text, font, device);
  QTextOption option;
  option.setWrapMode(QTextOption::NoWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  QTextLine textLine = layout.createLine();
  layout.endLayout();
  // Glyphs of fallback fonts may rise above the font's own ascent; every
  // line keeps its baseline at the font's ascent all the same.
  const qreal shift = QFontMetricsF(font, device).ascent() - textLine.ascent();
  laid.shaped.reserve(laid.segments.size());
  for (LineSegment& s : laid.segments) {
    s.x = textLine.cursorToX(s.glyphFrom);
    s.width = textLine.cursorToX(s.glyphTo) - s.x;
    QList<QGlyphRun> runs = layout.glyphRuns(s.glyphFrom, s.glyphTo - s.glyphFrom);
    if (shift != 0) {
      for (QGlyphRun& run : runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF& at : positions) at.ry() += shift;
        run.setPositions(positions);
      }
    }
    s.glyphFrom = s.glyphTo = 0;
    laid.shaped.push_back(std::move(runs));
  }
  laid.width = laid.segments.back().x + laid.segments.back().width;
  return laid;
}

}  // namespace lexiscoop
