#include "views/TextLineIndex.h"

#include <algorithm>
#include <cstring>

namespace lexiscoop {

void TextLineIndex::Reset(std::string_view text) {
  text_ = text;
  starts_.clear();
  longest_ = 0;
  if (text.empty()) return;
  // About one line per 40 bytes in prose; the vector grows if there are more.
  starts_.reserve(text.size() / 40 + 1);
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* p = begin;
  for (;;) {
    starts_.push_back(static_cast<uint32_t>(p - begin));
    const auto* feed = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
    const char* lineEnd = feed != nullptr ? feed : end;
    longest_ = std::max(longest_, static_cast<uint32_t>(lineEnd - p));
    if (feed == nullptr || feed + 1 == end) break;
    p = feed + 1;
  }
  starts_.shrink_to_fit();
}

std::string_view TextLineIndex::Line(int i) const {
  const size_t k = static_cast<size_t>(i);
  const size_t begin = starts_[k];
  size_t end = k + 1 < starts_.size() ? starts_[k + 1] - 1 : text_.size();
  if (end > begin && text_[end - 1] == '\n') --end;  // the last line ends with its feed
  if (end > begin && text_[end - 1] == '\r') --end;
  return text_.substr(begin, end - begin);
}

int TextLineIndex::LineOfOffset(uint32_t offset) const {
  if (starts_.empty()) return 0;
  const auto it = std::upper_bound(starts_.begin(), starts_.end(), offset);
  return static_cast<int>(it - starts_.begin()) - 1;
}

}  // namespace lexiscoop
