#include "dictionary/InflectionItem.h"

namespace lexiscoop {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string EncodeInflectionItem(std::string_view headword, std::string_view spelling) {
  size_t common = 0;
  while (common < headword.size() && common < spelling.size() && headword[common] == spelling[common]) {
    ++common;
  }
  if (common == headword.size()) return std::string(spelling.substr(common));
  return std::to_string(headword.size() - common) + std::string(spelling.substr(common));
}

bool DecodeInflectionItem(std::string_view headword, std::string_view item, std::string& spelling) {
  spelling.clear();
  if (item.empty()) return false;
  if (item[0] < '1' || item[0] > '9') {
    spelling.reserve(headword.size() + item.size());
    spelling.append(headword).append(item);
    return true;
  }
  size_t digits = 0;
  size_t strip = 0;
  while (digits < item.size() && IsDigit(item[digits])) {
    // Saturates: any count at or beyond the headword's length strips it all.
    if (strip <= headword.size()) strip = strip * 10 + static_cast<size_t>(item[digits] - '0');
    ++digits;
  }
  const size_t kept = strip >= headword.size() ? 0 : headword.size() - strip;
  spelling.reserve(kept + item.size() - digits);
  spelling.append(headword.substr(0, kept)).append(item.substr(digits));
  return true;
}

bool InflectionItemRoundTrips(std::string_view headword, std::string_view spelling) {
  std::string decoded;
  if (!DecodeInflectionItem(headword, EncodeInflectionItem(headword, spelling), decoded)) decoded = headword;
  return decoded == spelling;
}

}  // namespace lexiscoop
