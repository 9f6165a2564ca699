#include "views/TextLineIndex.h"

#include <algorithm>
#include <cstring>

namespace lexiscoop {

void TextLineIndex::Reset(std::string_view text) {
  text_ = text;
  starts_ = std::vector<uint32_t>();  // frees the last text's index
  count_ = 0;
  longest_ = 0;
  if (text.empty()) return;
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* p = begin;
  for (;;) {
    if ((count_ & ((1 << kStrideBits) - 1)) == 0) starts_.push_back(static_cast<uint32_t>(p - begin));
    ++count_;
    const auto* feed = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
    const char* lineEnd = feed != nullptr ? feed : end;
    longest_ = std::max(longest_, static_cast<uint32_t>(lineEnd - p));
    if (feed == nullptr || feed + 1 == end) break;
    p = feed + 1;
  }
  starts_.shrink_to_fit();
}

uint32_t TextLineIndex::LineStart(int i) const {
  const char* const begin = text_.data();
  const char* p = begin + starts_[static_cast<size_t>(i) >> kStrideBits];
  for (int skip = i & ((1 << kStrideBits) - 1); skip > 0; --skip) {
    p = static_cast<const char*>(std::memchr(p, '\n', text_.size() - static_cast<size_t>(p - begin))) + 1;
  }
  return static_cast<uint32_t>(p - begin);
}

std::string_view TextLineIndex::Line(int i) const {
  const size_t start = LineStart(i);
  const auto* feed = static_cast<const char*>(std::memchr(text_.data() + start, '\n', text_.size() - start));
  size_t end = feed != nullptr ? static_cast<size_t>(feed - text_.data()) : text_.size();
  if (end > start && text_[end - 1] == '\r') --end;
  return text_.substr(start, end - start);
}

int TextLineIndex::LineOfOffset(uint32_t offset) const {
  if (starts_.empty()) return 0;
  const auto it = std::upper_bound(starts_.begin(), starts_.end(), offset);
  int line = static_cast<int>(it - starts_.begin() - 1) << kStrideBits;
  const char* const begin = text_.data();
  const char* const end = begin + text_.size();
  const char* p = begin + *(it - 1);
  // Forward through the block's lines to the last one starting at or
  // before `offset`.
  while (line + 1 < count_) {
    const char* next = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p))) + 1;
    if (static_cast<size_t>(next - begin) > offset) break;
    p = next;
    ++line;
  }
  return line;
}

}  // namespace lexiscoop
