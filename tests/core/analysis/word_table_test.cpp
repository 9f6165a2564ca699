#include <gtest/gtest.h>

#include <array>
#include <string>

#include "analysis/Analysis.h"
#include "analysis/StringList.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

std::string Sjis(const char* utf8) { return Cp932FromUtf8(utf8); }

TEST(WordTableTest, CountsCaseInsensitivelyKeepingTheFirstSpelling) {
  WordTable table;
  for (const char* w : {"The", "cat", "the", "THE", "Cat", "dog"}) table.CountWord(w);
  ASSERT_EQ(table.Count(), 3);
  EXPECT_EQ(table.Word(0), "The");
  EXPECT_EQ(table.Occurrences(0), 3);
  EXPECT_EQ(table.Word(1), "cat");
  EXPECT_EQ(table.Occurrences(1), 2);
  EXPECT_EQ(table.Word(2), "dog");
  EXPECT_EQ(table.IndexOf("DOG"), 2);
  EXPECT_EQ(table.IndexOf("do"), -1);
  EXPECT_EQ(table.SpellingBytes(), 9u);
  table.Clear();
  EXPECT_EQ(table.Count(), 0);
  EXPECT_EQ(table.IndexOf("the"), -1);
}

TEST(WordTableTest, HyphensAndApostrophesMakeDifferentWords) {
  WordTable table;
  for (const char* w : {"co-op", "coop", "o'clock", "oclock", "co-op"}) table.CountWord(w);
  EXPECT_EQ(table.Count(), 4);
  EXPECT_EQ(table.Occurrences(table.IndexOf("CO-OP")), 2);
}

TEST(WordTableTest, SurvivesManyDistinctWordsThroughRehashing) {
  WordTable table;
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < 50000; ++i) table.CountWord("w" + std::to_string(i));
  }
  ASSERT_EQ(table.Count(), 50000);
  for (int i = 0; i < 50000; i += 997) {
    const int index = table.IndexOf("W" + std::to_string(i));
    ASSERT_EQ(index, i);
    EXPECT_EQ(table.Occurrences(index), 2);
  }
}

// A tiny dictionary: headword list entries with their item counts, and an
// inflection index kept sorted with later lines first among equal spellings.
class ClassifyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    index_.SetDuplicates(Duplicates::Accept);
    index_.SetSorted(true);
  }
  // Adds a dictionary line: headword with its spellings (items = spellings).
  void AddLine(const std::string& headword, std::initializer_list<const char*> spellings) {
    const int h = headwords_.AddObject(headword, static_cast<int32_t>(spellings.size()));
    index_.AddObject(headword, h);
    for (const char* s : spellings) index_.AddObject(s, h);
  }
  void Level(TStringList& list, std::initializer_list<const char*> words) {
    list.SetSorted(true);
    for (const char* w : words) list.Add(w);
  }
  std::array<TStringList*, kListedLevelCount> Levels() { return {&basic_, &junior_, &university_, &general_}; }

  TStringList headwords_, index_, basic_, junior_, university_, general_;
};

TEST_F(ClassifyTest, ChoosesTheHeadwordWithInflectionsWhicheverLineComesFirst) {
  for (bool leaveFirst : {false, true}) {
    headwords_.Clear();
    index_.Clear();
    if (leaveFirst) AddLine("leave", {"leaves", "leaving", "left"});
    AddLine("left", {});
    if (!leaveFirst) AddLine("leave", {"leaves", "leaving", "left"});
    const int h = ChooseHeadwordForLevel("Left", index_, headwords_);
    ASSERT_GE(h, 0);
    EXPECT_EQ(headwords_[h], "leave") << "leave first: " << leaveFirst;
  }
}

TEST_F(ClassifyTest, NoCandidateWithItemsTakesTheLastCandidate) {
  AddLine("bass", {});
  AddLine("Bass", {});  // later line stands first in the run
  const int h = ChooseHeadwordForLevel("bass", index_, headwords_);
  EXPECT_EQ(headwords_[h], "bass");
  EXPECT_EQ(ChooseHeadwordForLevel("treble", index_, headwords_), -1);
}

TEST_F(ClassifyTest, CountsLevelsOtherAndNone) {
  AddLine("cat", {"cats"});
  AddLine("leave", {"leaves", "left"});
  AddLine("zebra", {"zebras"});
  Level(basic_, {"cat"});
  Level(junior_, {"leave", "cat"});  // cat reaches Basic first
  AnalysisResult result;
  // cat ×1, cats ×2, left ×1, zebras ×3, caat ×1
  for (const char* w : {"cat", "cats", "cats", "left", "zebras", "zebras", "zebras", "caat"}) {
    result.words.CountWord(w);
    ++result.tokenCount;
  }
  ClassifyWords(result, index_, headwords_, Levels());
  const auto& d = result.levelDistinct;
  const auto& o = result.levelOccurrences;
  EXPECT_EQ(d[0], 2);  // cat, cats
  EXPECT_EQ(o[0], 3);
  EXPECT_EQ(d[1], 1);  // left → leave
  EXPECT_EQ(o[1], 1);
  EXPECT_EQ(d[2] + d[3], 0);
  EXPECT_EQ(d[4], 1);  // zebras: in the dictionary, in no level list
  EXPECT_EQ(o[4], 3);
  EXPECT_EQ(d[5], 1);  // caat
  EXPECT_EQ(o[5], 1);
  EXPECT_EQ(basic_.Objects(basic_.IndexOf("cat")), 2);  // use count: cat and cats
  EXPECT_EQ(junior_.Objects(junior_.IndexOf("cat")), 0);
  EXPECT_EQ(junior_.Objects(junior_.IndexOf("leave")), 1);

  // A second classification starts the use counts from zero.
  ClassifyWords(result, index_, headwords_, Levels());
  EXPECT_EQ(basic_.Objects(basic_.IndexOf("cat")), 2);
  EXPECT_EQ(d[0] + d[1] + d[2] + d[3] + d[4] + d[5], result.words.Count());
}

TEST_F(ClassifyTest, EmptyDictionaryMakesEveryWordNone) {
  AnalysisResult result;
  result.words.CountWord("alpha");
  result.words.CountWord("beta");
  result.words.CountWord("alpha");
  ClassifyWords(result, index_, headwords_, {nullptr, nullptr, nullptr, nullptr});
  EXPECT_EQ(result.levelDistinct[LevelIndex(WordLevel::None)], 2);
  EXPECT_EQ(result.levelOccurrences[LevelIndex(WordLevel::None)], 3);
}

TEST(SummaryTextTest, FormatsCountsReadingTimeAndBytes) {
  AnalysisResult result;
  for (int i = 0; i < 250; ++i) result.words.CountWord("w" + std::to_string(i));
  result.tokenCount = 1000;
  EXPECT_EQ(SummaryText(result, 6000), Sjis("250 種 1,000 語 5min33sec(3 words per sec) / 6,000 ﾊﾞｲﾄ"));

  AnalysisResult empty;
  EXPECT_EQ(SummaryText(empty, 7), Sjis("0 種 0 語 0min0sec(3 words per sec) / 7 ﾊﾞｲﾄ"));
  EXPECT_EQ(ByteCountText(1234567), Sjis("1,234,567 ﾊﾞｲﾄ"));

  const std::pair<int, const char*> times[] = {{179, "0min59sec"}, {180, "1min0sec"}, {3600, "20min0sec"}};
  for (const auto& [tokens, text] : times) {
    empty.tokenCount = tokens;
    EXPECT_NE(SummaryText(empty, 0).find(text), std::string::npos) << tokens;
  }
}

TEST(LevelCaptionTest, PlainNamesForAnEmptyTableElseTruncatedPercent) {
  AnalysisResult result;
  EXPECT_EQ(LevelCaption(result, WordLevel::Basic), Sjis("基本"));
  EXPECT_EQ(LevelCaption(result, WordLevel::None), Sjis("未登録"));
  for (const char* w : {"a", "b", "c"}) result.words.CountWord(w);
  result.levelDistinct[LevelIndex(WordLevel::Basic)] = 1;
  result.levelDistinct[LevelIndex(WordLevel::ToUniversity)] = 2;
  EXPECT_EQ(LevelCaption(result, WordLevel::Basic), Sjis("基本 33%"));
  EXPECT_EQ(LevelCaption(result, WordLevel::ToUniversity), Sjis("大学受験 66%"));
  EXPECT_EQ(LevelCaption(result, WordLevel::Other), Sjis("その他 0%"));
}

}  // namespace
}  // namespace lexiscoop

namespace lexiscoop {
namespace {

TEST(WordTableTest, MergesCaseVariantsOfEveryLengthAndOfDoubleByteWords) {
  const std::string kanji = Cp932FromUtf8("漢字");  // 4 bytes with high bits
  const std::string rows[][2] = {
      {"a", "A"},
      {"abcdefgh", "ABCDEFGH"},               // 8 bytes: the short path
      {"abcdefghi", "AbCdEfGhI"},             // 9 bytes: the general path
      {"internationalization", "INTERNATIONALIZATION"},
      {"x" + kanji, "X" + kanji},
      {kanji + "Ab", kanji + "aB"},
  };
  WordTable table;
  for (const auto& row : rows) table.CountWord(row[0]);
  for (const auto& row : rows) table.CountWord(row[1]);
  ASSERT_EQ(table.Count(), 6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(table.Word(i), rows[i][0]);
    EXPECT_EQ(table.Occurrences(i), 2) << rows[i][0];
    EXPECT_EQ(table.IndexOf(rows[i][1]), i);
  }
  // A trail byte that looks like a letter is never folded: 0x83 0x41 and
  // 0x83 0x61 are two different characters.
  table.CountWord("\x83\x41");
  table.CountWord("\x83\x61");
  EXPECT_EQ(table.Count(), 8);
}

}  // namespace
}  // namespace lexiscoop
