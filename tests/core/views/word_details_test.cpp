#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Cp932.h"
#include "test_dictionary.h"
#include "views/CopyText.h"
#include "views/WordDetails.h"
#include "views/WordListBuilder.h"

namespace lexiscoop {
namespace {

using testing::TestDictionary;

class WordDetailsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dict_.Line("leave", {"leaves", "leaving", "left"});
    dict_.Line("left", {"lefts"});
    dict_.Line("Bill", {"Bills"});
    dict_.Line("bill", {"bills"});
  }
  std::string Details(const char* word) {
    return Utf8FromCp932(WordDetailsText(word, *dict_.MakeLexicon()));
  }
  TestDictionary dict_;
};

TEST_F(WordDetailsTest, WordThatIsBothHeadwordAndForm) {
  EXPECT_EQ(Details("left"),
            "----- left -----\r\n"
            "\r\n"
            "見出し語です\r\n"
            "\r\n"
            "   活用形一覧\r\n"
            "left, lefts\r\n"
            "\r\n"
            "登録語です\r\n"
            "\r\n"
            "   見出し語一覧\r\n"
            "left, leave\r\n");
}

TEST_F(WordDetailsTest, FormOnlyAndUnknownWord) {
  EXPECT_EQ(Details("leaving"),
            "----- leaving -----\r\n\r\n見出し語ではありません\r\n\r\n"
            "登録語です\r\n\r\n   見出し語一覧\r\nleave\r\n");
  EXPECT_EQ(Details("caat"),
            "----- caat -----\r\n\r\n見出し語ではありません\r\n\r\n登録語ではありません\r\n");
}

TEST_F(WordDetailsTest, HeadwordByTheRuleAndEntriesMatchByteForByte) {
  // «bill» and «Bill» are both headwords: the rule ranks the lower-case one
  // first, whatever the case typed and the line order. The headword list
  // holds the candidates spelled exactly as the word.
  const std::string billForms = "見出し語です\r\n\r\n   活用形一覧\r\nbill, bills\r\n\r\n";
  EXPECT_EQ(Details("bill"),
            "----- bill -----\r\n\r\n" + billForms + "登録語です\r\n\r\n   見出し語一覧\r\nbill\r\n");
  EXPECT_EQ(Details("Bill"),
            "----- Bill -----\r\n\r\n" + billForms + "登録語です\r\n\r\n   見出し語一覧\r\nBill\r\n");
  EXPECT_EQ(Details("BILL"),
            "----- BILL -----\r\n\r\n" + billForms + "登録語です\r\n\r\n   見出し語一覧\r\n\r\n");
}

TEST_F(WordDetailsTest, FormsAreListedInWordOrder) {
  dict_.Line("go", {"goes", "going", "gone", "went"});
  EXPECT_EQ(Details("go"),
            "----- go -----\r\n\r\n見出し語です\r\n\r\n   活用形一覧\r\ngo, goes, going, gone, went\r\n\r\n"
            "登録語です\r\n\r\n   見出し語一覧\r\ngo\r\n");
}

TEST(CopySelectedWordsTest, CopiesRowsInShownOrderWithOrWithoutCounts) {
  TestDictionary empty;
  AnalysisResult result;
  for (const char* w : {"cat", "dog", "cat", "caat", "cat", "emu"}) result.words.CountWord(w);
  ClassifyWords(result, empty.MakeLexicon());
  ShownWordList shown;
  ASSERT_TRUE(WordListBuilder().Rebuild(result, {}, shown));
  // Selected in the order caat, cat, dog: copied from the top.
  EXPECT_EQ(CopySelectedWords(shown, {2, 0, 1}, true), "cat\t3\r\ndog\t1\r\ncaat\t1\r\n");
  EXPECT_EQ(CopySelectedWords(shown, {2, 0, 1}, false), "cat\r\ndog\r\ncaat\r\n");
  EXPECT_EQ(CopySelectedWords(shown, {}, true), "");
  EXPECT_EQ(CopySelectedWords(shown, {3, 3, 9, -1}, false), "emu\r\n");
  shown.SortList(kSortAlphabetical);  // descending: emu dog cat caat
  EXPECT_EQ(CopySelectedWords(shown, {0, 3}, true), "emu\t1\r\ncaat\t1\r\n");
}

}  // namespace
}  // namespace lexiscoop
