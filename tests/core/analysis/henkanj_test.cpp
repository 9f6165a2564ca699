#include "analysis/henkanJ.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

std::string Sjis(std::string_view utf8) { return Cp932FromUtf8(utf8); }

std::string Pair(unsigned lead, unsigned trail) {
  return {static_cast<char>(lead), static_cast<char>(trail)};
}

TEST(SjisToJisTest, MapsValidCodesToTheirJisCodes) {
  const struct {
    uint16_t sjis, jis;
  } rows[] = {
      {0x8140, 0x2121},  // ideographic space
      {0x819E, 0x217E},  // last cell of an odd row
      {0x819F, 0x2221},  // first cell of the following even row
      {0x824F, 0x2330},  // full-width 0
      {0x8260, 0x2341},  // full-width A
      {0x829A, 0x237A},  // full-width z
      {0x829F, 0x2421},  // small a (hiragana)
      {0x82F1, 0x2473},  // n (hiragana)
      {0x8340, 0x2521},  // small a (katakana)
      {0x837E, 0x255F},  // mi: the trail byte just below 0x7F
      {0x8380, 0x2560},  // mu: the trail byte just above 0x7F
      {0x8396, 0x2576},  // small ke
      {0x889F, 0x3021},  // first kanji of level 1
      {0x9FFC, 0x5E7E},
      {0xE040, 0x5F21},
      {0xEAA4, 0x7426},  // last kanji of level 2
  };
  for (const auto& row : rows) {
    EXPECT_EQ(SjisToJis(row.sjis), row.jis) << std::hex << row.sjis;
  }
}

// Cells 0x21 to 0x76 of the kana rows, in their half-width form.
const char* const kHalfWidthKana[86] = {
    "ｧ", "ｱ", "ｨ", "ｲ", "ｩ", "ｳ", "ｪ", "ｴ", "ｫ", "ｵ",
    "ｶ", "ｶﾞ", "ｷ", "ｷﾞ", "ｸ", "ｸﾞ", "ｹ", "ｹﾞ", "ｺ", "ｺﾞ",
    "ｻ", "ｻﾞ", "ｼ", "ｼﾞ", "ｽ", "ｽﾞ", "ｾ", "ｾﾞ", "ｿ", "ｿﾞ",
    "ﾀ", "ﾀﾞ", "ﾁ", "ﾁﾞ", "ｯ", "ﾂ", "ﾂﾞ", "ﾃ", "ﾃﾞ", "ﾄ", "ﾄﾞ",
    "ﾅ", "ﾆ", "ﾇ", "ﾈ", "ﾉ",
    "ﾊ", "ﾊﾞ", "ﾊﾟ", "ﾋ", "ﾋﾞ", "ﾋﾟ", "ﾌ", "ﾌﾞ", "ﾌﾟ", "ﾍ", "ﾍﾞ", "ﾍﾟ", "ﾎ", "ﾎﾞ", "ﾎﾟ",
    "ﾏ", "ﾐ", "ﾑ", "ﾒ", "ﾓ",
    "ｬ", "ﾔ", "ｭ", "ﾕ", "ｮ", "ﾖ",
    "ﾗ", "ﾘ", "ﾙ", "ﾚ", "ﾛ",
    "ﾜ", "ﾜ", "ｲ", "ｴ", "ｦ", "ﾝ",
    "ｳﾞ", "ｶ", "ｹ"};

// Splits a CP932 string of double-byte characters into its characters.
std::vector<std::string> Characters(const std::string& s) {
  std::vector<std::string> out;
  for (size_t i = 0; i + 1 < s.size(); i += 2) out.push_back(s.substr(i, 2));
  return out;
}

TEST(ToHalfWidthTest, FoldsEveryKatakana) {
  const auto katakana = Characters(Sjis(
      "ァアィイゥウェエォオカガキギクグケゲコゴサザシジスズセゼソゾタダチヂッツヅテデトド"
      "ナニヌネノハバパヒビピフブプヘベペホボポマミムメモャヤュユョヨラリルレロヮワヰヱヲン"
      "ヴヵヶ"));
  ASSERT_EQ(katakana.size(), 86u);
  for (size_t i = 0; i < katakana.size(); ++i) {
    EXPECT_EQ(ToHalfWidth(katakana[i]), Sjis(kHalfWidthKana[i])) << "cell " << 0x21 + i;
  }
}

TEST(ToHalfWidthTest, FoldsEveryHiragana) {
  const auto hiragana = Characters(Sjis(
      "ぁあぃいぅうぇえぉおかがきぎくぐけげこごさざしじすずせぜそぞただちぢっつづてでとど"
      "なにぬねのはばぱひびぴふぶぷへべぺほぼぽまみむめもゃやゅゆょよらりるれろゎわゐゑをん"));
  ASSERT_EQ(hiragana.size(), 83u);
  for (size_t i = 0; i < hiragana.size(); ++i) {
    EXPECT_EQ(ToHalfWidth(hiragana[i]), Sjis(kHalfWidthKana[i])) << "cell " << 0x21 + i;
  }
}

TEST(ToHalfWidthTest, FoldsEveryPunctuationEntry) {
  const struct {
    const char* fullWidth;
    const char* halfWidth;
  } rows[] = {
      {"\u3000", " "}, {"！", "!"}, {"”", "\""}, {"＃", "#"}, {"＄", "$"}, {"％", "%"},
      {"＆", "&"}, {"’", "'"}, {"（", "("}, {"）", ")"}, {"＝", "="}, {"‘", "`"},
      {"｜", "|"}, {"－", "-"}, {"＾", "^"}, {"￥", "\\"}, {"￣", "~"}, {"｛", "{"},
      {"＠", "@"}, {"［", "["}, {"＋", "+"}, {"＊", "*"}, {"｝", "}"}, {"；", ";"},
      {"：", ":"}, {"］", "]"}, {"＜", "<"}, {"＞", ">"}, {"？", "?"}, {"＿", "_"},
      {"、", "､"}, {"。", "｡"}, {"・", "･"}, {"，", ","}, {"．", "."}, {"／", "/"},
      {"ー", "ｰ"}, {"「", "｢"}, {"」", "｣"},
  };
  ASSERT_EQ(std::size(rows), FullWidthPunctuation.size());
  for (size_t k = 0; k < std::size(rows); ++k) {
    const std::string full = Sjis(rows[k].fullWidth);
    ASSERT_EQ(full.size(), 2u) << k;
    EXPECT_EQ((static_cast<unsigned char>(full[0]) << 8) | static_cast<unsigned char>(full[1]),
              FullWidthPunctuation[k]) << k;
    EXPECT_EQ(ToHalfWidth(full), Sjis(rows[k].halfWidth)) << k;
  }
  // The hyphen U+2010 (0x815D) folds like the full-width minus.
  EXPECT_EQ(ToHalfWidth(Pair(0x81, 0x5D)), "-");
}

TEST(ToHalfWidthTest, FoldsAllOfRow0x23ToItsCellByte) {
  // Including the codes that hold no character.
  for (unsigned trail = 0x40; trail <= 0x9E; ++trail) {
    const unsigned cell = trail <= 0x7F ? trail - 0x1F : trail - 0x20;
    EXPECT_EQ(ToHalfWidth(Pair(0x82, trail)), std::string(1, static_cast<char>(cell)))
        << std::hex << trail;
  }
  EXPECT_EQ(ToHalfWidth(Sjis("０１９ＡＢＺａｂｚ")), "019ABZabz");
}

TEST(ToHalfWidthTest, LeavesOtherTextAlone) {
  const struct {
    std::string in, out;
  } rows[] = {
      {"", ""},
      {"plain ASCII 123 -'_", "plain ASCII 123 -'_"},
      {Sjis("ｱｲｳ ｶﾞ"), Sjis("ｱｲｳ ｶﾞ")},                         // half-width katakana
      {Sjis("漢字αЖ─～〒"), Sjis("漢字αЖ─～〒")},  // kanji, Greek, Cyrillic, box, others
      {Sjis("ＡＢＣ　ｄｅｆ"), "ABC def"},
      {Sjis("Ｉ’ｍ"), "I'm"},
      {Sjis("co‐operate"), "co-operate"},
      {Sjis("ガパ漢Ａ"), Sjis("ｶﾞﾊﾟ漢A")},
  };
  for (const auto& row : rows) EXPECT_EQ(ToHalfWidth(row.in), row.out) << row.in;
}

TEST(ToHalfWidthTest, NeverReadsPastItsString) {
  const struct {
    std::string in, out;
  } rows[] = {
      // A lead byte that ends the string comes out alone.
      {"ab\x82", "ab\x82"},
      {"\x81", "\x81"},
      {Sjis("Ａ") + "\x83", "A\x83"},
      // Kana-row codes with an invalid trail byte (cell below 0x21) or beyond
      // the last kana cell stay as they are.
      {Pair(0x82, 0x20), Pair(0x82, 0x20)},
      {Pair(0x82, 0x3F), Pair(0x82, 0x3F)},
      {Pair(0x82, 0xFE), Pair(0x82, 0xFE)},
      {Pair(0x82, 0xF5), Pair(0x82, 0xF5)},
      {Pair(0x83, 0x97), Pair(0x83, 0x97)},
  };
  for (const auto& row : rows) {
    // An exact-size copy, so that a sanitizer sees any read past the end.
    const std::vector<char> bytes(row.in.begin(), row.in.end());
    EXPECT_EQ(ToHalfWidth(std::string_view(bytes.data(), bytes.size())), row.out);
  }
  // A view that cuts a character in two: only the view is read.
  const std::string text = Sjis("Ａ");
  EXPECT_EQ(ToHalfWidth(std::string_view(text.data(), 1)), text.substr(0, 1));
}

TEST(ToHalfWidthTest, AppendKeepsWhatIsThere) {
  std::string out = "x";
  AppendHalfWidth(Sjis("ｙ"), out);
  EXPECT_EQ(out, "xy");
}

TEST(ReadFoldedCharTest, ReadsOneCharacter) {
  const struct {
    std::string text;
    unsigned char byte;
    int length;
  } rows[] = {
      {"a", 'a', 1},
      {"-", '-', 1},
      {"\xB1", 0xB1, 1},  // half-width katakana: a single byte
      {Sjis("Ａ"), 'A', 2},
      {Sjis("ｚ"), 'z', 2},
      {Sjis("３"), '3', 2},
      {Sjis("’"), '\'', 2},
      {Sjis("－"), '-', 2},
      {Sjis("‐"), '-', 2},
      {Sjis("＿"), '_', 2},
      {Sjis("あ"), 0xB1, 2},
      {Sjis("ガ"), 0xB6, 2},
      {Sjis("漢"), 0x8A, 2},
      {"\x82", 0, 2},  // a lead byte before the terminator
      {std::string("\x82\0b", 3), 0, 2},
  };
  for (const auto& row : rows) {
    const FoldedChar folded = ReadFoldedChar(row.text.c_str());
    EXPECT_EQ(folded.byte, row.byte) << row.text;
    EXPECT_EQ(folded.length, row.length) << row.text;
  }
}

}  // namespace
}  // namespace lexiscoop
