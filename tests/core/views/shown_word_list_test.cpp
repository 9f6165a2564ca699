#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "test_dictionary.h"
#include "views/ShownWordList.h"
#include "views/WordListBuilder.h"

namespace lexiscoop {
namespace {

using testing::TestDictionary;

// A shown list with the given words and counts in build order (every word
// goes through the None route of an empty dictionary).
class ShownWordListTest : public ::testing::Test {
 protected:
  void Fill(std::initializer_list<std::pair<const char*, int>> words) {
    AnalysisResult result;
    for (const auto& [word, count] : words) {
      for (int i = 0; i < count; ++i) result.words.CountWord(word);
    }
    ClassifyWords(result, empty_.MakeLexicon());
    ASSERT_TRUE(WordListBuilder().Rebuild(result, {}, shown_));
  }
  std::vector<std::string> Words() const {
    std::vector<std::string> words;
    for (int r = 0; r < shown_.RowCount(); ++r) words.emplace_back(shown_.WordOfRow(r));
    return words;
  }

  TestDictionary empty_;
  ShownWordList shown_;
};

TEST_F(ShownWordListTest, EverySortRequestFlipsTheDirection) {
  Fill({{"dog", 1}, {"cat", 5}, {"ant", 3}, {"Zebra", 2}});
  using W = std::vector<std::string>;
  ASSERT_TRUE(shown_.SortList(kSortCount));  // first request after start-up: descending
  EXPECT_EQ(Words(), (W{"cat", "ant", "Zebra", "dog"}));
  shown_.SortList(kSortCount);
  EXPECT_EQ(Words(), (W{"dog", "Zebra", "ant", "cat"}));
  shown_.SortList(kSortAlphabetical);  // Z to A
  EXPECT_EQ(Words(), (W{"Zebra", "dog", "cat", "ant"}));
  shown_.SortList(kSortPerCent);  // the per-cent column sorts like the count
  EXPECT_EQ(Words(), (W{"dog", "Zebra", "ant", "cat"}));
  shown_.SortList(kSortFirstAppearance);
  EXPECT_EQ(Words(), (W{"Zebra", "ant", "cat", "dog"}));
  shown_.SortList(kSortFirstAppearance);
  EXPECT_EQ(Words(), (W{"dog", "cat", "ant", "Zebra"}));
  shown_.SortList(99);  // unknown key: every pair compares equal
  EXPECT_EQ(shown_.RowCount(), 4);
  EXPECT_EQ(shown_.FormAt(0), "dog");  // the DisplayList itself never moves
}

TEST_F(ShownWordListTest, SortByUsesTheGivenDirection) {
  Fill({{"b", 2}, {"a", 1}, {"c", 3}});
  shown_.SortBy(kSortAlphabetical, false);
  EXPECT_EQ(Words(), (std::vector<std::string>{"a", "b", "c"}));
  shown_.SortBy(kSortAlphabetical, false);
  EXPECT_EQ(Words(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_FALSE(shown_.SortDescending());
  shown_.SortBy(kSortCount, true);
  EXPECT_EQ(Words(), (std::vector<std::string>{"c", "b", "a"}));
}

TEST_F(ShownWordListTest, AlphabetColumnSortsInTheWrittenOrder) {
  // Filled out of order; the expected order is written out, not computed.
  Fill({{"can_x", 1}, {"Zebra", 1}, {"1st", 1}, {"can-do", 1}, {"aab", 1}, {"-ing", 1},
        {"canal", 1}, {"a_b", 1}, {"can't", 1}, {"10", 1}, {"Canada", 1}, {"'tis", 1},
        {"can", 1}, {"zoo", 1}});
  const std::vector<std::string> ascending = {"'tis", "-ing",   "10",    "1st",   "aab",   "a_b", "can",
                                              "can't", "can-do", "Canada", "canal", "can_x", "Zebra", "zoo"};
  shown_.SortBy(kSortAlphabetical, false);
  EXPECT_EQ(Words(), ascending);
  shown_.SortBy(kSortAlphabetical, true);
  EXPECT_EQ(Words(), std::vector<std::string>(ascending.rbegin(), ascending.rend()));
}

TEST_F(ShownWordListTest, SelectedRowsFollowTheirWordsThroughASort) {
  Fill({{"dog", 1}, {"cat", 5}, {"ant", 3}, {"bee", 2}});
  std::vector<int> selected = {3, 0};  // bee, dog, in the order selected
  ASSERT_TRUE(shown_.SortList(kSortCount, &selected));
  ASSERT_EQ(selected.size(), 2u);
  EXPECT_EQ(shown_.WordOfRow(selected[0]), "bee");
  EXPECT_EQ(shown_.WordOfRow(selected[1]), "dog");
  EXPECT_EQ(selected, (std::vector<int>{2, 3}));
  for (int r = 0; r < shown_.RowCount(); ++r) {
    EXPECT_EQ(shown_.RowOfPosition(shown_.PositionOfRow(r)), r);
  }
  EXPECT_EQ(shown_.PositionOfRow(4), -1);
  EXPECT_EQ(shown_.RowOfPosition(-1), -1);
}

TEST_F(ShownWordListTest, RowTextsGiveNumberWordCountAndPerCent) {
  Fill({{"the", 3}, {"a", 1}});
  RowTexts texts;
  ASSERT_TRUE(shown_.TextsOfRow(0, 1234, texts));
  EXPECT_EQ(texts.number, "    1");
  EXPECT_EQ(texts.word, "the");
  EXPECT_EQ(texts.count, "3");
  EXPECT_EQ(texts.perCent, "0.243");
  ASSERT_TRUE(shown_.TextsOfRow(1, 1, texts));
  EXPECT_EQ(texts.number, "    2");
  EXPECT_EQ(texts.perCent, "100.000");
  ASSERT_TRUE(shown_.TextsOfRow(0, 0, texts));  // no tokens: no nan or inf
  EXPECT_EQ(texts.count, "3");
  EXPECT_EQ(texts.perCent, "");
  EXPECT_FALSE(shown_.TextsOfRow(2, 10, texts));
  EXPECT_FALSE(shown_.TextsOfRow(-1, 10, texts));
  shown_.SortList(kSortCount);  // descending: the number column still counts from the top
  shown_.SortList(kSortCount);
  ASSERT_TRUE(shown_.TextsOfRow(0, 4, texts));
  EXPECT_EQ(texts.number, "    1");
  EXPECT_EQ(texts.word, "a");
  EXPECT_EQ(texts.perCent, "25.000");
}

TEST(PerCentTextTest, RoundsToThreeDecimalsWithoutOverflow) {
  struct Case {
    int32_t count, tokens;
    const char* text;
  } cases[] = {
      {3, 1234, "0.243"},          {1, 3, "33.333"},           {2, 3, "66.667"},
      {7, 7, "100.000"},           {1, 200000, "0.001"},       {1, 2000000, "0.000"},
      {30000000, 60000000, "50.000"},  // count × 100 exceeds 32 bits
      {2000000000, 2000000000, "100.000"},
      {5, 0, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(PerCentText(c.count, c.tokens), c.text) << c.count << "/" << c.tokens;
  EXPECT_EQ(PerCentText(12345, 10), "123,450.000");
}

TEST(CompareOrdinalUpperTest, FoldsOnlyLowerCaseLettersAndPutsPrefixesFirst) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  } cases[] = {
      {"apple", "APPLE", 0},   {"a", "ab", -1},       {"", "a", -1},
      {"b", "A", 1},           {"abc", "ABD", -1},    {"a_", "aZ", 1},   // '_' (0x5F) after 'Z'
      {"a-b", "ab", -1},       {"co-op", "coop", -1}, {"don't", "dont", -1},
      {"x1", "xa", -1},        {"\x82\xa0", "z", 1},  {"same", "same", 0},
  };
  for (const Case& c : cases) {
    const int r = CompareOrdinalUpper(c.a, c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " vs " << c.b;
    const int back = CompareOrdinalUpper(c.b, c.a);
    EXPECT_EQ((back > 0) - (back < 0), -c.sign) << c.b << " vs " << c.a;
  }
}

}  // namespace
}  // namespace lexiscoop

namespace lexiscoop {
namespace {

// The alphabetical sort against a plain stable sort by byte, a-z folded to
// upper case, shorter prefix first: forms around the eight bytes that the
// sort looks at first, in both directions, with rows that tie.
TEST(ShownWordListAlphabetTest, OrdersLikeAPlainStableSortByFoldedBytes) {
  std::mt19937 rng(8);
  const std::string alphabet = "aAbB-'_z0\x82\x9f";
  std::vector<std::string> words;
  for (int i = 0; i < 3000; ++i) {
    std::string w = (i % 3 == 0) ? "abcdefgh" : "";  // a shared eight-byte start
    const int extra = static_cast<int>(rng() % 11);
    for (int k = 0; k < extra; ++k) w += alphabet[rng() % alphabet.size()];
    if (w.empty()) w.push_back('a');
    words.push_back(w);
  }
  AnalysisResult result;
  for (const std::string& w : words) result.words.CountWord(w);
  ClassifyWords(result, testing::TestDictionary().MakeLexicon());
  ShownWordList shown;
  ASSERT_TRUE(WordListBuilder().Rebuild(result, {}, shown));
  for (const bool descending : {false, true}) {
    std::vector<std::string> expected;
    for (int p = 0; p < shown.FormCount(); ++p) expected.emplace_back(shown.FormAt(p));
    std::stable_sort(expected.begin(), expected.end(), [descending](const std::string& a, const std::string& b) {
      auto fold = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; };
      const bool less = std::lexicographical_compare(
          a.begin(), a.end(), b.begin(), b.end(),
          [&](char x, char y) { return fold(static_cast<unsigned char>(x)) < fold(static_cast<unsigned char>(y)); });
      const bool greater = std::lexicographical_compare(
          b.begin(), b.end(), a.begin(), a.end(),
          [&](char x, char y) { return fold(static_cast<unsigned char>(x)) < fold(static_cast<unsigned char>(y)); });
      return descending ? greater : less;
    });
    shown.SortBy(kSortFirstAppearance, false);
    ASSERT_TRUE(shown.SortBy(kSortAlphabetical, descending));
    std::vector<std::string> got;
    for (int r = 0; r < shown.RowCount(); ++r) got.emplace_back(shown.WordOfRow(r));
    EXPECT_EQ(got, expected) << "descending " << descending;
  }
}

}  // namespace
}  // namespace lexiscoop
