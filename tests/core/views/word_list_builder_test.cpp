#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "platform/Cp932.h"
#include "test_dictionary.h"
#include "views/WordListBuilder.h"

namespace lexiscoop {
namespace {

using testing::CountWords;
using testing::TestDictionary;
using Rows = std::vector<std::pair<std::string, int>>;

Rows RowsOf(const ShownWordList& shown) {
  Rows rows;
  for (int r = 0; r < shown.RowCount(); ++r) rows.emplace_back(shown.WordOfRow(r), shown.CountOfRow(r));
  return rows;
}

class WordListBuilderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dict_.Line("cat", {"cats"});
    dict_.Line("dog", {"dogs"});
    dict_.Line("the", {});
    dict_.Line("Thomas", {});
    dict_.Line("Japan", {});
    dict_.Line("write", {"writes", "writing", "wrote", "written"});
    dict_.Line("leave", {"leaves", "leaving", "left"});
    dict_.Line("left", {});
    dict_.Level(0, {"cat", "dog", "the"});
    dict_.Level(1, {"write", "dog"});  // dog also Junior: the level test tries each set bit
    dict_.Level(2, {"leave"});
  }

  AnalysisResult Classified(std::initializer_list<const char*> words) {
    AnalysisResult result;
    CountWords(result, words);
    ClassifyWords(result, dict_.MakeLexicon());
    return result;
  }
  Rows Build(std::initializer_list<const char*> words, WordListFilter filter = {}) {
    const AnalysisResult result = Classified(words);
    EXPECT_TRUE(WordListBuilder().Rebuild(result, filter, shown_));
    return RowsOf(shown_);
  }

  TestDictionary dict_;
  ShownWordList shown_;
};

TEST_F(WordListBuilderTest, MergesInflectionsUnderTheBaseFormAndShowsUnknownWordsAsWritten) {
  const auto words = {"cat", "cats", "cats", "caat"};
  EXPECT_EQ(Build(words), (Rows{{"cat", 3}, {"caat", 1}}));
  EXPECT_EQ(Build(words, {kAllLevelsButNone, FormMode::Original, ProperNounChoice::All, {}}),
            (Rows{{"cat", 3}}));
}

TEST_F(WordListBuilderTest, EachFormModeShowsItsOwnForm) {
  // «left» is a headword of its own and a form of «leave»: the written and
  // headword forms keep it, the base form resolves it to «leave».
  const auto words = {"The", "wrote", "left", "caat", "cats"};
  struct Case {
    FormMode mode;
    Rows rows;
  } cases[] = {
      {FormMode::Written, {{"the", 1}, {"wrote", 1}, {"left", 1}, {"caat", 1}, {"cats", 1}}},
      {FormMode::Headword, {{"the", 1}, {"write", 1}, {"left", 1}, {"caat", 1}, {"cat", 1}}},
      {FormMode::Original, {{"the", 1}, {"write", 1}, {"leave", 1}, {"caat", 1}, {"cat", 1}}},
      {FormMode::None, {{"caat", 1}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Build(words, {kAllLevels, c.mode, ProperNounChoice::All, {}}), c.rows)
        << "form " << static_cast<int>(c.mode);
  }
  EXPECT_TRUE(Build(words, {kAllLevelsButNone, FormMode::None, ProperNounChoice::All, {}}).empty());
}

TEST_F(WordListBuilderTest, AmbiguousFormResolvesAlikeWhateverTheLineOrder) {
  // «xs» is a form of two headwords alike in all but their spelling: the
  // spelling's order decides, for every form, in both line orders.
  for (const bool aaaFirst : {true, false}) {
    TestDictionary dict;
    dict.Line(aaaFirst ? "aaa" : "bbb", {"xs"});
    dict.Line(aaaFirst ? "bbb" : "aaa", {"xs"});
    AnalysisResult result;
    CountWords(result, {"xs"});
    ClassifyWords(result, dict.MakeLexicon());
    for (const FormMode mode : {FormMode::Headword, FormMode::Original}) {
      ASSERT_TRUE(WordListBuilder().Rebuild(result, {kAllLevels, mode, ProperNounChoice::All, {}}, shown_));
      EXPECT_EQ(RowsOf(shown_), (Rows{{"aaa", 1}})) << "aaa first " << aaaFirst;
    }
  }
}

TEST_F(WordListBuilderTest, ListAndStatisticsChooseTheSameHeadword) {
  // Both headwords of «found» have items; «find» is the more basic one, so
  // the statistics count it as Basic and the list shows it under Basic.
  dict_.Line("find", {"finds", "found"});
  dict_.Line("found", {"founds", "founded"});
  dict_.Level(0, {"find"});
  dict_.Level(3, {"found"});
  const AnalysisResult result = Classified({"found"});
  EXPECT_EQ(result.levelDistinct[LevelIndex(WordLevel::Basic)], 1);
  EXPECT_EQ(result.levelDistinct[LevelIndex(WordLevel::General)], 0);

  const LevelMask basicOnly = LevelBit(kLevelBitBasic);
  EXPECT_EQ(Build({"found"}, {basicOnly, FormMode::Original, ProperNounChoice::All, {}}), (Rows{{"find", 1}}));
  EXPECT_EQ(Build({"found"}, {basicOnly, FormMode::Written, ProperNounChoice::All, {}}), (Rows{{"found", 1}}));
  EXPECT_EQ(Build({"found"}, {basicOnly, FormMode::Headword, ProperNounChoice::All, {}}), (Rows{{"found", 1}}));
  EXPECT_TRUE(Build({"found"}, {LevelBit(kLevelBitGeneral), FormMode::Original, ProperNounChoice::All, {}}).empty());

  // No candidate has items: the spelling's own headwords, then lower case first.
  dict_.Line("Bass", {});
  dict_.Line("bass", {});
  EXPECT_EQ(Build({"BASS"}, {kAllLevels, FormMode::Original, ProperNounChoice::All, {}}), (Rows{{"bass", 1}}));
}

// leaves read 3 times as leaf (基本) and once as leave (大学受験): one written
// form at leaf's level, a row per headword in the 原形 form; of equal
// readings the rule's gives the row. A word left out before a split one
// does not hide its split.
TEST_F(WordListBuilderTest, ASpellingReadAsTwoHeadwordsIsOneWrittenFormAndARowPerHeadword) {
  dict_.Line("leaf", {"leaves"});
  dict_.Level(0, {"leaf"});
  const auto lexicon = dict_.MakeLexicon();
  for (const int leaveCount : {1, 2}) {
    AnalysisResult result;
    CountWords(result, {"dogs", "leaves", "leaves", "leaves", "leaves"});
    ClassifyWords(result, lexicon);
    const HeadwordId rule = result.classes[1].headword;
    auto reading = [&](int entry, const char* headword, int occurrences) {
      WordClass word = result.classes[static_cast<size_t>(entry)];
      word.headword = lexicon->FindHeadword(headword);
      word.level = lexicon->At(word.headword).level;
      return WordReading{word, occurrences, {}};
    };
    ApplyWordReadings(result, {{0, {reading(0, "dog", 1)}},
                               {1, {reading(1, "leave", leaveCount), reading(1, "leaf", 4 - leaveCount)}}});
    const uint8_t dogsLeftOut[] = {1, 0};
    if (leaveCount == 2) {
      EXPECT_EQ(result.classes[1].headword, rule);
      continue;
    }
    EXPECT_EQ(result.classes[1].headword, lexicon->FindHeadword("leaf"));
    EXPECT_EQ(result.levelDistinct, (std::array<int32_t, kMaxLevelCount>{2, 0, 0, 0, 0, 0}));
    EXPECT_EQ(result.levelOccurrences, (std::array<int32_t, kMaxLevelCount>{4, 0, 1, 0, 0, 0}));
    ASSERT_TRUE(WordListBuilder().Rebuild(result, {kAllLevels, FormMode::Written, ProperNounChoice::All, dogsLeftOut}, shown_));
    EXPECT_EQ(RowsOf(shown_), (Rows{{"leaves", 4}}));
    ASSERT_TRUE(WordListBuilder().Rebuild(result, {LevelBit(kLevelBitToUniversity), FormMode::Written, ProperNounChoice::All, {}}, shown_));
    EXPECT_EQ(RowsOf(shown_), Rows{});
    ASSERT_TRUE(WordListBuilder().Rebuild(result, {kAllLevels, FormMode::Original, ProperNounChoice::All, dogsLeftOut}, shown_));
    EXPECT_EQ(RowsOf(shown_), (Rows{{"leaf", 3}, {"leave", 1}}));
  }
}

TEST_F(WordListBuilderTest, LineWithoutHeadwordListsItsSpellingAsWrittenUnderOther) {
  // «\tsees»: a headword with no spelling. The statistics count the word as
  // Other; the list shows it there, in every form, as the dictionary spells it.
  dict_.Line("", {"sees"});
  const AnalysisResult result = Classified({"Sees", "cat"});
  EXPECT_EQ(result.levelOccurrences[LevelIndex(WordLevel::Other)], 1);
  for (const FormMode mode : {FormMode::Written, FormMode::Headword, FormMode::Original}) {
    EXPECT_EQ(Build({"Sees", "cat"}, {LevelBit(kLevelBitOther), mode, ProperNounChoice::All, {}}), (Rows{{"sees", 1}}))
        << static_cast<int>(mode);
  }
}

TEST_F(WordListBuilderTest, LevelMaskSelectsByThePreferredHeadword) {
  const auto words = {"cats", "dog", "wrote", "left", "Thomas", "caat"};
  struct Case {
    LevelMask mask;
    Rows rows;
  } cases[] = {
      {LevelBit(kLevelBitBasic), {{"cat", 1}, {"dog", 1}}},
      // «dog» is in the Junior list too, but its level is the first list's.
      {LevelBit(kLevelBitJunior), {{"write", 1}}},
      {LevelBit(kLevelBitToUniversity), {{"leave", 1}}},
      {LevelBit(kLevelBitGeneral), {}},
      {LevelBit(kLevelBitOther), {{"Thomas", 1}}},
      {LevelBit(kLevelBitNone), {{"caat", 1}}},
      {LevelBit(kLevelBitUnused), {}},
      {static_cast<LevelMask>(LevelBit(kLevelBitOther) | LevelBit(kLevelBitNone)), {{"Thomas", 1}, {"caat", 1}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Build(words, {c.mask, FormMode::Original, ProperNounChoice::All, {}}), c.rows)
        << "mask " << static_cast<int>(c.mask);
  }
}

TEST_F(WordListBuilderTest, ProperNounChoiceLooksAtTheFirstByteOfTheShownForm) {
  const AnalysisResult result = Classified({"Thomas", "wrote", "a", "letter", "The", "dog", "Japan", "1st", "_x"});
  auto build = [&](ProperNounChoice choice) {
    WordListBuilder().Rebuild(result, {kAllLevels, FormMode::Original, choice, {}}, shown_);
    return RowsOf(shown_);
  };
  EXPECT_EQ(build(ProperNounChoice::ProperOnly), (Rows{{"Thomas", 1}, {"Japan", 1}}));
  EXPECT_EQ(build(ProperNounChoice::CommonOnly),
            (Rows{{"write", 1}, {"a", 1}, {"letter", 1}, {"the", 1}, {"dog", 1}, {"1st", 1}, {"_x", 1}}));
  EXPECT_EQ(build(ProperNounChoice::All).size(), 9u);
  EXPECT_EQ(ProperNounChoiceFromIndex(-1), ProperNounChoice::All);
  EXPECT_EQ(ProperNounChoiceFromIndex(2), ProperNounChoice::ProperOnly);
}

TEST_F(WordListBuilderTest, FormsDifferingOnlyInCaseShareTheRowOfTheFirstMet) {
  dict_.Line("china", {"chinas"});
  dict_.Line("China", {"Chinese"});
  EXPECT_EQ(Build({"chinas", "Chinese", "chinas"}), (Rows{{"china", 3}}));
  EXPECT_EQ(Build({"Chinese", "chinas"}), (Rows{{"China", 2}}));
}

TEST_F(WordListBuilderTest, RebuildResetsRowOrderButKeepsTheSortState) {
  Build({"dog", "cat", "cat"});
  ASSERT_TRUE(shown_.SortList(kSortCount));
  EXPECT_EQ(shown_.WordOfRow(0), "cat");
  EXPECT_EQ(RowsOf(shown_), (Rows{{"cat", 2}, {"dog", 1}}));
  Build({"dog", "cat", "cat"});
  EXPECT_EQ(shown_.ViewIndex(), (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(shown_.SortKeyValue(), kSortCount);
  EXPECT_TRUE(shown_.SortDescending());
}

TEST_F(WordListBuilderTest, PumpSeesFallingProgressAndReentryIsRefused) {
  const AnalysisResult result = Classified({"cat", "dog", "caat", "zzz"});
  const WordListBuilder builder;
  std::vector<int> progress;
  bool nestedRebuild = true, nestedSort = true;
  RebuildControl control;
  control.sliceMs = 0;
  control.wordsPerClockCheck = 1;
  control.pump = [&](int percent) {
    progress.push_back(percent);
    EXPECT_TRUE(shown_.Busy());
    nestedRebuild = builder.Rebuild(result, {}, shown_);
    nestedSort = shown_.SortList(kSortAlphabetical);
  };
  ASSERT_TRUE(builder.Rebuild(result, {}, shown_, control));
  EXPECT_FALSE(nestedRebuild);
  EXPECT_FALSE(nestedSort);
  EXPECT_FALSE(shown_.Busy());
  EXPECT_EQ(progress, (std::vector<int>{100, 100, 75, 50, 25}));
  EXPECT_EQ(RowsOf(shown_), (Rows{{"cat", 1}, {"dog", 1}, {"caat", 1}, {"zzz", 1}}));
  EXPECT_FALSE(shown_.SortDescending());  // the refused sort changed nothing
}

TEST_F(WordListBuilderTest, FailureInsideTheRebuildLeavesAnEmptyConsistentList) {
  Build({"cat", "dog"});
  const AnalysisResult result = Classified({"cat", "dog"});
  const WordListBuilder builder;
  RebuildControl control;
  control.pump = [](int) { throw std::runtime_error("pump failed"); };
  EXPECT_THROW(builder.Rebuild(result, {}, shown_, control), std::runtime_error);
  EXPECT_FALSE(shown_.Busy());
  EXPECT_EQ(shown_.RowCount(), 0);
  EXPECT_EQ(shown_.FormCount(), 0);
  EXPECT_TRUE(builder.Rebuild(result, {}, shown_));
  EXPECT_EQ(shown_.RowCount(), 2);
}

TEST(ShownWordsStatusTextTest, FormatsShownCountAndTruncatedShare) {
  EXPECT_EQ(ShownWordsStatusText(120, 400), Cp932FromUtf8("表示単語数 120 語（30 ％）"));
  EXPECT_EQ(ShownWordsStatusText(1234, 2000), Cp932FromUtf8("表示単語数 1,234 語（61 ％）"));
  EXPECT_EQ(ShownWordsStatusText(2, 3), Cp932FromUtf8("表示単語数 2 語（66 ％）"));
  EXPECT_EQ(ShownWordsStatusText(30000000, 30000000), Cp932FromUtf8("表示単語数 30,000,000 語（100 ％）"));
  EXPECT_FALSE(ShownWordsStatusText(0, 0).has_value());
}

}  // namespace
}  // namespace lexiscoop
