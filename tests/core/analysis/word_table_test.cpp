#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
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
    for (int i = 0; i < 50000; ++i) table.CountWord(std::string("w").append(std::to_string(i)));
  }
  ASSERT_EQ(table.Count(), 50000);
  for (int i = 0; i < 50000; i += 997) {
    const int index = table.IndexOf(std::string("W").append(std::to_string(i)));
    ASSERT_EQ(index, i);
    EXPECT_EQ(table.Occurrences(index), 2);
  }
}

// A classifier of fixed answers: word (lower case) -> headword id, level and
// level entry; the headwords are their ids' names.
class FakeClassifier final : public WordClassifier {
 public:
  struct Answer {
    const char* word;
    HeadwordId headword;
    WordLevel level;
    int32_t levelEntry;
  };
  explicit FakeClassifier(std::vector<Answer> answers) : answers_(std::move(answers)) {}

  WordClass Classify(std::string_view word) const override {
    for (const Answer& a : answers_) {
      if (a.word == word) return WordClass{a.headword, a.headword, a.level, 0};
    }
    return {};
  }
  std::string_view HeadwordSpelling(HeadwordId) const override { return {}; }
  std::string_view StoredSpelling(int32_t) const override { return {}; }
  std::string_view HeadwordForm(int32_t) const override { return {}; }
  int32_t LevelEntryCount() const override { return 4; }
  int32_t LevelEntryOf(HeadwordId id) const override {
    for (const Answer& a : answers_) {
      if (a.headword == id) return a.levelEntry;
    }
    return -1;
  }
  int32_t LevelListSize(WordLevel level) const override { return 10 + LevelIndex(level); }

 private:
  std::vector<Answer> answers_;
};

TEST(ClassifyWordsTest, CountsLevelsOtherNoneAndTheLevelEntriesUsed) {
  // Headword 0 «cat» Basic (level entry 0); 1 «leave» Junior (entry 2);
  // 2 «zebra» in no list.
  auto classifier = std::make_shared<FakeClassifier>(std::vector<FakeClassifier::Answer>{
      {"cat", 0, WordLevel::Basic, 0},
      {"cats", 0, WordLevel::Basic, 0},
      {"left", 1, WordLevel::Junior, 2},
      {"zebras", 2, WordLevel::Other, -1},
  });
  AnalysisResult result;
  // cat ×1, cats ×2, left ×1, zebras ×3, caat ×1
  for (const char* w : {"cat", "cats", "cats", "left", "zebras", "zebras", "zebras", "caat"}) {
    result.words.CountWord(w);
    ++result.tokenCount;
  }
  ClassifyWords(result, classifier);
  ASSERT_TRUE(result.Classified());
  EXPECT_EQ(result.levelDistinct, (std::array<int32_t, kMaxLevelCount>{2, 1, 0, 0, 1, 1}));
  EXPECT_EQ(result.levelOccurrences, (std::array<int32_t, kMaxLevelCount>{3, 1, 0, 0, 3, 1}));
  // cat and cats share one Basic entry.
  EXPECT_EQ(result.levelEntriesUsed, (std::array<int32_t, LevelSet::kMaxListedLevels>{1, 1, 0, 0}));
  EXPECT_EQ(result.levelEntryCount, (std::array<int32_t, LevelSet::kMaxListedLevels>{10, 11, 12, 13}));
  EXPECT_EQ(result.classes[2].headword, 1);
  EXPECT_EQ(result.classes[4].level, WordLevel::None);
  EXPECT_FALSE(result.classes[4].InDictionary());

  // A second classification starts from zero.
  ClassifyWords(result, classifier);
  EXPECT_EQ(result.levelEntriesUsed, (std::array<int32_t, LevelSet::kMaxListedLevels>{1, 1, 0, 0}));
  EXPECT_EQ(result.levelOccurrences[0], 3);

  // A new scan leaves the result unclassified.
  result.Clear();
  result.words.CountWord("cat");
  EXPECT_FALSE(result.Classified());
}

TEST(ClassifyWordsTest, NoClassifierMakesEveryWordNone) {
  AnalysisResult result;
  result.words.CountWord("alpha");
  result.words.CountWord("beta");
  result.words.CountWord("alpha");
  ClassifyWords(result, nullptr);
  EXPECT_EQ(result.levelDistinct[LevelIndex(WordLevel::None)], 2);
  EXPECT_EQ(result.levelOccurrences[LevelIndex(WordLevel::None)], 3);
  EXPECT_EQ(result.levelEntryCount, (std::array<int32_t, LevelSet::kMaxListedLevels>{}));
  EXPECT_FALSE(result.Classified());
}

TEST(SummaryTextTest, FormatsCountsReadingTimeAndBytes) {
  AnalysisResult result;
  for (int i = 0; i < 250; ++i) result.words.CountWord(std::string("w").append(std::to_string(i)));
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
