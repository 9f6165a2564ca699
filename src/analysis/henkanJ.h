#pragma once

// The width converter: folds full-width (double-byte) Latin letters, digits
// and punctuation of a CP932 text to their single-byte forms and full-width
// kana to half-width katakana.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lexiscoop {

// Full-width punctuation (CP932 codes); entry k folds to entry k of
// HalfWidthPunctuation.
inline constexpr std::array<uint16_t, 39> FullWidthPunctuation = {
    0x8140, 0x8149, 0x8168, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166,
    0x8169, 0x816A, 0x8181, 0x8165, 0x8162, 0x817C, 0x814F, 0x818F,
    0x8150, 0x816F, 0x8197, 0x816D, 0x817B, 0x8196, 0x8170, 0x8147,
    0x8146, 0x816E, 0x8183, 0x8184, 0x8148, 0x8151, 0x8141, 0x8142,
    0x8145, 0x8143, 0x8144, 0x815E, 0x815B, 0x8175, 0x8176};

// The single bytes the entries of FullWidthPunctuation fold to.
inline constexpr std::array<unsigned char, 39> HalfWidthPunctuation = {
    ' ', '!', '"', '#', '$', '%', '&', '\'', '(', ')', '=', '`', '|',
    '-', '^', '\\', '~', '{', '@', '[', '+', '*', '}', ';', ':', ']',
    '<', '>', '?', '_', 0xA4, 0xA1, 0xA5, ',', '.', '/', 0xB0, 0xA2, 0xA3};

// One byte v per cell 0x21-0x76 of the JIS X 0208 kana rows (0x24 hiragana,
// 0x25 katakana): the half-width katakana 0xA6 + v % 56, followed by the
// voiced mark 0xDE when v / 56 is 1 or the semi-voiced mark 0xDF when it is 2.
inline constexpr std::array<unsigned char, 86> KanaFoldTable = {
    1,  11, 2,  12, 3,  13, 4,  14, 5,  15, 16, 72,  17,  73, 18,  74,  19, 75,
    20, 76, 21, 77, 22, 78, 23, 79, 24, 80, 25, 81,  26,  82, 27,  83,  9,  28,
    84, 29, 85, 30, 86, 31, 32, 33, 34, 35, 36, 92,  148, 37, 93,  149, 38, 94,
    150, 39, 95, 151, 40, 96, 152, 41, 42, 43, 44, 45, 6,  46, 7,  47,  8,  48,
    49, 50, 51, 52, 53, 54, 54, 12, 14, 0,  55, 69,  16,  19};

// Converts a 16-bit Shift-JIS code (lead byte high) to its JIS X 0208 code
// (row byte high, cell byte low). Defined for every input; meaningful for
// valid double-byte codes.
uint16_t SjisToJis(uint16_t code);

// Folds `text` to half width: kana to half-width katakana (with a voiced or
// semi-voiced mark where needed), the punctuation of FullWidthPunctuation to
// its single byte, full-width digits and letters (JIS row 0x23) to ASCII;
// every other double-byte character stays as it is. A lead byte that is the
// last byte of `text` comes out alone. Reads nothing outside `text`.
std::string ToHalfWidth(std::string_view text);

// ToHalfWidth, appending to `out` (no allocation once `out` is large enough).
void AppendHalfWidth(std::string_view text, std::string& out);

// One character read at a position: its first folded byte and its length.
struct FoldedChar {
  unsigned char byte;
  int length;  // 1 or 2
};

// Reads the character at `p`, which points into a zero-terminated byte
// sequence. A single byte reads as itself (length 1). A lead byte reads with
// length 2: as 0 when the next byte is 0, else as the first byte of the pair
// folded by ToHalfWidth. Reads p[1] only when p[0] is a lead byte.
FoldedChar ReadFoldedChar(const char* p);

}  // namespace lexiscoop
