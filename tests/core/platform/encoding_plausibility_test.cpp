// Texts that are well-formed both as UTF-8 and as CP932: half-width katakana
// in Shift-JIS must pass byte for byte, accented letters and typographic
// punctuation in UTF-8 must be converted.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/Cp932.h"
#include "platform/EncodingPlausibility.h"
#include "platform/InputEncoding.h"

namespace lexiscoop {
namespace {

// A plain UTF-8 well-formedness check, independent of the detector's.
bool IsUtf8(const std::string& s) {
  size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    size_t length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || (length == 2 && b < 0xC2) || i + length > s.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

bool HasNonAscii(const std::string& s) {
  for (const char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

std::string Pick(std::mt19937& random, const std::vector<std::string>& from) { return from[random() % from.size()]; }

// Shift-JIS: English words, and half-width katakana words that stand apart
// from them (after a blank, a bracket or a Japanese character). The katakana
// include pairs that are UTF-8 too: ﾃｨ (è), ﾃｧ (ç), ﾂｱ (±), ﾃｳ (ó), ﾅｳ (ӳ);
// with `onlyPairs` they are the only ones, so the text is UTF-8 as well.
// With `kanji`, kanji and kana are mixed in.
std::string ShiftJisText(std::mt19937& random, bool onlyPairs, bool kanji) {
  static const std::vector<std::string> english = {"the", "tea", "party", "is", "at", "Tokyo", "9:00", "(new)",
                                                   "OK", "menu", "coffee", "-", ",", "."};
  static const std::vector<std::string> pairs = {Cp932FromUtf8("ﾃｨ"), Cp932FromUtf8("ﾃｧ"), Cp932FromUtf8("ﾂｱ"),
                                                 Cp932FromUtf8("ﾃｳ"), Cp932FromUtf8("ﾃｨﾃｨ"), Cp932FromUtf8("ﾅｳﾃｨ")};
  static const std::vector<std::string> katakana = {Cp932FromUtf8("ﾃｨｰ"), Cp932FromUtf8("ｶﾀｶﾅ"),
                                                    Cp932FromUtf8("ﾒﾆｭｰ"), Cp932FromUtf8("ﾃｽﾄ")};
  static const std::vector<std::string> japanese = {Cp932FromUtf8("日本語"), Cp932FromUtf8("です。"),
                                                    Cp932FromUtf8("紅茶"), Cp932FromUtf8("「会議」"),
                                                    Cp932FromUtf8("カタカナ"), Cp932FromUtf8("、")};
  std::string text;
  const size_t pieces = 5 + random() % 60;
  for (size_t i = 0; i < pieces; ++i) {
    const unsigned kind = random() % 3;
    if (kind == 0) {
      text += Pick(random, english);
      text += random() % 4 == 0 ? "\r\n" : " ";
    } else if (kind == 1) {
      text += Pick(random, onlyPairs || random() % 2 == 0 ? pairs : katakana);
      text += random() % 3 == 0 ? "\r\n" : random() % 2 == 0 ? " " : ") ";
    } else if (kanji) {
      text += Pick(random, japanese);
    }
  }
  return text;
}

// UTF-8: English with accented letters inside words and typographic
// punctuation, now and then a Japanese word. With `cp932Too`, only the
// pieces whose bytes are well-formed CP932 as well.
std::string Utf8Text(std::mt19937& random, bool cp932Too) {
  static const std::vector<std::string> words = {
      "café", "naïve", "résumé", "über", "Zoë", "jalapeño", "fiancée", "coöperate", "don’t", "it’s",
      "the", "menu", "was", "good", "Straße", "piñata", "“quoted", "façade", "déjà", "vu", "‘single’", "and"};
  static const std::vector<std::string> between = {" ", ", ", "… ", ".\r\n", " — ", " – ", "\u00A0", " 日本語 "};
  std::string text;
  const size_t pieces = 1 + random() % 40;
  for (size_t i = 0; i < pieces; ++i) {
    text += Pick(random, words);
    text += between[random() % (cp932Too ? 4 : between.size())];
  }
  return text;
}

TEST(EncodingPlausibilityTest, ShiftJisWithHalfWidthKatakanaPassesByteForByte) {
  std::mt19937 random(17);
  int alsoUtf8 = 0;
  for (int round = 0; round < 400; ++round) {
    const std::string text = ShiftJisText(random, round % 2 == 0, round % 3 == 1);
    ASSERT_TRUE(IsWellFormedCp932(text));
    if (IsUtf8(text) && HasNonAscii(text)) ++alsoUtf8;
    EXPECT_EQ(DetectTextEncoding(text), TextEncoding::Cp932) << Utf8FromCp932(text);
    EXPECT_EQ(TextToCp932(text), text);
  }
  // Enough of them are valid UTF-8 as well for the test to mean something.
  EXPECT_GT(alsoUtf8, 100);
}

TEST(EncodingPlausibilityTest, Utf8WithAccentsAndTypographicPunctuationIsConverted) {
  std::mt19937 random(18);
  int alsoCp932 = 0;
  for (int round = 0; round < 400; ++round) {
    const std::string text = Utf8Text(random, round % 2 == 0);
    ASSERT_TRUE(IsUtf8(text));
    if (IsWellFormedCp932(text)) ++alsoCp932;
    // Plain ASCII is the same either way.
    EXPECT_EQ(DetectTextEncoding(text), HasNonAscii(text) ? TextEncoding::Utf8 : TextEncoding::Cp932) << text;
    EXPECT_EQ(TextToCp932(text), Cp932FromUtf8Text(text));
  }
  EXPECT_GT(alsoCp932, 40);
}

TEST(EncodingPlausibilityTest, DecidesTheCasesOfBothReadings) {
  struct Row {
    const char* name;
    std::string bytes;
    TextEncoding encoding;
  };
  const Row rows[] = {
      // The bytes C3 A8 are «è» glued to English letters, or «ﾃｨ» standing alone.
      {"è inside a word", "caf\xC3\xA8 au lait", TextEncoding::Utf8},
      {"ﾃｨ standing alone", "\xC3\xA8 \xC3\xA8", TextEncoding::Cp932},
      {"ﾃｨ on a line of its own", "tea\r\n\xC3\xA8\r\n", TextEncoding::Cp932},
      {"curly apostrophe", "don\xE2\x80\x99t", TextEncoding::Utf8},
      {"curly quotes", "\xE2\x80\x9CHi\xE2\x80\x9D", TextEncoding::Utf8},
      {"ellipsis", "and so\xE2\x80\xA6", TextEncoding::Utf8},
      {"Japanese in UTF-8", "Hello \xE3\x81\x82\xE3\x81\x84", TextEncoding::Utf8},
      {"\u00B1 or \uFF82\uFF71 standing alone", "\xC2\xB1 \xC2\xB1", TextEncoding::Cp932},
      {"a C1 control in UTF-8", "\xC2\x85@", TextEncoding::Cp932},
      // Unassigned code points and letters of scripts such a text does not
      // hold speak against UTF-8: «xﾗｺ» is not «x» + U+05FA.
      {"x and an unassigned code point", "x\xD7\xBA", TextEncoding::Cp932},
      {"a Hebrew letter glued to English", "x\xD7\xA1y", TextEncoding::Cp932},
      {"an Arabic letter glued to English", "ab\xD8\xB9", TextEncoding::Cp932},
      {"a Latin letter with a dot below", "Vi\xE1\xBB\x87t", TextEncoding::Utf8},
      // Not well-formed CP932 (a lone 0x80 byte): UTF-8 whatever it scores.
      {"not CP932", "\xC3\xA8 \xC2\x80", TextEncoding::Utf8},
      // Not well-formed UTF-8: CP932 whatever it scores.
      {"not UTF-8", "caf\xC3\xA8\xA8", TextEncoding::Cp932},
  };
  for (const Row& row : rows) EXPECT_EQ(DetectTextEncoding(row.bytes), row.encoding) << row.name;
}

TEST(EncodingPlausibilityTest, WellFormedCp932) {
  const struct {
    std::string bytes;
    bool wellFormed;
  } rows[] = {
      {"", true},          {"abc", true},         {"\x82\xA0", true},   {"\xB1\xB2", true},
      {"\x82", false},     {"\x82\x20", false},   {"\x80", false},      {"\xA0", false},
      {"\xFD", false},     {"\xE0\x7F", false},   {"\xFC\xFC", true},   {"a\x81\x40z", true},
  };
  for (const auto& row : rows) EXPECT_EQ(IsWellFormedCp932(row.bytes), row.wellFormed) << row.bytes;
}

}  // namespace
}  // namespace lexiscoop
