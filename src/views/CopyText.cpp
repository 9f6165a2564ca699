#include "views/CopyText.h"

#include <algorithm>
#include <string_view>

#include "platform/Cp932.h"
#include "platform/TextTrim.h"

namespace lexiscoop {
namespace {

// The last `n` characters of CP932 text (a double-byte character is one).
std::string_view LastCharacters(std::string_view s, size_t n) {
  std::vector<size_t> starts;
  starts.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    starts.push_back(i);
    if (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ++i;
  }
  if (starts.size() <= n) return s;
  return s.substr(starts[starts.size() - n]);
}

}  // namespace

std::string CopySelectedWords(const ShownWordList& shown, std::vector<int> selectedRows,
                              bool withCounts) {
  std::sort(selectedRows.begin(), selectedRows.end());
  selectedRows.erase(std::unique(selectedRows.begin(), selectedRows.end()), selectedRows.end());
  std::string text;
  for (int row : selectedRows) {
    if (shown.PositionOfRow(row) < 0) continue;
    text += shown.WordOfRow(row);
    if (withCounts) {
      text += '\t';
      text += std::to_string(shown.CountOfRow(row));
    }
    text += "\r\n";
  }
  return text;
}

std::string CopyPercentColumn(const std::vector<std::string>& reportLines) {
  std::string text;
  for (size_t i = 0; i < reportLines.size(); ++i) {
    const std::string& line = reportLines[i];
    if (i > 0) {
      // '%' (0x25) is never the trail byte of a double-byte character.
      const size_t percent = line.find('%');
      if (percent != std::string::npos) {
        text += TrimBlanks(LastCharacters(TrimBlanks(std::string_view(line).substr(0, percent)), 3));
      }
    } else {
      text += line;
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace lexiscoop
