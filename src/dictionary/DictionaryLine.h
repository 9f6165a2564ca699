#pragma once

#include <string_view>

namespace lexiscoop {

// The headword of a dictionary line: the text before its first tab; a line
// without a tab has none.
inline std::string_view LineHeadword(std::string_view line, bool& hasTab) {
  const size_t tab = line.find('\t');
  hasTab = tab != std::string_view::npos;
  return hasTab ? line.substr(0, tab) : std::string_view();
}

}  // namespace lexiscoop
