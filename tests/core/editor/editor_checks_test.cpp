#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/dictionary/DictionaryFixture.h"
#include "editor/EditorChecks.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

using testing_support::DictionaryTest;
using testing_support::Lines;
using testing_support::WriteList;

TEST(IsValidHeadwordTest, AcceptsLettersHyphensAndApostrophesOnly) {
  for (const char* good : {"a", "Z", "cat", "Japan", "o'clock", "well-known", "'tis", "-", "'", "ABCxyz"}) {
    EXPECT_TRUE(IsValidHeadword(good)) << good;
  }
  const std::string bad[] = {
      "",
      "ice cream",                      // blank inside
      "mp3",                            // digit
      "cat.",                           // punctuation
      "caf\xe9",                        // a single byte above 0x7f
      Cp932FromUtf8("ｃａｔ"),            // double-byte letters
      Cp932FromUtf8("猫"),
      "cat\t",
      std::string("c\0t", 3),
      "`", "@", "[", "{",               // the neighbours of the letter ranges
  };
  for (const std::string& text : bad) EXPECT_FALSE(IsValidHeadword(text)) << text;
}

TEST(NormalizeLinesTest, TrimsDropsEmptyLinesSortsAndEndsEachLineWithCrLf) {
  const struct {
    std::string text;
    std::string normalized;
  } cases[] = {
      {"", ""},
      {"\r\n\r\n  \n", ""},
      {"went", "went\r\n"},
      {"went\r\ngoes\rgoing\ngone", "goes\r\ngoing\r\ngone\r\nwent\r\n"},
      {"  studies \r\n\tstudied\r\n", "studied\r\nstudies\r\n"},
      {"b c, d\r\na", "a\r\nb c, d\r\n"},      // a line is kept whole
      {"Went\r\nwent\r\nWENT", "went\r\nWent\r\nWENT\r\n"},
      {std::string("b\r\na\0c\r\n", 8), "a\r\nb\r\n"},  // a zero byte ends the text
  };
  for (const auto& c : cases) EXPECT_EQ(NormalizeLines(c.text), c.normalized) << c.text;
}

TEST(NormalizeLinesTest, GivesTheSameTextForTheSameLinesInAnyOrder) {
  EXPECT_EQ(NormalizeLines("Cats\ncats\nCATS\n"), NormalizeLines("CATS\r\ncats\r\nCats"));
  EXPECT_EQ(NormalizeLines("x-ray\nxray\nx'ray"), NormalizeLines("x'ray\nxray\nx-ray"));
}

// A lexicon in file order, as a reload builds it; the spellings "left" and
// "saw" belong to two headwords each.
class LookupTest : public DictionaryTest {
 protected:
  void SetUp() override {
    DictionaryTest::SetUp();
    TStringList lines;
    for (const char* line : {"leave\ts,1ing,3ft", "left\t", "See\ts,n,3saw", "saw\ts,ed,ing,n", "May\t",
                             "may\t", "go\tes,ing,ne,2went"}) {
      lines.Add(line);
    }
    dictionary_.LoadDictionaryLines(lines);
  }
  const Lexicon& Words() { return *dictionary_.CurrentLexicon(); }
};

TEST_F(LookupTest, FindHeadwordScansInFileOrderIgnoringLetterCase) {
  const struct {
    const char* text;
    int row;
  } cases[] = {
      {"leave", 0}, {"LEAVE", 0}, {"Left", 1}, {"see", 2}, {"may", 4}, {"MAY", 4},
      {"went", -1},  // a spelling, not a headword
      {"lea", -1},   {"", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(FindHeadword(Words(), c.text), c.row) << c.text;
}

TEST_F(LookupTest, FindSpellingGivesTheHeadwordTheSpellingResolvesTo) {
  const struct {
    const char* text;
    int headword;
  } cases[] = {
      {"went", 6}, {"WENT", 6}, {"leaving", 0}, {"seen", 2},
      {"left", 0},  // leave has inflected spellings, the bare headword left has none
      {"saw", 3},   // the spelling's own headword, in either line order
      {"sawn", 3},  {"seeing", -1}, {"", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(FindSpelling(Words(), c.text), c.headword) << c.text;
}

TEST_F(LookupTest, LookupsNeverFoldTheTrailByteOfADoubleByteCharacter) {
  // ア is 0x83 0x41 ("A" as its trail byte), ヂ is 0x83 0x61 ("a").
  TStringList lines;
  lines.Add(Cp932FromUtf8("ア") + "\t");
  dictionary_.LoadDictionaryLines(lines);
  ASSERT_EQ(Cp932FromUtf8("ヂ"), "\x83\x61");
  EXPECT_EQ(FindHeadword(Words(), Cp932FromUtf8("ア")), 0);
  EXPECT_EQ(FindHeadword(Words(), Cp932FromUtf8("ヂ")), -1);
  EXPECT_EQ(FindSpelling(Words(), Cp932FromUtf8("ヂ")), -1);
}

TEST_F(LookupTest, InflectionLinesAreTheOtherSpellingsInTextOrder) {
  EXPECT_EQ(InflectionLines(Words(), 6, "go"), (Lines{"goes", "going", "gone", "went"}));
  EXPECT_EQ(InflectionLines(Words(), 0, "leave"), (Lines{"leaves", "leaving", "left"}));
  EXPECT_EQ(InflectionLines(Words(), 1, "left"), Lines{});
  // Only a byte-for-byte equal entry is the headword itself.
  EXPECT_EQ(InflectionLines(Words(), 2, "See"), (Lines{"saw", "Seen", "Sees"}));
  EXPECT_EQ(InflectionLines(Words(), 2, "see"), (Lines{"saw", "See", "Seen", "Sees"}));
}

class RowLevelsTest : public DictionaryTest {};

TEST_F(RowLevelsTest, TakesTheFirstLevelListThatHoldsTheHeadword) {
  WriteShippedDictionary({"zoo\ts", "go\tes,ing,ne,2went", "Run\tning,s,2an", "kiwi\ts", "ice\t"});
  WriteList(LevelFile("LXBasics.dat"), {"go", "run"});
  WriteList(LevelFile("LXJunior.dat"), {"GO", "Zoo", "KIWI"});
  WriteList(LevelFile("LXGeneral.dat"), {"ice", "zoo", "kiw"});
  Loaded();
  EXPECT_EQ(BuildRowLevels(dictionary_), (std::vector<uint8_t>{2, 1, 1, 2, 4}));
}

TEST_F(RowLevelsTest, AgreesWithLevelOfForEveryShippedHeadword) {
  const std::string shipped = LEXISCOOP_SHIPPED_DATA_DIR;
  ConjugationDictionary dictionary(shipped, shipped);
  dictionary.ReloadDictionary(false);
  const std::vector<Headword>& headwords = dictionary.CurrentLexicon()->Headwords();
  ASSERT_GT(headwords.size(), 10000u);
  const std::vector<uint8_t> levels = BuildRowLevels(dictionary);
  ASSERT_EQ(levels.size(), headwords.size());
  int listed = 0;
  for (size_t i = 0; i < headwords.size(); ++i) {
    ASSERT_EQ(levels[i], dictionary.LevelOf(headwords[i].spelling)) << i;
    listed += levels[static_cast<size_t>(i)] != 0;
  }
  EXPECT_GT(listed, 1000);
}

TEST_F(RowLevelsTest, IsEmptyForAnEmptyDictionary) {
  EXPECT_TRUE(BuildRowLevels(dictionary_).empty());
}

TEST(EditorChecksTest, UnstorableSpellingIsTheFirstThatWouldReadBackAsAnother) {
  const struct {
    const char* headword;
    const char* spellings;
    const char* unstorable;
  } cases[] = {
      {"go", "goes went gone", ""},
      {"go", "go", ""},          // the headword itself: an empty item
      {"go", "go0", ""},         // 0 is read back as it is
      {"go", "go2", "go2"},      // "2" would strip two letters
      {"go", "goes,go10x", "go10x"},
      {"abc", "ab1", "ab1"},     // "11" after the strip count
      {"abc", "ab0", "ab0"},     // "10": a strip count of ten
      {"study", "studied 1st", "1st"},
      {"x", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UnstorableSpelling(c.headword, c.spellings), c.unstorable) << c.headword << ": " << c.spellings;
  }
}

}  // namespace
}  // namespace lexiscoop
