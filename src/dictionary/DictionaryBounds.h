#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "analysis/StringList.h"

namespace lexiscoop {

// What no real dictionary holds: a file beyond these bounds is refused as
// damaged before its lines are decoded, and a change that would write such a
// line is refused.
inline constexpr size_t kMaxHeadwordBytes = 256;
inline constexpr size_t kMaxItemsPerLine = 1024;

// An upper bound of the number of inflection items of a line's field: the
// item separators (commas and bytes up to 0x20) plus one.
size_t ItemCountBound(std::string_view field);

// True when every line's headword and item count stay within the bounds
// above and the spellings that decoding all lines could produce, at most
// (items x headword length + line length per line), stay within a budget
// proportional to the text (sixteen times its size plus 64 MB).
bool WithinDictionaryBounds(std::span<const std::string_view> lines);
bool WithinDictionaryBounds(const TStringList& lines);

}  // namespace lexiscoop
