#include "views/ContextSearch.h"

#include <algorithm>

#include "platform/Cp932.h"
#include "views/LineWords.h"

namespace lexiscoop {
namespace {

// The offsets of the characters' starts in `text`: start[i] is true where a
// character begins (a trail byte is never a start).
std::vector<bool> CharacterStarts(std::string_view text) {
  std::vector<bool> starts(text.size() + 1, false);
  size_t i = 0;
  while (i < text.size()) {
    starts[i] = true;
    i += IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
  }
  starts[text.size()] = true;
  return starts;
}

std::string Untabbed(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c == '\t') c = ' ';
  }
  return out;
}

}  // namespace

size_t ContextSearch::FindMore(std::vector<ContextHit>& out, size_t maxHits, size_t maxLines) {
  size_t found = 0;
  size_t read = 0;
  const int count = lines_.LineCount();
  while (nextLine_ < count && found < maxHits && read < maxLines) {
    const int line = nextLine_++;
    ++read;
    LineWordScanner scanner(lines_.Line(line));
    LineWord word{};
    while (scanner.Next(word)) {
      if (matches_(word.word, uint64_t{lines_.LineStart(line)} + word.start)) {
        out.push_back(ContextHit{line, word.start, word.length});
        ++found;
      }
    }
  }
  return found;
}

ContextParts ContextPartsOf(std::string_view line, const ContextHit& hit, size_t width) {
  const std::vector<bool> starts = CharacterStarts(line);
  size_t leftBegin = hit.start > width ? hit.start - width : 0;
  while (!starts[leftBegin]) ++leftBegin;
  const size_t rightBegin = hit.start + hit.length;
  size_t rightEnd = std::min(line.size(), rightBegin + width);
  while (!starts[rightEnd]) --rightEnd;
  ContextParts parts;
  parts.left = Untabbed(line.substr(leftBegin, hit.start - leftBegin));
  parts.keyword = std::string(line.substr(hit.start, hit.length));
  parts.right = Untabbed(line.substr(rightBegin, rightEnd - rightBegin));
  return parts;
}

std::string ContextLineText(std::string_view line, const ContextHit& hit, size_t width) {
  const ContextParts parts = ContextPartsOf(line, hit, width);
  std::string number = std::to_string(hit.line + 1);
  std::string out;
  if (number.size() < 7) out.append(7 - number.size(), ' ');
  out += number;
  out += "  ";
  if (parts.left.size() < width) out.append(width - parts.left.size(), ' ');
  out += parts.left;
  out += ' ';
  out += parts.keyword;
  out += ' ';
  out += parts.right;
  return out;
}

}  // namespace lexiscoop
