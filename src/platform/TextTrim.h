#pragma once

#include <string_view>

namespace lexiscoop {

// `text` without the bytes at or below 0x20 (blanks, tabs, line breaks and
// other control bytes) at either end. No such byte is ever the trail byte of
// a double-byte character, so CP932 text stays whole.
std::string_view TrimBlanks(std::string_view text);

// `text` without spaces and tabs at either end, as a profile (ini) file trims
// its keys, values and section names.
std::string_view TrimSpacesAndTabs(std::string_view text);

}  // namespace lexiscoop
