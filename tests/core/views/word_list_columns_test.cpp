#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Cp932.h"
#include "test_dictionary.h"
#include "views/ShownWordList.h"
#include "views/WordListBuilder.h"
#include "views/WordListColumns.h"

namespace lexiscoop {
namespace {

using testing::TestDictionary;

// A run over «saw found founded cat Cat cats dog zebra saw» with glosses on
// every headword; the cells are read row by row after each sort.
class WordListColumnsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dictionary_.Line("see", {"sees", "saw", "seen"});
    dictionary_.Line("find", {"finds", "found"});
    dictionary_.Line("found", {"founds", "founded"});
    dictionary_.Line("cat", {"cats"});
    dictionary_.Line("dog", {"dogs"});
    dictionary_.records[0].gloss = glosses_[0];
    dictionary_.records[1].gloss = glosses_[1];
    dictionary_.records[2].gloss = glosses_[2];
    dictionary_.records[3].gloss = glosses_[3];
    dictionary_.Level(0, {"see", "find", "cat"});
    dictionary_.Level(1, {"dog"});
    dictionary_.Level(3, {"found"});
    testing::CountWords(result_, {"saw", "found", "founded", "cat", "Cat", "cats", "dog", "zebra", "saw"});
    ClassifyWords(result_, dictionary_.MakeLexicon());
    WordListBuilder().Rebuild(result_, WordListFilter{}, shown_);
  }

  // The cells of `id` in row order, tab-joined.
  std::vector<std::string> Cells(std::string_view id) const {
    std::vector<std::string> cells;
    for (int r = 0; r < shown_.RowCount(); ++r) {
      cells.push_back(Utf8FromCp932(CellText(*FindWordListColumn(id), ListRow{shown_, result_, r, {}})));
    }
    return cells;
  }

  const std::string glosses_[4] = {Cp932FromUtf8("見る"), Cp932FromUtf8("見つける"), Cp932FromUtf8("設立する"),
                                   Cp932FromUtf8("猫")};
  TestDictionary dictionary_;
  AnalysisResult result_;
  ShownWordList shown_;
};

using Column = std::vector<std::string>;

// Every sort moves the rows; each row keeps the glosses, level and letters of
// its own word (found shows find's glosses, founded the verb found's).
TEST_F(WordListColumnsTest, EveryRowKeepsItsOwnCellsInEverySortOrder) {
  struct Case {
    int key;
    bool descending;
    Column word, gloss, level, letters;
  } cases[] = {
      {kSortFirstAppearance, false, {"see", "find", "found", "cat", "dog", "zebra"},
       {"見る", "見つける", "設立する", "猫", "", ""}, {"基本", "基本", "一般", "基本", "中学", "未登録"},
       {"3", "4", "5", "3", "3", "5"}},
      {kSortAlphabetical, true, {"zebra", "see", "found", "find", "dog", "cat"},
       {"", "見る", "設立する", "見つける", "", "猫"}, {"未登録", "基本", "一般", "基本", "中学", "基本"},
       {"5", "3", "5", "4", "3", "3"}},
      {kSortCount, true, {"cat", "see", "zebra", "found", "find", "dog"},
       {"猫", "見る", "", "設立する", "見つける", ""}, {"基本", "基本", "未登録", "一般", "基本", "中学"},
       {"3", "3", "5", "5", "4", "3"}},
      {kSortLevel, true, {"zebra", "found", "dog", "cat", "see", "find"},
       {"", "設立する", "", "猫", "見る", "見つける"}, {"未登録", "一般", "中学", "基本", "基本", "基本"},
       {"5", "5", "3", "3", "3", "4"}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(shown_.SortBy(c.key, c.descending));
    EXPECT_EQ(Cells("word"), c.word) << "key " << c.key;
    EXPECT_EQ(Cells("gloss"), c.gloss) << "key " << c.key;
    EXPECT_EQ(Cells("level"), c.level) << "key " << c.key;
    EXPECT_EQ(Cells("letters"), c.letters) << "key " << c.key;
  }
}

}  // namespace
}  // namespace lexiscoop
