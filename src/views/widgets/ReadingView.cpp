#include "views/widgets/ReadingView.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRawFont>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "ui/LevelColours.h"
#include "views/LineWords.h"

namespace lexiscoop {
namespace {

constexpr qreal kMargin = 6;  // blank space left of the text

}  // namespace

ReadingView::ReadingView(QWidget* parent) : QAbstractScrollArea(parent) {
  shown_.fill(true);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  viewport()->setAutoFillBackground(false);
  UpdateScrollBars();
}

void ReadingView::SetText(std::string_view text) {
  ForgetLayouts();
  text_ = text;
  lines_.Reset(text);
  words_ = ReadingWords{};
  marked_.clear();
  current_.reset();
  rows_.Reset(lines_, WrapColumns());
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  UpdateScrollBars();
  viewport()->update();
}

void ReadingView::SetWrap(bool wrap) {
  if (wrap == wrap_) return;
  wrap_ = wrap;
  horizontalScrollBar()->setValue(0);
  WrapRows();
  viewport()->update();
}

int ReadingView::WrapColumns() const {
  if (!wrap_) return 0;
  const qreal column = QFontMetricsF(font()).horizontalAdvance(QLatin1Char('M'));
  return std::max(8, static_cast<int>((viewport()->width() - 2 * kMargin) / std::max<qreal>(1, column)));
}

void ReadingView::WrapRows() {
  // The line in sight stays in sight.
  const int line = FirstVisibleLine();
  rows_.Reset(lines_, WrapColumns());
  UpdateScrollBars();
  verticalScrollBar()->setValue(rows_.FirstRowOf(line));
}

std::vector<WrapPoint> ReadingView::WrapPointsOf(int line, int width) const {
  if (width <= 0) return {};
  return WrapLine(lines_.Line(line), width);
}

void ReadingView::Clear() { SetText(std::string_view()); }

void ReadingView::SetWords(ReadingWords words) {
  ForgetLayouts();
  words_ = std::move(words);
  marked_.clear();
  current_.reset();
  viewport()->update();
}

void ReadingView::SetLevelShown(WordLevel level, bool shown) {
  shown_[static_cast<size_t>(LevelIndex(level))] = shown;
  viewport()->update();
}

QColor ReadingView::ColourOfWord(int wordIndex) const {
  const QColor plain = palette().color(QPalette::Text);
  if (wordIndex < 0 || words_.words == nullptr) return plain;
  const WordLevel level = words_.LevelOf(wordIndex);
  if (words_.Known(wordIndex)) return plain;
  return LevelShown(level) ? LevelColour(level, IsDarkPalette(palette()), words_.Levels()) : plain;
}

QColor ReadingView::ColourAt(const WordPlace& place) const {
  LineSegment segment;
  segment.isWord = true;
  segment.wordIndex = place.wordIndex;
  segment.start = place.start;
  return SegmentColour(segment, place.line, IsDarkPalette(palette()), palette().color(QPalette::Text));
}

QColor ReadingView::SegmentColour(const LineSegment& segment, int line, bool dark, const QColor& plain) const {
  if (!segment.isWord || segment.wordIndex < 0 || words_.words == nullptr) return plain;
  const WordLevel level = words_.LevelAt(segment.wordIndex, uint64_t{lines_.LineStart(line)} + segment.start);
  if (words_.Known(segment.wordIndex)) return plain;
  return LevelShown(level) ? LevelColour(level, dark, words_.Levels()) : plain;
}

void ReadingView::SetMarkedWords(std::vector<bool> marked) {
  marked_ = std::move(marked);
  current_.reset();
  viewport()->update();
}

qreal ReadingView::LineHeight() const { return std::ceil(QFontMetricsF(font()).lineSpacing()); }

int ReadingView::LinesPerPage() const {
  return std::max(1, static_cast<int>(viewport()->height() / LineHeight()));
}

int ReadingView::FirstVisibleRow() const { return verticalScrollBar()->value(); }

int ReadingView::FirstVisibleLine() const {
  if (rows_.RowCount() == 0) return 0;
  return rows_.Locate(std::min(FirstVisibleRow(), rows_.RowCount() - 1)).line;
}

void ReadingView::UpdateScrollBars() {
  const int page = LinesPerPage();
  verticalScrollBar()->setRange(0, std::max(0, rows_.RowCount() - page));
  verticalScrollBar()->setPageStep(page);
  verticalScrollBar()->setSingleStep(1);
  const QFontMetricsF metrics(font());
  const qreal charWidth = metrics.horizontalAdvance(QLatin1Char('M'));
  // Wrapped rows fit the width; lines left whole are scrolled sideways.
  const int textWidth = wrap_ ? 0 : static_cast<int>(std::ceil(lines_.LongestLine() * charWidth + 2 * kMargin));
  horizontalScrollBar()->setRange(0, std::max(0, textWidth - viewport()->width()));
  horizontalScrollBar()->setPageStep(viewport()->width());
  horizontalScrollBar()->setSingleStep(static_cast<int>(std::ceil(charWidth * 4)));
}

const LaidOutLine& ReadingView::LaidOut(int line) const {
  auto found = laidOut_.find(line);
  if (found != laidOut_.end()) return found->second;
  if (!rawFont_) rawFont_ = QRawFont::fromFont(font());
  found = laidOut_.emplace(line, LayOutLine(lines_.Line(line), words_, font(), *rawFont_)).first;
  return found->second;
}

void ReadingView::TrimLayouts() const {
  const int page = LinesPerPage();
  if (laidOut_.size() <= static_cast<size_t>(4 * page + 32)) return;
  // The lines a page away stay, for scrolling back and forth.
  const int first = FirstVisibleLine() - page;
  const int end = FirstVisibleLine() + 2 * page + 1;
  for (auto it = laidOut_.begin(); it != laidOut_.end();) {
    it = it->first < first || it->first >= end ? laidOut_.erase(it) : std::next(it);
  }
}

namespace {

// The glyphs of one colour gathered from the lines painted, drawn at once.
struct ColourRun {
  QColor colour;
  QRawFont font;
  QList<quint32> glyphs;
  QList<QPointF> positions;
};

ColourRun& RunOf(std::vector<ColourRun>& runs, const QColor& colour, const QRawFont& font) {
  for (ColourRun& run : runs) {
    if (run.colour == colour && run.font == font) return run;
  }
  runs.push_back(ColourRun{colour, font, {}, {}});
  return runs.back();
}

}  // namespace

ReadingView::RowSpan ReadingView::SpanOfRow(const LaidOutLine& laid, const std::vector<WrapPoint>& points, int row) {
  RowSpan span;
  const auto k = static_cast<size_t>(std::max(0, row));
  if (k > 0 && k - 1 < points.size()) span.columnFrom = points[k - 1].column;
  if (k < points.size()) span.columnTo = points[k].column;
  const std::vector<LineSegment>& segments = laid.segments;
  if (laid.shaped.empty() && !laid.glyphColumn.empty()) {
    // Glyph by glyph: the row takes the glyphs of its columns.
    const auto first = laid.glyphColumn.begin();
    const auto last = laid.glyphColumn.end() - 1;  // the width after the last glyph
    span.glyphFrom = static_cast<int>(std::lower_bound(first, last, span.columnFrom) - first);
    span.glyphTo = static_cast<int>(std::lower_bound(first, last, span.columnTo) - first);
    span.segmentFrom = static_cast<size_t>(
        std::partition_point(segments.begin(), segments.end(),
                             [&span](const LineSegment& s) { return s.glyphTo <= span.glyphFrom; }) -
        segments.begin());
    span.segmentTo = static_cast<size_t>(
        std::partition_point(segments.begin(), segments.end(),
                             [&span](const LineSegment& s) { return s.glyphFrom < span.glyphTo; }) -
        segments.begin());
    span.shift = static_cast<size_t>(span.glyphFrom) < laid.glyphX.size() ? laid.glyphX[static_cast<size_t>(span.glyphFrom)]
                                                                          : laid.width;
  } else {
    // Shaped runs go whole: a segment is drawn on the row it starts on.
    auto startsBefore = [](uint32_t column) {
      return [column](const LineSegment& s) { return s.column < column; };
    };
    span.segmentFrom = static_cast<size_t>(
        std::partition_point(segments.begin(), segments.end(), startsBefore(span.columnFrom)) - segments.begin());
    span.segmentTo = static_cast<size_t>(
        std::partition_point(segments.begin(), segments.end(), startsBefore(span.columnTo)) - segments.begin());
    span.shift = span.segmentFrom < segments.size() ? segments[span.segmentFrom].x : laid.width;
  }
  return span;
}

std::pair<qreal, qreal> ReadingView::SegmentEdges(const LaidOutLine& laid, const LineSegment& s, const RowSpan& span) {
  if (!laid.shaped.empty() || laid.glyphColumn.empty()) return {s.x - span.shift, s.x + s.width - span.shift};
  auto xAt = [&laid](int glyph) {
    return static_cast<size_t>(glyph) < laid.glyphX.size() ? qreal(laid.glyphX[static_cast<size_t>(glyph)]) : laid.width;
  };
  return {xAt(std::max(s.glyphFrom, span.glyphFrom)) - span.shift, xAt(std::min(s.glyphTo, span.glyphTo)) - span.shift};
}

template <typename LaidOutOf>
void ReadingView::PaintLaidOut(QPainter& painter, const WrappedRows& rows, int firstRow, int count, qreal left,
                               qreal top, qreal lineHeight, qreal ascent, bool dark, LaidOutOf laidOut) const {
  const QColor plain = painter.pen().color();
  QColor markFill = palette().color(QPalette::Highlight);
  markFill.setAlpha(60);
  QColor currentFill = palette().color(QPalette::Highlight);
  currentFill.setAlpha(140);
  const bool underlineUnknown = words_.words != nullptr && LevelShown(words_.Levels().None());
  std::vector<ColourRun> runs;
  std::vector<std::pair<QColor, QLineF>> underlines;
  const int end = std::min(rows.RowCount(), firstRow + count);
  int pointsLine = -1;
  std::vector<WrapPoint> points;
  for (int row = std::max(0, firstRow); row < end; ++row) {
    const WrappedRows::Place place = rows.Locate(row);
    const int line = place.line;
    if (line != pointsLine) {
      points = WrapPointsOf(line, rows.Width());
      pointsLine = line;
    }
    const qreal y = top + (row - firstRow) * lineHeight;
    const LaidOutLine& laid = laidOut(line);
    const RowSpan span = SpanOfRow(laid, points, place.row);
    // Where the line's start would be for this row to start at `left`.
    const qreal lineLeft = left - span.shift;
    for (size_t i = span.segmentFrom; i < span.segmentTo; ++i) {
      const LineSegment& s = laid.segments[i];
      const auto [from, to] = SegmentEdges(laid, s, span);
      if (s.isWord) {
        const QRectF rect(left + from, y, to - from, lineHeight);
        const bool isCurrent = current_ && current_->line == line && current_->start == s.start;
        if (isCurrent) {
          painter.fillRect(rect, currentFill);
        } else if (IsMarked(s.wordIndex)) {
          painter.fillRect(rect, markFill);
        }
      }
      const QColor colour = SegmentColour(s, line, dark, plain);
      if (laid.shaped.empty()) {
        ColourRun& run = RunOf(runs, colour, laid.font);
        const qreal baseline = y + ascent;
        const int glyphTo = std::min(s.glyphTo, span.glyphTo);
        for (int g = std::max(s.glyphFrom, span.glyphFrom); g < glyphTo; ++g) {
          run.glyphs.append(laid.glyphs[static_cast<size_t>(g)]);
          run.positions.append(QPointF(lineLeft + laid.glyphX[static_cast<size_t>(g)], baseline));
        }
      } else {
        painter.setPen(colour);
        for (const QGlyphRun& glyphs : laid.shaped[i]) painter.drawGlyphRun(QPointF(lineLeft, y), glyphs);
      }
      // Words the dictionary lacks also get a dotted underline, so the
      // level does not rest on colour alone.
      if (underlineUnknown && s.isWord && s.wordIndex >= 0 && words_.Unregistered(s.wordIndex)) {
        const qreal underline = y + ascent + 2;
        underlines.emplace_back(colour, QLineF(left + from, underline, left + to, underline));
      }
    }
  }
  for (const ColourRun& run : runs) {
    if (run.glyphs.isEmpty()) continue;
    QGlyphRun glyphs;
    glyphs.setRawFont(run.font);
    glyphs.setGlyphIndexes(run.glyphs);
    glyphs.setPositions(run.positions);
    painter.setPen(run.colour);
    painter.drawGlyphRun(QPointF(0, 0), glyphs);
  }
  for (const auto& [colour, underline] : underlines) {
    painter.setPen(QPen(colour, 1, Qt::DotLine));
    painter.drawLine(underline);
  }
  painter.setPen(plain);
}

void ReadingView::PaintRows(QPainter& painter, const WrappedRows& rows, int firstRow, int count, qreal left,
                            qreal top, qreal lineHeight, const QFont& font, bool dark) const {
  QPaintDevice* device = painter.device();
  const QRawFont raw = QRawFont::fromFont(font);
  // The rows of a line follow each other: each line is laid out once.
  LaidOutLine laid;
  int laidLine = -1;
  PaintLaidOut(painter, rows, firstRow, count, left, top, lineHeight, QFontMetricsF(font, device).ascent(), dark,
               [&](int line) -> const LaidOutLine& {
                 if (line != laidLine) {
                   laid = LayOutLine(lines_.Line(line), words_, font, raw, device);
                   laidLine = line;
                 }
                 return laid;
               });
}

void ReadingView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), palette().color(QPalette::Base));
  painter.setFont(font());
  painter.setPen(palette().color(QPalette::Text));
  PaintLaidOut(painter, rows_, FirstVisibleRow(), LinesPerPage() + 1, kMargin - horizontalScrollBar()->value(), 0,
               LineHeight(), QFontMetricsF(font()).ascent(), IsDarkPalette(palette()),
               [this](int line) -> const LaidOutLine& { return LaidOut(line); });
  TrimLayouts();
}

void ReadingView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  if (WrapColumns() != rows_.Width()) {
    WrapRows();
  } else {
    UpdateScrollBars();
  }
}

void ReadingView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    ForgetLayouts();
    WrapRows();
  }
}

template <typename Visit>
void ReadingView::ForEachVisibleWord(Visit visit) const {
  const qreal height = LineHeight();
  const qreal left = kMargin - horizontalScrollBar()->value();
  const int first = FirstVisibleRow();
  const int end = std::min(rows_.RowCount(), first + LinesPerPage() + 1);
  int pointsLine = -1;
  std::vector<WrapPoint> points;
  for (int row = first; row < end; ++row) {
    const WrappedRows::Place place = rows_.Locate(row);
    if (place.line != pointsLine) {
      points = WrapPointsOf(place.line, rows_.Width());
      pointsLine = place.line;
    }
    const LaidOutLine& laid = LaidOut(place.line);
    const RowSpan span = SpanOfRow(laid, points, place.row);
    for (size_t i = span.segmentFrom; i < span.segmentTo; ++i) {
      const LineSegment& s = laid.segments[i];
      // A word cut by a row's end counts on the row it starts on.
      if (!s.isWord || s.glyphFrom < span.glyphFrom) continue;
      const auto [from, to] = SegmentEdges(laid, s, span);
      if (!visit(WordPlace{place.line, s.start, s.length, s.wordIndex,
                           QRectF(left + from, (row - first) * height, to - from, height), row})) {
        return;
      }
    }
  }
}

std::vector<ReadingView::WordPlace> ReadingView::VisibleWords() const {
  std::vector<WordPlace> places;
  ForEachVisibleWord([&places](const WordPlace& place) {
    places.push_back(place);
    return true;
  });
  return places;
}

std::optional<ReadingView::WordPlace> ReadingView::WordAt(QPointF point) const {
  std::optional<WordPlace> found;
  if (point.y() < 0) return found;
  ForEachVisibleWord([&found, point](const WordPlace& place) {
    if (point.y() >= place.rect.top() && point.y() < place.rect.bottom() && point.x() >= place.rect.left() &&
        point.x() < place.rect.right()) {
      found = place;
      return false;
    }
    return true;
  });
  return found;
}

void ReadingView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mousePressEvent(event);
    return;
  }
  const std::optional<WordPlace> place = WordAt(event->position());
  if (place && place->wordIndex >= 0) {
    current_ = place;
    viewport()->update();
    emit wordClicked(place->wordIndex);
  }
}

bool ReadingView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const std::optional<WordPlace> place = WordAt(help->pos());
    if (place && place->wordIndex >= 0 && toolTipSource_) {
      QToolTip::showText(help->globalPos(), toolTipSource_(place->wordIndex, OffsetOf(*place)), viewport(),
                         place->rect.toAlignedRect());
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }
  return QAbstractScrollArea::viewportEvent(event);
}

void ReadingView::ShowOccurrence(int line, uint32_t start, uint32_t length) {
  if (line < 0 || line >= lines_.LineCount()) return;
  // The row of the line that holds the word.
  const std::vector<WrapPoint> points = WrapPointsOf(line, rows_.Width());
  const auto rowInLine = std::partition_point(points.begin(), points.end(),
                                              [start](const WrapPoint& at) { return at.byte <= start; }) -
                         points.begin();
  const int row = rows_.FirstRowOf(line) + static_cast<int>(rowInLine);
  current_ = WordPlace{line, start, length, -1, QRectF(), row};
  const int page = LinesPerPage();
  if (row < FirstVisibleRow() || row >= FirstVisibleRow() + page) {
    verticalScrollBar()->setValue(row - page / 3);
  }
  for (const LineSegment& s : LaidOut(line).segments) {
    if (s.start != start) continue;
    current_->wordIndex = s.wordIndex;
    if (wrap_) break;
    // Bring the word into sight sideways too.
    const int x = static_cast<int>(s.x);
    const int scroll = horizontalScrollBar()->value();
    const int visible = viewport()->width() - static_cast<int>(2 * kMargin);
    if (x < scroll || x + s.width > scroll + visible) {
      horizontalScrollBar()->setValue(std::max(0, x - visible / 3));
    }
    break;
  }
  viewport()->update();
}

bool ReadingView::GoToNextMark() { return GoToMark(1); }
bool ReadingView::GoToPreviousMark() { return GoToMark(-1); }

bool ReadingView::GoToMark(int direction) {
  const int count = lines_.LineCount();
  if (count == 0 || std::find(marked_.begin(), marked_.end(), true) == marked_.end()) return false;
  int line = current_ ? current_->line : FirstVisibleLine();
  // Without a current occurrence, the search includes the first line in
  // sight from its start (forward) or end (backward).
  int64_t after = current_ ? static_cast<int64_t>(current_->start) : (direction > 0 ? -1 : INT64_MAX);
  for (int step = 0; step <= count; ++step) {
    LineWordScanner scanner(lines_.Line(line));
    LineWord word{};
    std::optional<LineWord> found;
    while (scanner.Next(word)) {
      if (direction > 0 && static_cast<int64_t>(word.start) <= after) continue;
      if (direction < 0 && static_cast<int64_t>(word.start) >= after) break;
      if (!IsMarked(words_.IndexOf(word.word))) continue;
      found = word;
      if (direction > 0) break;
    }
    if (found) {
      ShowOccurrence(line, found->start, found->length);
      return true;
    }
    line = (line + direction + count) % count;
    after = direction > 0 ? -1 : INT64_MAX;
  }
  return false;
}

}  // namespace lexiscoop
