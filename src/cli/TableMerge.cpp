#include "cli/TableMerge.h"

#include <charconv>

namespace lexiscoop {
namespace {

std::string Folded(std::string_view word) {
  std::string folded(word);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return folded;
}

}  // namespace

std::string TableMerge::AddTable(std::string_view bytes) {
  struct Line {
    std::string_view word;
    int64_t count;
  };
  std::vector<Line> lines;
  size_t start = 0;
  int64_t number = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    const size_t tab = line.find('\t');
    const std::string where = "line " + std::to_string(number) + ": ";
    if (tab == std::string_view::npos || tab == 0) return where + "not a line of a word, a TAB and a count";
    const std::string_view digits = line.substr(tab + 1);
    int64_t count = 0;
    const auto parsed = std::from_chars(digits.data(), digits.data() + digits.size(), count);
    if (digits.empty() || parsed.ec != std::errc() || parsed.ptr != digits.data() + digits.size() || count < 0 ||
        digits[0] == '-' || digits[0] == '+') {
      return where + "the count is not a whole number of 0 or more";
    }
    lines.push_back({line.substr(0, tab), count});
  }
  for (const Line& line : lines) {
    const auto [it, added] = index_.try_emplace(Folded(line.word), words_.size());
    if (added) words_.push_back({std::string(line.word), 0});
    Word& word = words_[it->second];
    if (word.count > INT64_MAX - line.count) return "the sum of the counts of '" + word.spelling + "' is too large";
    word.count += line.count;
  }
  return "";
}

std::string TableMerge::Text() const {
  std::string out;
  for (const Word& word : words_) {
    out += word.spelling;
    out += '\t';
    out += std::to_string(word.count);
    out += '\n';
  }
  return out;
}

}  // namespace lexiscoop
