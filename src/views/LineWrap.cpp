#include "views/LineWrap.h"

#include <algorithm>
#include <cstring>

#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

// Ａ-Ｚ, ａ-ｚ and ０-９ in CP932.
bool IsFullWidthLetterOrDigit(unsigned char lead, unsigned char trail) {
  return lead == 0x82 && ((trail >= 0x4F && trail <= 0x58) || (trail >= 0x60 && trail <= 0x79) ||
                          (trail >= 0x81 && trail <= 0x9A));
}

// Calls `emit` with the start of every row after the first.
template <typename Emit>
void ForEachWrap(std::string_view line, int width, Emit emit) {
  const uint32_t limit = static_cast<uint32_t>(std::max(1, width));
  uint32_t rowStart = 0;        // column where the current row starts
  bool canBreak = false;        // a row may start at `breakAt`
  WrapPoint breakAt;
  bool afterBlankOrWide = false;
  uint32_t column = 0;
  const auto size = static_cast<uint32_t>(line.size());
  for (uint32_t i = 0; i < size;) {
    const auto byte = static_cast<unsigned char>(line[i]);
    const bool wide = IsLeadByte(byte) && i + 1 < size;
    // A full-width letter or digit belongs to a word like a narrow one.
    const bool wideBreak = wide && !IsFullWidthLetterOrDigit(byte, static_cast<unsigned char>(line[i + 1]));
    const bool blank = byte == ' ' || byte == '\t';
    const uint32_t step = wide ? 2 : 1;
    const uint32_t columns = byte == '\t' ? 8 - column % 8 : step;
    // A row may start before a double-byte character or a word that follows
    // blanks or a double-byte character.
    if (!blank && column > rowStart && (wideBreak || afterBlankOrWide)) {
      canBreak = true;
      breakAt = WrapPoint{i, column};
    }
    if (!blank && column + columns - rowStart > limit && column > rowStart) {
      const WrapPoint at = canBreak && breakAt.column > rowStart ? breakAt : WrapPoint{i, column};
      emit(at);
      rowStart = at.column;
      canBreak = false;
      // The word carried over may itself be wider than a row.
      if (column + columns - rowStart > limit && column > rowStart) {
        emit(WrapPoint{i, column});
        rowStart = column;
      }
    }
    afterBlankOrWide = blank || wideBreak;
    column += columns;
    i += step;
  }
}

}  // namespace

std::vector<WrapPoint> WrapLine(std::string_view line, int width) {
  std::vector<WrapPoint> points;
  ForEachWrap(line, width, [&points](WrapPoint at) { points.push_back(at); });
  return points;
}

int WrappedRowCount(std::string_view line, int width) {
  int rows = 1;
  ForEachWrap(line, width, [&rows](WrapPoint) { ++rows; });
  return rows;
}

void WrappedRows::Reset(const TextLineIndex& lines, int width) {
  width_ = std::max(0, width);
  firstRow_ = std::vector<int32_t>();
  rowCount_ = lines.LineCount();
  if (width_ == 0 || rowCount_ == 0) return;
  firstRow_.reserve(static_cast<size_t>(rowCount_) + 1);
  // The lines one after the other, as the index finds them, without
  // looking each up again.
  const std::string_view text = lines.Text();
  const char* const end = text.data() + text.size();
  const char* p = text.data();
  int32_t row = 0;
  for (int i = 0; i < lines.LineCount(); ++i) {
    firstRow_.push_back(row);
    const auto* feed = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
    const char* lineEnd = feed != nullptr ? feed : end;
    if (lineEnd > p && lineEnd[-1] == '\r') --lineEnd;
    row += WrappedRowCount(std::string_view(p, static_cast<size_t>(lineEnd - p)), width_);
    p = feed != nullptr ? feed + 1 : end;
  }
  firstRow_.push_back(row);
  rowCount_ = row;
}

int WrappedRows::FirstRowOf(int line) const {
  if (firstRow_.empty()) return line;
  return firstRow_[static_cast<size_t>(std::clamp(line, 0, static_cast<int>(firstRow_.size()) - 1))];
}

WrappedRows::Place WrappedRows::Locate(int row) const {
  if (firstRow_.empty()) return Place{row, 0};
  const auto it = std::upper_bound(firstRow_.begin(), firstRow_.end() - 1, row);
  const int line = std::max(0, static_cast<int>(it - firstRow_.begin()) - 1);
  return Place{line, row - firstRow_[static_cast<size_t>(line)]};
}

}  // namespace lexiscoop
