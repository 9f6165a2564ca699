#include "platform/EncodingPlausibility.h"

#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

bool IsAsciiLetter(unsigned char b) { return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'); }

bool IsCp932Trail(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

bool IsHalfWidthKatakana(unsigned char b) { return b >= 0xA1 && b <= 0xDF; }

// True when the byte before `begin` or the byte at `end` is an ASCII letter
// (in UTF-8 a byte below 0x80 is always a character of its own).
bool GluedToAsciiLetter(std::string_view s, size_t begin, size_t end) {
  return (begin > 0 && IsAsciiLetter(static_cast<unsigned char>(s[begin - 1]))) ||
         (end < s.size() && IsAsciiLetter(static_cast<unsigned char>(s[end])));
}

// True for a code point that no English text for Japanese readers holds:
// one Unicode leaves unassigned among the Greek letters, a letter of a
// script from Armenian to the Vedic signs (Hebrew, Arabic, the Indic and
// South-East Asian scripts, Georgian, Hangul Jamo, Ethiopic…), Yi, Vai and
// the other scripts from U+A000 (the Latin and Cyrillic extensions there
// aside), Hangul syllables, the private use area and the noncharacters.
bool IsForeignOrUnassigned(char32_t c) {
  if (c == 0x378 || c == 0x379 || (c >= 0x380 && c <= 0x383) || c == 0x38B || c == 0x38D || c == 0x3A2) return true;
  if (c >= 0x530 && c <= 0x1CFF) return true;
  if ((c >= 0xA000 && c <= 0xA63F) || (c >= 0xA6A0 && c <= 0xA6FF) || (c >= 0xA800 && c <= 0xABFF)) return true;
  if (c >= 0xAC00 && c <= 0xF8FF) return true;  // Hangul, surrogates, private use
  return (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE;
}

// Points for one non-ASCII character of the UTF-8 reading, which spans
// bytes [begin, end) of `s`.
int Utf8CharPoints(char32_t c, std::string_view s, size_t begin, size_t end) {
  if (c >= 0x80 && c <= 0x9F) return -3;  // C1 controls
  if (IsForeignOrUnassigned(c)) return -6;
  if (c == 0xA0) return 2;                // no-break space
  if (c == 0xAB || c == 0xBB || c == 0xB0 || c == 0xA9 || c == 0xAE || c == 0xB7) return 1;
  if ((c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) || (c >= 0x1E00 && c <= 0x1EFF)) {
    // Accented Latin letters: café, naïve, Straße, Việt.
    return GluedToAsciiLetter(s, begin, end) ? 3 : 1;
  }
  // Dashes, quotes, «…», currency signs such as «€», «™», arrows, mathematical
  // and technical signs.
  if (c >= 0x2010 && c <= 0x2BFF) return 3;
  // Japanese: three bytes that the CP932 reading splits into one and a half
  // characters, each of which may score.
  if ((c >= 0x3000 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xFF00 && c <= 0xFFEF)) return 6;
  if (c >= 0x1F000) return 1;  // emoji and pictographs
  return 0;
}

int64_t Utf8Score(std::string_view s) {
  int64_t score = 0;
  size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    const size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
    char32_t c = length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
    for (size_t k = 1; k < length && i + k < s.size(); ++k) c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    score += Utf8CharPoints(c, s, i, i + length);
    i += length;
  }
  return score;
}

// Points for one double-byte character of the CP932 reading.
int Cp932PairPoints(unsigned code) {
  if ((code >= 0x829F && code <= 0x82F1) || (code >= 0x8340 && code <= 0x8396)) return 3;  // kana
  if ((code >= 0x8140 && code <= 0x81AC) || (code >= 0x824F && code <= 0x829A)) return 2;  // symbols, Ａ１
  if (code >= 0x889F && code <= 0x9872) return 2;                                        // common kanji
  if (code >= 0x989F && code <= 0xEAA4) return 1;                                        // other kanji
  if ((code >= 0x81B8 && code <= 0x81FC) || (code >= 0x839F && code <= 0x84BE) ||
      (code >= 0x8740 && code <= 0x879C) || (code >= 0xED40 && code <= 0xEEFC) ||
      (code >= 0xFA40 && code <= 0xFC4B)) {
    return 0;  // Greek, Cyrillic, box drawing, vendor symbols and kanji
  }
  return -3;  // unassigned, or the user-defined area
}

int64_t Cp932Score(std::string_view s) {
  int64_t score = 0;
  bool afterLetter = false;  // the previous character is an ASCII letter
  size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (IsLeadByte(b) && i + 1 < s.size()) {
      score += Cp932PairPoints(b << 8 | static_cast<unsigned char>(s[i + 1]));
      afterLetter = false;
      i += 2;
      continue;
    }
    if (IsHalfWidthKatakana(b)) {
      const bool glued = afterLetter || (i + 1 < s.size() && IsAsciiLetter(static_cast<unsigned char>(s[i + 1])));
      score += glued ? -2 : 1;
    }
    afterLetter = IsAsciiLetter(b);
    ++i;
  }
  return score;
}

}  // namespace

bool IsWellFormedCp932(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80 || IsHalfWidthKatakana(b)) {
      ++i;
    } else if (IsLeadByte(b)) {
      if (i + 1 >= bytes.size() || !IsCp932Trail(static_cast<unsigned char>(bytes[i + 1]))) return false;
      i += 2;
    } else {
      return false;  // 0x80, 0xA0, 0xFD-0xFF
    }
  }
  return true;
}

EncodingPlausibility ScoreReadings(std::string_view bytes) { return {Utf8Score(bytes), Cp932Score(bytes)}; }

}  // namespace lexiscoop
