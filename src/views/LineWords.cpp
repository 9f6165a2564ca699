#include "views/LineWords.h"

#include "analysis/NormalizeWord.h"
#include "analysis/ParserDB.h"
#include "analysis/henkanJ.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

constexpr bool IsLatinLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The folded first byte of the double-byte character at `p`, which must have
// its trail byte inside the line.
unsigned char FoldedPair(const char* p) {
  const char pair[3] = {p[0], p[1], 0};
  return ReadFoldedChar(pair).byte;
}

}  // namespace

bool LineWordScanner::Next(LineWord& out) {
  const char* const data = line_.data();
  const size_t n = line_.size();
  while (pos_ < n) {
    const auto b = static_cast<unsigned char>(data[pos_]);
    const bool lead = IsLeadByte(b);
    if (lead && pos_ + 1 >= n) return false;  // a lone lead byte ends the line
    const bool starts = lead ? IsLatinLetter(FoldedPair(data + pos_)) : IsLatinLetter(b);
    if (!starts) {
      pos_ += lead ? 2 : 1;
      continue;
    }
    const size_t start = pos_;
    bool hasLead = lead;
    pos_ += lead ? 2 : 1;
    while (pos_ < n) {
      const auto c = static_cast<unsigned char>(data[pos_]);
      if (WordCharSet[c]) {
        ++pos_;
      } else if (IsLeadByte(c) && pos_ + 1 < n && WordCharSet[FoldedPair(data + pos_)]) {
        hasLead = true;
        pos_ += 2;
      } else {
        break;
      }
    }
    std::string_view raw = line_.substr(start, pos_ - start);
    if (hasLead) {
      folded_.clear();
      AppendHalfWidth(raw, folded_);
      raw = folded_;
    }
    const std::string_view word = NormalizeWord(raw);
    if (word.empty()) continue;
    out = LineWord{static_cast<uint32_t>(start), static_cast<uint32_t>(pos_ - start), word};
    return true;
  }
  return false;
}

}  // namespace lexiscoop
