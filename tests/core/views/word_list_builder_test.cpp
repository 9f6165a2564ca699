#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/Cp932.h"
#include "test_dictionary.h"
#include "views/FoldedLookup.h"
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

  Rows Build(std::initializer_list<const char*> words, WordListFilter filter = {}) {
    AnalysisResult result;
    CountWords(result, words);
    WordListBuilder builder(dict_.Lists());
    EXPECT_TRUE(builder.Rebuild(result.words, filter, shown_));
    return RowsOf(shown_);
  }

  TestDictionary dict_;
  ShownWordList shown_;
};

TEST_F(WordListBuilderTest, MergesInflectionsUnderTheBaseFormAndShowsUnknownWordsAsWritten) {
  const auto words = {"cat", "cats", "cats", "caat"};
  EXPECT_EQ(Build(words), (Rows{{"cat", 3}, {"caat", 1}}));
  EXPECT_EQ(Build(words, {kAllLevelsButNone, FormMode::Original, ProperNounChoice::All}),
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
    EXPECT_EQ(Build(words, {kAllLevels, c.mode, ProperNounChoice::All}), c.rows)
        << "form " << static_cast<int>(c.mode);
  }
  EXPECT_TRUE(Build(words, {kAllLevelsButNone, FormMode::None, ProperNounChoice::All}).empty());
}

TEST_F(WordListBuilderTest, HeadwordFormTakesTheFirstEntryAndBaseFormTheLastWithItems) {
  // «xs» is a form of two headwords; the later line stands first in the index.
  dict_.Line("aaa", {"xs"});
  dict_.Line("bbb", {"xs"});
  EXPECT_EQ(Build({"xs"}, {kAllLevels, FormMode::Headword, ProperNounChoice::All}), (Rows{{"bbb", 1}}));
  EXPECT_EQ(Build({"xs"}, {kAllLevels, FormMode::Original, ProperNounChoice::All}), (Rows{{"aaa", 1}}));
}

TEST_F(WordListBuilderTest, ListChoiceOfHeadwordDiffersFromTheLevelStatistics) {
  // Both headwords of «found» have items. The statistics take the first in
  // index order (the later line, «found», General); the list takes the last
  // met (the earlier line, «find», Basic).
  dict_.Line("find", {"finds", "found"});
  dict_.Line("found", {"founds", "founded"});
  dict_.Level(0, {"find"});
  dict_.Level(3, {"found"});
  AnalysisResult result;
  CountWords(result, {"found"});
  ClassifyWords(result, dict_.index, dict_.headwords, dict_.MutableLevelLists());
  EXPECT_EQ(result.levelDistinct[LevelIndex(WordLevel::General)], 1);
  EXPECT_EQ(dict_.headwords[ChooseHeadwordForLevel("found", dict_.index, dict_.headwords)], "found");

  const LevelMask basicOnly = LevelBit(kLevelBitBasic);
  EXPECT_EQ(Build({"found"}, {basicOnly, FormMode::Original, ProperNounChoice::All}), (Rows{{"find", 1}}));
  EXPECT_TRUE(Build({"found"}, {LevelBit(kLevelBitGeneral), FormMode::Original, ProperNounChoice::All}).empty());

  // With no candidate that has items, the list takes the first met and the
  // statistics the last.
  dict_.Line("bass", {});
  dict_.Line("Bass", {});
  EXPECT_EQ(Build({"bass"}, {kAllLevels, FormMode::Original, ProperNounChoice::All}), (Rows{{"Bass", 1}}));
  EXPECT_EQ(dict_.headwords[ChooseHeadwordForLevel("bass", dict_.index, dict_.headwords)], "bass");
}

TEST_F(WordListBuilderTest, LevelMaskSelectsByThePreferredHeadword) {
  const auto words = {"cats", "dog", "wrote", "left", "Thomas", "caat"};
  struct Case {
    LevelMask mask;
    Rows rows;
  } cases[] = {
      {LevelBit(kLevelBitBasic), {{"cat", 1}, {"dog", 1}}},
      {LevelBit(kLevelBitJunior), {{"dog", 1}, {"write", 1}}},
      {LevelBit(kLevelBitToUniversity), {{"leave", 1}}},
      {LevelBit(kLevelBitGeneral), {}},
      {LevelBit(kLevelBitOther), {{"Thomas", 1}}},
      {LevelBit(kLevelBitNone), {{"caat", 1}}},
      {LevelBit(kLevelBitUnused), {}},
      {static_cast<LevelMask>(LevelBit(kLevelBitOther) | LevelBit(kLevelBitNone)), {{"Thomas", 1}, {"caat", 1}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Build(words, {c.mask, FormMode::Original, ProperNounChoice::All}), c.rows)
        << "mask " << static_cast<int>(c.mask);
  }
}

TEST_F(WordListBuilderTest, ProperNounChoiceLooksAtTheFirstByteOfTheShownForm) {
  AnalysisResult result;
  CountWords(result, {"Thomas", "wrote", "a", "letter", "The", "dog", "Japan", "1st", "_x"});
  WordListBuilder builder(dict_.Lists());
  auto build = [&](ProperNounChoice choice) {
    builder.Rebuild(result.words, {kAllLevels, FormMode::Original, choice}, shown_);
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
  AnalysisResult result;
  CountWords(result, {"cat", "dog", "caat", "zzz"});
  WordListBuilder builder(dict_.Lists());
  std::vector<int> progress;
  bool nestedRebuild = true, nestedSort = true;
  RebuildControl control;
  control.sliceMs = 0;
  control.wordsPerClockCheck = 1;
  control.pump = [&](int percent) {
    progress.push_back(percent);
    EXPECT_TRUE(shown_.Busy());
    nestedRebuild = builder.Rebuild(result.words, {}, shown_);
    nestedSort = shown_.SortList(kSortAlphabetical);
  };
  ASSERT_TRUE(builder.Rebuild(result.words, {}, shown_, control));
  EXPECT_FALSE(nestedRebuild);
  EXPECT_FALSE(nestedSort);
  EXPECT_FALSE(shown_.Busy());
  EXPECT_EQ(progress, (std::vector<int>{100, 100, 75, 50, 25}));
  EXPECT_EQ(RowsOf(shown_), (Rows{{"cat", 1}, {"dog", 1}, {"caat", 1}, {"zzz", 1}}));
  EXPECT_FALSE(shown_.SortDescending());  // the refused sort changed nothing
}

TEST_F(WordListBuilderTest, FailureInsideTheRebuildLeavesAnEmptyConsistentList) {
  Build({"cat", "dog"});
  AnalysisResult result;
  CountWords(result, {"cat", "dog"});
  WordListBuilder builder(dict_.Lists());
  RebuildControl control;
  control.pump = [](int) { throw std::runtime_error("pump failed"); };
  EXPECT_THROW(builder.Rebuild(result.words, {}, shown_, control), std::runtime_error);
  EXPECT_FALSE(shown_.Busy());
  EXPECT_EQ(shown_.RowCount(), 0);
  EXPECT_EQ(shown_.DisplayList().Count(), 0);
  EXPECT_TRUE(builder.Rebuild(result.words, {}, shown_));
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

namespace lexiscoop {
namespace {

TEST(FoldedLookupTest, FindsTheFirstOfEqualEntriesLikeTheBinarySearch) {
  TStringList sorted;
  sorted.SetDuplicates(Duplicates::Accept);
  sorted.SetSorted(true);
  for (const char* s : {"left", "Left", "LEFT", "leave", "co-op", "coop", "a", "\x95\x5c"}) sorted.Add(s);
  const FoldedLookup lookup(sorted);
  for (const char* probe : {"left", "LeFt", "leave", "co-op", "coop", "a", "A", "\x95\x5c", "lef", "lefts", "",
                            "\x95\x7c"}) {
    int expected = -1;
    if (!sorted.Find(probe, expected)) expected = -1;
    EXPECT_EQ(lookup.Find(probe), expected) << probe;
  }
  // Unsorted: the lowest position among equal entries.
  TStringList plain;
  for (const char* s : {"b", "B", "a", "b"}) plain.Add(s);
  const FoldedLookup plainLookup(plain);
  EXPECT_EQ(plainLookup.Find("b"), 0);
  EXPECT_EQ(plainLookup.Find("A"), 2);
  EXPECT_FALSE(plainLookup.Contains("c"));
  const TStringList empty;
  EXPECT_EQ(FoldedLookup(empty).Find("x"), -1);
  // Many entries: every one is found at its own place.
  TStringList many;
  for (int i = 0; i < 5000; ++i) many.Add("w" + std::to_string(i));
  const FoldedLookup manyLookup(many);
  for (int i = 0; i < 5000; i += 7) ASSERT_EQ(manyLookup.Find("W" + std::to_string(i)), i);
}

}  // namespace
}  // namespace lexiscoop
