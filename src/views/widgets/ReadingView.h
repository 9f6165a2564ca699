#pragma once

#include <QAbstractScrollArea>
#include <array>
#include <functional>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "views/TextLineIndex.h"
#include "views/widgets/ColouredLine.h"

namespace lexiscoop {

// The whole text with every counted word drawn in its level's colour. Only
// the lines in sight are laid out and painted, from an index of line starts
// over the text, so a text of any size opens at once and scrolls smoothly;
// the view keeps no copy of the text. Each line is shaped once, as a whole,
// and kept while it stays near the lines in sight; colours, marks and the
// levels shown are applied when it is painted.
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
  // The colour the word of table entry `wordIndex` is drawn in.
  QColor ColourOfWord(int wordIndex) const;

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

  int FirstVisibleLine() const;
  // Whole lines that fit into the viewport.
  int LinesPerPage() const;
  qreal LineHeight() const;
  // The word under a viewport point, if any.
  std::optional<WordPlace> WordAt(QPointF point) const;
  // Every word drawn in sight, in text order.
  std::vector<WordPlace> VisibleWords() const;

  // Makes the tooltip text of a counted word (table entry).
  void SetToolTipSource(std::function<QString(int wordIndex)> source) { toolTipSource_ = std::move(source); }

  // Paints `count` lines from `firstLine` with their colours on `painter`
  // in `font`, laid out for the painter's device, the first line's top at
  // `top`, from `left` (for printing).
  void PaintLines(QPainter& painter, int firstLine, int count, qreal left, qreal top, qreal lineHeight,
                  const QFont& font, bool dark) const;

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
  bool GoToMark(int direction);
  QColor SegmentColour(const LineSegment& segment, bool dark, const QColor& plain) const;
  // Line `line` laid out in the view's font, from the cache.
  const LaidOutLine& LaidOut(int line) const;
  // Forgets the laid-out lines (text, words or font changed).
  void ForgetLayouts() const {
    laidOut_.clear();
    rawFont_.reset();
  }
  // Keeps the cache to the lines around those in sight.
  void TrimLayouts() const;
  // Paints lines `firstLine`.. `firstLine + count` as `laidOut` gives them.
  template <typename LaidOutOf>
  void PaintLaidOut(QPainter& painter, int firstLine, int count, qreal left, qreal top, qreal lineHeight,
                    qreal ascent, bool dark, LaidOutOf laidOut) const;

  std::string_view text_;
  TextLineIndex lines_;
  ReadingWords words_;
  std::array<bool, kWordLevelCount> shown_;
  std::vector<bool> marked_;
  std::optional<WordPlace> current_;
  std::function<QString(int)> toolTipSource_;
  mutable std::unordered_map<int, LaidOutLine> laidOut_;
  mutable std::optional<QRawFont> rawFont_;  // of font(), asked for once
};

}  // namespace lexiscoop
