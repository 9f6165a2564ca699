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
    return Utf8FromCp932(WordDetailsText(word, dict_.headwords, dict_.index));
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
            "left, lefts, \r\n"
            "\r\n"
            "登録語です\r\n"
            "\r\n"
            "   見出し語一覧\r\n"
            "left, leave, \r\n");
}

TEST_F(WordDetailsTest, FormOnlyAndUnknownWord) {
  EXPECT_EQ(Details("leaving"),
            "----- leaving -----\r\n\r\n見出し語ではありません\r\n\r\n"
            "登録語です\r\n\r\n   見出し語一覧\r\nleave, \r\n");
  EXPECT_EQ(Details("caat"),
            "----- caat -----\r\n\r\n見出し語ではありません\r\n\r\n登録語ではありません\r\n");
}

TEST_F(WordDetailsTest, HeadwordListsItsFormsInIndexOrderAndEntriesMatchByteForByte) {
  // «bill» is found as a headword without regard to case (the first, «Bill»);
  // the index run of «bill» starts with the later line's «bill», so the
  // exact-case list holds only «bill».
  EXPECT_EQ(Details("bill"),
            "----- bill -----\r\n\r\n見出し語です\r\n\r\n   活用形一覧\r\nBill, Bills, \r\n\r\n"
            "登録語です\r\n\r\n   見出し語一覧\r\nbill, \r\n");
  // The first entry of the run differs in case from «Bill»: the list is empty.
  EXPECT_EQ(Details("Bill"),
            "----- Bill -----\r\n\r\n見出し語です\r\n\r\n   活用形一覧\r\nBill, Bills, \r\n\r\n"
            "登録語です\r\n\r\n   見出し語一覧\r\n\r\n");
}

TEST(CopySelectedWordsTest, CopiesRowsInShownOrderWithOrWithoutCounts) {
  TestDictionary empty;
  AnalysisResult result;
  for (const char* w : {"cat", "dog", "cat", "caat", "cat", "emu"}) result.words.CountWord(w);
  ShownWordList shown;
  ASSERT_TRUE(WordListBuilder(empty.Lists()).Rebuild(result.words, {}, shown));
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
