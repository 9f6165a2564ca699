#pragma once

#include <cstdint>
#include <string_view>

namespace lexiscoop {

// True when `bytes` is well-formed CP932: single bytes 0x00-0x7F and
// 0xA1-0xDF (half-width katakana), and lead bytes (0x81-0x9F, 0xE0-0xFC)
// each followed by a trail byte (0x40-0x7E, 0x80-0xFC).
bool IsWellFormedCp932(std::string_view bytes);

// How plausible the two readings of a text are that is well-formed both as
// UTF-8 and as CP932 (a pair of half-width katakana such as «ﾃｨ», C3 A8, is
// also «è»). Each character of a reading adds or takes points: for UTF-8,
// accented Latin letters inside ASCII words, typographic quotes, dashes, the
// ellipsis, the no-break space and Japanese characters count for it, C1
// control characters, code points Unicode leaves unassigned and letters of
// scripts an English text for Japanese readers does not hold (Hebrew,
// Arabic, Thai, Hangul…) against it; for CP932, kana, kanji and the full-width
// symbols count for it, half-width katakana standing apart from ASCII
// letters count a little for it and glued to them against it, and codes that
// CP932 leaves unassigned or to the user count against it.
struct EncodingPlausibility {
  int64_t utf8 = 0;
  int64_t cp932 = 0;
};

// Scores both readings of `bytes`, which must be well-formed UTF-8 and
// well-formed CP932.
EncodingPlausibility ScoreReadings(std::string_view bytes);

}  // namespace lexiscoop
