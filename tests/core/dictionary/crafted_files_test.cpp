// Dictionary files no real dictionary looks like, small on disk but made to
// exhaust memory or time when decoded: refused before their lines are made.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <string>

#include "DictionaryFixture.h"
#include "dictionary/DictionaryBounds.h"

namespace lexiscoop {
namespace {

using testing_support::DictionaryTest;
using testing_support::Lines;
using testing_support::WriteList;

TEST(ListBoundsTest, LineLengthAndCountAreBounded) {
  const size_t kMax = TCompressStringList::kMaxLineBytes;
  const struct {
    std::string text;
    bool within;
  } cases[] = {
      {"", true},
      {std::string(kMax, 'a') + "\r\n", true},
      {std::string(kMax + 1, 'a') + "\r\n", false},
      {std::string(kMax + 1, 'a'), false},                // the last line needs no break
      {"a\r\n" + std::string(kMax + 1, 'b') + "\nc", false},
      {std::string(kMax, 'a') + "\r" + std::string(kMax, 'b') + "\n", true},
      {std::string("a\0", 2) + std::string(kMax + 5, 'b'), true},  // a zero byte ends the text
      {std::string(TCompressStringList::kMaxLines, '\n'), true},
      {std::string(TCompressStringList::kMaxLines + 1, '\n'), false},
      {std::string(TCompressStringList::kMaxLines, '\r') + "x", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TCompressStringList::WithinListBounds(c.text), c.within) << c.text.size() << " bytes";
  }
}

class CraftedFilesTest : public DictionaryTest {
 protected:
  // Loads the shipped dictionary `lines` (packed as they are) and returns
  // the load status; the load must stay quick.
  int LoadStatusOf(const Lines& lines) {
    WriteShippedDictionary(lines);
    const auto start = std::chrono::steady_clock::now();
    ConjugationDictionary dictionary(programFolder_, levelFolder_);
    dictionary.ReloadDictionary(true);
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 10.0);
    if (!dictionary.DictionaryLoadStatus().ok()) {
      EXPECT_EQ(dictionary.CurrentLexicon()->HeadwordCount(), 0);
    }
    return dictionary.DictionaryLoadStatus().systemError();
  }
};

TEST_F(CraftedFilesTest, HugeHeadwordWithManyItemsIsRefused) {
  // One 100,000-letter headword with 40,000 items: each item would decode
  // to a 100,000-byte spelling.
  std::string line(100000, 'a');
  line += '\t';
  for (int i = 0; i < 40000; ++i) line += i == 0 ? "s" : ",s";
  EXPECT_EQ(LoadStatusOf({line}), EFBIG);
}

TEST_F(CraftedFilesTest, LinesWithinTheLineBoundAreStillBounded) {
  // A headword longer than any word, and a line with more items than any
  // word has spellings, each short enough as a line.
  EXPECT_EQ(LoadStatusOf({std::string(kMaxHeadwordBytes + 1, 'a') + "\ts"}), EFBIG);
  std::string items;
  for (size_t i = 0; i <= kMaxItemsPerLine; ++i) items += "s,";
  EXPECT_EQ(LoadStatusOf({"go\t" + items}), EFBIG);
  // Many lines each at the bounds: the spellings they decode to stay
  // within a budget of the text's size.
  std::string most;
  for (size_t i = 1; i < kMaxItemsPerLine; ++i) most += "1,";
  EXPECT_EQ(LoadStatusOf({std::string(kMaxHeadwordBytes, 'a') + "\t" + most}), 0);
}

TEST_F(CraftedFilesTest, MillionsOfEmptyLinesAreRefused) {
  TCompressStringList list;
  list.SetText(std::string(3 * TCompressStringList::kMaxLines, '\n'));
  ASSERT_TRUE(list.SaveToFile(ProgramFile("LxScoop.dat")).ok());
  ConjugationDictionary dictionary(programFolder_, levelFolder_);
  dictionary.ReloadDictionary(true);
  EXPECT_EQ(dictionary.DictionaryLoadStatus().systemError(), EFBIG);
  EXPECT_EQ(dictionary.CurrentLexicon()->HeadwordCount(), 0);
}

TEST_F(CraftedFilesTest, OrdinaryLinesAreWithinTheBounds) {
  EXPECT_EQ(LoadStatusOf({"go\tes,ing,ne,2went", "\t", "study\t1ied,1ies,ing", "be\t2am,2is,2are,2was,2were,en,ing"}), 0);
}

TEST_F(CraftedFilesTest, ARecordThatWouldWriteAnUnloadableLineIsRefused) {
  Loaded();
  EXPECT_EQ(dictionary_.RecordHeadword(std::string(kMaxHeadwordBytes + 1, 'a'), "", 0), RecordStatus::InvalidText);
  std::string forms;
  for (size_t i = 0; i <= kMaxItemsPerLine; ++i) forms += "gos ";
  EXPECT_EQ(dictionary_.RecordHeadword("go", forms, 0), RecordStatus::InvalidText);
  // A suffix that starts with a digit would be read back as a strip count.
  EXPECT_EQ(dictionary_.RecordHeadword("go", "go2", 0), RecordStatus::InvalidText);
  EXPECT_FALSE(FileExists(ProgramFile("myLxScoop.dat")));
}

}  // namespace
}  // namespace lexiscoop
