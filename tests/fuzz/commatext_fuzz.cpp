// Feeds arbitrary dictionary lines to the comma-text reader and the
// inflection-item codec: the text before the first tab is the headword, the
// rest the inflection field. Checks that written comma text reads back (one
// item fewer when a longer list ends in an empty item) and that every
// spelling the item encoding can carry comes back from its item.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/CommaText.h"
#include "dictionary/InflectionItem.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether DecodeInflectionItem gives `spelling` back from its item: not for
// the headword itself (empty item) nor for a suffix that starts with a digit
// where it would be read as (part of) a strip count.
bool ItemCarries(std::string_view headword, std::string_view spelling, std::string_view item) {
  if (item.empty()) return false;
  size_t common = 0;
  while (common < headword.size() && common < spelling.size() && headword[common] == spelling[common]) ++common;
  const std::string_view rest = spelling.substr(common);
  if (common == headword.size()) return !(IsDigit(rest.empty() ? 'x' : rest[0]) && rest[0] != '0');
  return rest.empty() || !IsDigit(rest[0]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lexiscoop;
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const size_t tab = line.find('\t');
  const std::string_view headword = tab == std::string_view::npos ? std::string_view() : line.substr(0, tab);
  const std::string_view field = tab == std::string_view::npos ? line : line.substr(tab + 1);

  const std::vector<std::string> items = ReadCommaText(field);
  std::vector<std::string> back = ReadCommaText(WriteCommaText(items));
  std::vector<std::string> expected = items;
  if (expected.size() > 1 && expected.back().empty()) expected.pop_back();
  if (back != expected) std::abort();

  std::string spelling;
  for (const std::string& item : items) {
    if (DecodeInflectionItem(headword, item, spelling) == item.empty()) std::abort();
    // Every item also serves as a spelling to encode.
    const std::string encoded = EncodeInflectionItem(headword, item);
    if (ItemCarries(headword, item, encoded)) {
      if (!DecodeInflectionItem(headword, encoded, spelling) || spelling != item) std::abort();
    }
  }
  return 0;
}
