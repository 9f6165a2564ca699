#pragma once

#include <string>
#include <string_view>

namespace lexiscoop {

// An inflected spelling stored relative to its headword (byte lengths).
//
// When the whole headword starts the spelling (with regard to case), the item
// is the rest of the spelling, empty for the headword itself. Otherwise it is
// the strip count in decimal (the headword's length minus that of the longest
// common prefix) followed by the spelling after that prefix:
// study/studied -> "1ied", go/went -> "2went".
std::string EncodeInflectionItem(std::string_view headword, std::string_view spelling);

// The spelling of `item` against `headword`; false for an empty item, which
// stands for no spelling. An item starting with 1-9 starts with a strip count
// (all of its leading digits; a count beyond the headword's length strips it
// all); any other item, one starting with 0 included, is appended whole. So a
// suffix starting with a digit comes back only when it starts with 0 and
// needs no strip count.
bool DecodeInflectionItem(std::string_view headword, std::string_view item, std::string& spelling);

// True when the item of `spelling` decodes back to `spelling` (an empty item
// counting as the headword itself): false for a suffix that starts with a
// digit the decoder would take for a strip count.
bool InflectionItemRoundTrips(std::string_view headword, std::string_view spelling);

}  // namespace lexiscoop
