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
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  UpdateScrollBars();
  viewport()->update();
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
  return LevelShown(level) ? LevelColour(level, IsDarkPalette(palette())) : plain;
}

QColor ReadingView::SegmentColour(const LineSegment& segment, bool dark, const QColor& plain) const {
  if (!segment.isWord || segment.wordIndex < 0 || words_.words == nullptr) return plain;
  const WordLevel level = words_.LevelOf(segment.wordIndex);
  return LevelShown(level) ? LevelColour(level, dark) : plain;
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

int ReadingView::FirstVisibleLine() const { return verticalScrollBar()->value(); }

void ReadingView::UpdateScrollBars() {
  const int page = LinesPerPage();
  verticalScrollBar()->setRange(0, std::max(0, lines_.LineCount() - page));
  verticalScrollBar()->setPageStep(page);
  verticalScrollBar()->setSingleStep(1);
  const QFontMetricsF metrics(font());
  const qreal charWidth = metrics.horizontalAdvance(QLatin1Char('M'));
  const int textWidth = static_cast<int>(std::ceil(lines_.LongestLine() * charWidth + 2 * kMargin));
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

template <typename LaidOutOf>
void ReadingView::PaintLaidOut(QPainter& painter, int firstLine, int count, qreal left, qreal top,
                               qreal lineHeight, qreal ascent, bool dark, LaidOutOf laidOut) const {
  const QColor plain = painter.pen().color();
  QColor markFill = palette().color(QPalette::Highlight);
  markFill.setAlpha(60);
  QColor currentFill = palette().color(QPalette::Highlight);
  currentFill.setAlpha(140);
  const bool underlineUnknown = words_.words != nullptr && LevelShown(WordLevel::None);
  std::vector<ColourRun> runs;
  std::vector<std::pair<QColor, QLineF>> underlines;
  const int end = std::min(lines_.LineCount(), firstLine + count);
  for (int line = std::max(0, firstLine); line < end; ++line) {
    const qreal y = top + (line - firstLine) * lineHeight;
    const QPointF origin(left, y);
    const LaidOutLine& laid = laidOut(line);
    for (size_t i = 0; i < laid.segments.size(); ++i) {
      const LineSegment& s = laid.segments[i];
      if (s.isWord) {
        const QRectF rect(left + s.x, y, s.width, lineHeight);
        const bool isCurrent = current_ && current_->line == line && current_->start == s.start;
        if (isCurrent) {
          painter.fillRect(rect, currentFill);
        } else if (IsMarked(s.wordIndex)) {
          painter.fillRect(rect, markFill);
        }
      }
      const QColor colour = SegmentColour(s, dark, plain);
      if (laid.shaped.empty()) {
        ColourRun& run = RunOf(runs, colour, laid.font);
        const qreal baseline = y + ascent;
        for (auto g = static_cast<size_t>(s.glyphFrom); g < static_cast<size_t>(s.glyphTo); ++g) {
          run.glyphs.append(laid.glyphs[g]);
          run.positions.append(QPointF(left + laid.glyphX[g], baseline));
        }
      } else {
        painter.setPen(colour);
        for (const QGlyphRun& glyphs : laid.shaped[i]) painter.drawGlyphRun(origin, glyphs);
      }
      // Words the dictionary lacks also get a dotted underline, so the
      // level does not rest on colour alone.
      if (underlineUnknown && s.isWord && s.wordIndex >= 0 && words_.LevelOf(s.wordIndex) == WordLevel::None) {
        const qreal underline = y + ascent + 2;
        underlines.emplace_back(colour, QLineF(left + s.x, underline, left + s.x + s.width, underline));
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

void ReadingView::PaintLines(QPainter& painter, int firstLine, int count, qreal left, qreal top,
                             qreal lineHeight, const QFont& font, bool dark) const {
  QPaintDevice* device = painter.device();
  const QRawFont raw = QRawFont::fromFont(font);
  LaidOutLine laid;
  PaintLaidOut(painter, firstLine, count, left, top, lineHeight, QFontMetricsF(font, device).ascent(), dark,
               [&](int line) -> const LaidOutLine& {
                 laid = LayOutLine(lines_.Line(line), words_, font, raw, device);
                 return laid;
               });
}

void ReadingView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), palette().color(QPalette::Base));
  painter.setFont(font());
  painter.setPen(palette().color(QPalette::Text));
  PaintLaidOut(painter, FirstVisibleLine(), LinesPerPage() + 1, kMargin - horizontalScrollBar()->value(), 0,
               LineHeight(), QFontMetricsF(font()).ascent(), IsDarkPalette(palette()),
               [this](int line) -> const LaidOutLine& { return LaidOut(line); });
  TrimLayouts();
}

void ReadingView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void ReadingView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    ForgetLayouts();
    UpdateScrollBars();
  }
}

std::vector<ReadingView::WordPlace> ReadingView::VisibleWords() const {
  std::vector<WordPlace> places;
  const qreal height = LineHeight();
  const qreal left = kMargin - horizontalScrollBar()->value();
  const int first = FirstVisibleLine();
  const int end = std::min(lines_.LineCount(), first + LinesPerPage() + 1);
  for (int line = first; line < end; ++line) {
    for (const LineSegment& s : LaidOut(line).segments) {
      if (!s.isWord) continue;
      places.push_back(
          WordPlace{line, s.start, s.length, s.wordIndex, QRectF(left + s.x, (line - first) * height, s.width, height)});
    }
  }
  return places;
}

std::optional<ReadingView::WordPlace> ReadingView::WordAt(QPointF point) const {
  const qreal height = LineHeight();
  if (point.y() < 0) return std::nullopt;
  const int line = FirstVisibleLine() + static_cast<int>(point.y() / height);
  if (line >= lines_.LineCount()) return std::nullopt;
  const qreal left = kMargin - horizontalScrollBar()->value();
  const qreal top = (line - FirstVisibleLine()) * height;
  for (const LineSegment& s : LaidOut(line).segments) {
    if (s.isWord && point.x() >= left + s.x && point.x() < left + s.x + s.width) {
      return WordPlace{line, s.start, s.length, s.wordIndex, QRectF(left + s.x, top, s.width, height)};
    }
  }
  return std::nullopt;
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
      QToolTip::showText(help->globalPos(), toolTipSource_(place->wordIndex), viewport(),
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
  current_ = WordPlace{line, start, length, -1, QRectF()};
  const int page = LinesPerPage();
  if (line < FirstVisibleLine() || line >= FirstVisibleLine() + page) {
    verticalScrollBar()->setValue(line - page / 3);
  }
  // Bring the word into sight sideways too.
  for (const LineSegment& s : LaidOut(line).segments) {
    if (s.start != start) continue;
    current_->wordIndex = s.wordIndex;
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
