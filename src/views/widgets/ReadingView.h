#pragma once

#include <QAbstractScrollArea>
#include <array>
#include <functional>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "views/LineWrap.h"
#include "views/TextLineIndex.h"
#include "views/widgets/ColouredLine.h"

namespace lexiscoop {

// The whole text with every counted word drawn in its level's colour. Only
// the lines in sight are laid out and painted, from an index of line starts
// over the text, so a text of any size opens at once and scrolls smoothly;
// the view keeps no copy of the text. Each line is shaped once, as a whole,
// and kept while it stays near the lines in sight; colours, marks and the
// levels shown are applied when it is painted. Lines wrap at the view's
// width (by default) or run on to be scrolled sideways; rows are then the
// wrapped rows, counted from the lines' lengths without laying them out.
class ReadingView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // Where a word is drawn.
  struct WordPlace {
    int line = -1;
    uint32_t start = 0;
    uint32_t length = 0;
    int wordIndex = -1;  // table entry; -1 for a word the run did not count
    QRectF rect;         // in viewport coordinates
    int row = -1;        // the view's row (see Rows), where it is drawn
  };

  explicit ReadingView(QWidget* parent = nullptr);

  // Shows `text` (CP932), which must stay unchanged and alive until the next
  // SetText or Clear; the words show plain until SetWords.
  void SetText(std::string_view text);
  // Forgets the text and the words.
  void Clear();
  // Colours the words by `words` (its table must outlive the view's use of
  // it, until the next SetWords or Clear).
  void SetWords(ReadingWords words);
  const ReadingWords& Words() const { return words_; }
  const TextLineIndex& Lines() const { return lines_; }

  // A level shown plain is drawn in the text colour.
  void SetLevelShown(WordLevel level, bool shown);
  bool LevelShown(WordLevel level) const { return shown_[static_cast<size_t>(LevelIndex(level))]; }
  // The colour the word of table entry `wordIndex` is drawn in where it
  // was read as its class says.
  QColor ColourOfWord(int wordIndex) const;
  // The colour the word at `place` is drawn in: its reading's level.
  QColor ColourAt(const WordPlace& place) const;
  // Where the word at `place` starts in the text (bytes).
  uint64_t OffsetOf(const WordPlace& place) const { return uint64_t{lines_.LineStart(place.line)} + place.start; }

  // Marks the words whose table entries are true in `marked` (empty: none)
  // and forgets the current occurrence.
  void SetMarkedWords(std::vector<bool> marked);
  bool IsMarked(int wordIndex) const {
    return wordIndex >= 0 && static_cast<size_t>(wordIndex) < marked_.size() && marked_[static_cast<size_t>(wordIndex)];
  }
  // Makes the next (or previous) occurrence of a marked word after (before)
  // the current one current and scrolls to it, wrapping at the ends. False
  // when no word is marked or none occurs.
  bool GoToNextMark();
  bool GoToPreviousMark();
  // Makes the word at `start` of `line` current and brings it into sight.
  void ShowOccurrence(int line, uint32_t start, uint32_t length);
  // The current occurrence, if any.
  std::optional<WordPlace> CurrentOccurrence() const { return current_; }

  // Wraps the lines at the view's width (true, the default) or lets them
  // run on to be scrolled sideways.
  void SetWrap(bool wrap);
  bool Wraps() const { return wrap_; }
  // The rows the vertical scroll bar counts: wrapped rows, or lines.
  const WrappedRows& Rows() const { return rows_; }

  // The line of the first row in sight, and that row.
  int FirstVisibleLine() const;
  int FirstVisibleRow() const;
  // Whole rows that fit into the viewport.
  int LinesPerPage() const;
  qreal LineHeight() const;
  // The word under a viewport point, if any.
  std::optional<WordPlace> WordAt(QPointF point) const;
  // Every word drawn in sight, in text order.
  std::vector<WordPlace> VisibleWords() const;

  // Makes the tooltip text of a counted word (table entry) from the place
  // it starts at in the text (bytes).
  void SetToolTipSource(std::function<QString(int wordIndex, uint64_t offset)> source) {
    toolTipSource_ = std::move(source);
  }

  // Paints `count` of the rows of `rows` (the view's lines wrapped for the
  // device) from `firstRow` with their colours on `painter` in `font`,
  // laid out for the painter's device, the first row's top at `top`, from
  // `left` (for printing).
  void PaintRows(QPainter& painter, const WrappedRows& rows, int firstRow, int count, qreal left, qreal top,
                 qreal lineHeight, const QFont& font, bool dark) const;

 signals:
  // A counted word was clicked.
  void wordClicked(int wordIndex);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  void UpdateScrollBars();
  // The columns a row holds at the viewport's width; 0 when not wrapping.
  int WrapColumns() const;
  // Wraps the lines afresh for the viewport's width.
  void WrapRows();
  // Where a row of a line lies in its layout.
  struct RowSpan {
    uint32_t columnFrom = 0;
    uint32_t columnTo = UINT32_MAX;
    int glyphFrom = 0;      // its glyphs, when the layout has them
    int glyphTo = 0;
    size_t segmentFrom = 0;  // the segments that reach into it
    size_t segmentTo = 0;
    qreal shift = 0;  // the x of the row's start in the line
  };
  // Row `row` (from 0) of a line laid out as `laid`, wrapping at `points`.
  static RowSpan SpanOfRow(const LaidOutLine& laid, const std::vector<WrapPoint>& points, int row);
  // The left and right edge of segment `s` within `span`, from the row's start.
  static std::pair<qreal, qreal> SegmentEdges(const LaidOutLine& laid, const LineSegment& s, const RowSpan& span);
  // The wrap points of `line` at the view's width (none when not wrapping).
  std::vector<WrapPoint> WrapPointsOf(int line, int width) const;
  // Calls `visit(place, rect)` for every word of the rows in sight.
  template <typename Visit>
  void ForEachVisibleWord(Visit visit) const;
  bool GoToMark(int direction);
  // The colour of a segment of line `line`.
  QColor SegmentColour(const LineSegment& segment, int line, bool dark, const QColor& plain) const;
  // Line `line` laid out in the view's font, from the cache.
  const LaidOutLine& LaidOut(int line) const;
  // Forgets the laid-out lines (text, words or font changed).
  void ForgetLayouts() const {
    laidOut_.clear();
    rawFont_.reset();
  }
  // Keeps the cache to the lines around those in sight.
  void TrimLayouts() const;
  // Paints rows `firstRow`.. `firstRow + count` of `rows` as `laidOut`
  // gives their lines.
  template <typename LaidOutOf>
  void PaintLaidOut(QPainter& painter, const WrappedRows& rows, int firstRow, int count, qreal left, qreal top,
                    qreal lineHeight, qreal ascent, bool dark, LaidOutOf laidOut) const;

  std::string_view text_;
  TextLineIndex lines_;
  bool wrap_ = true;
  WrappedRows rows_;
  ReadingWords words_;
  std::array<bool, kMaxLevelCount> shown_;
  std::vector<bool> marked_;
  std::optional<WordPlace> current_;
  std::function<QString(int, uint64_t)> toolTipSource_;
  mutable std::unordered_map<int, LaidOutLine> laidOut_;
  mutable std::optional<QRawFont> rawFont_;  // of font(), asked for once
};

}  // namespace lexiscoop
