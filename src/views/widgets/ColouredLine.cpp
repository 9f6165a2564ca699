#include "views/widgets/ColouredLine.h"

#include "platform/Cp932.h"
#include "views/LineWords.h"

namespace lexiscoop {
namespace {

QString FromCp932(std::string_view bytes) { return QString::fromStdString(Utf8FromCp932(bytes)); }

// `text` with each tab replaced by blanks up to the next multiple of eight
// columns, counting from `column` (updated to the column after the text).
QString ExpandTabs(const QString& text, int& column) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    if (c == QLatin1Char('\t')) {
      const int blanks = 8 - column % 8;
      out.append(QString(blanks, QLatin1Char(' ')));
      column += blanks;
    } else {
      out.append(c);
      // Wide characters take two columns in the fixed font.
      column += c.unicode() >= 0x1100 && !(c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F) ? 2 : 1;
    }
  }
  return out;
}

}  // namespace

std::vector<LineSegment> LayOutLine(std::string_view line, const ReadingWords& words, const QFontMetricsF& metrics) {
  std::vector<LineSegment> segments;
  qreal x = 0;
  int column = 0;
  auto add = [&](uint32_t start, uint32_t length, int wordIndex, bool isWord) {
    if (length == 0) return;
    LineSegment s;
    s.text = ExpandTabs(FromCp932(line.substr(start, length)), column);
    s.x = x;
    s.width = metrics.horizontalAdvance(s.text);
    s.start = start;
    s.length = length;
    s.wordIndex = wordIndex;
    s.isWord = isWord;
    x += s.width;
    segments.push_back(std::move(s));
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
  return segments;
}

}  // namespace lexiscoop
