// A text converted to CP932 keeps its accented words whole: Latin letters
// with diacritics become their base letters, never «?».
#include <gtest/gtest.h>

#include <string>

#include "platform/Cp932.h"
#include "platform/InputEncoding.h"

namespace lexiscoop {
namespace {

std::string Utf16Le(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

TEST(LatinFoldingTest, AccentedLettersBecomeTheirBaseLetters) {
  const struct {
    std::string utf8;
    std::string cp932;  // as UTF-8 for reading
  } rows[] = {
      {"café, crème, résumé, naïve", "cafe, creme, resume, naive"},
      {"Æsir, Straße, œuvre, Øresund", "AEsir, Strasse, oeuvre, Oresund"},
      {"ﬁnal ﬂow, ﬀ ﬃ ﬄ ﬆ", "final flow, ff ffi ffl st"},
      {"Ångström, Dvořák, Łódź, Việt Nam", "Angstrom, Dvorak, Lodz, Viet Nam"},
      {"Þór, ðe, ħ, ı", "Thor, de, h, i"},
      // Combining marks belong to the letter before them.
      {"cafe\u0301 and nai\u0308ve", "cafe and naive"},
      // What CP932 holds stays; what is no Latin letter is still «?».
      {"3 × 4 ÷ 2 ±1 αβ Жж 日本", "3 × 4 ÷ 2 ±1 αβ Жж 日本"},
      {"x \u05D0 y \u0E01 z \U0001F600", "x ? y ? z ?"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.utf8);
    EXPECT_EQ(Utf8FromCp932(TextToCp932(row.utf8)), row.cp932);
    EXPECT_EQ(Utf8FromCp932(Cp932FromUtf8Text(row.utf8)), row.cp932);
    std::u16string wide;
    for (size_t i = 0; i < row.utf8.size();) {
      // UTF-8 to UTF-16 for the rows' characters (none outside the BMP but one).
      const auto b = static_cast<unsigned char>(row.utf8[i]);
      const size_t n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
      char32_t c = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
      for (size_t k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(row.utf8[i + k]) & 0x3F);
      if (c >= 0x10000) {
        wide += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        wide += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
      } else {
        wide += static_cast<char16_t>(c);
      }
      i += n;
    }
    EXPECT_EQ(Utf8FromCp932(TextToCp932(Utf16Le(wide))), row.cp932);
  }
  // The plain conversion, for names and the dictionary's lists, stays exact.
  EXPECT_EQ(Cp932FromUtf8("café"), "caf?");
}

}  // namespace
}  // namespace lexiscoop
