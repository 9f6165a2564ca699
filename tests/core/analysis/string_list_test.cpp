#include <gtest/gtest.h>

#include <string>

#include "analysis/StringList.h"
#include "analysis/StringListEx.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

// "k" + std::to_string(i) written out: GCC 12 warns falsely (-Wrestrict) on
// a literal plus a temporary string.
std::string Numbered(const char* prefix, int i) {
  std::string text = prefix;
  text += std::to_string(i);
  return text;
}


TEST(StringListTest, SortedAddAppliesTheDuplicatesPolicy) {
  TStringList list;
  list.SetSorted(true);
  EXPECT_EQ(list.Add("pear"), 0);
  EXPECT_EQ(list.Add("Apple"), 0);
  EXPECT_EQ(list.Add("apple"), 0);  // ignored: returns the existing entry
  EXPECT_EQ(list.Count(), 2);

  list.SetDuplicates(Duplicates::Accept);
  list.AddObject("APPLE", 7);       // inserted before the equal entries
  EXPECT_EQ(list[0], "APPLE");
  EXPECT_EQ(list.Objects(0), 7);
  EXPECT_EQ(list[1], "Apple");
  int index = -1;
  EXPECT_TRUE(list.Find("apple", index));
  EXPECT_EQ(index, 0);              // leftmost of the run
  EXPECT_FALSE(list.Find("banana", index));
  EXPECT_EQ(index, 2);              // insert place

  list.SetDuplicates(Duplicates::Error);
  EXPECT_THROW(list.Add("pear"), EStringListError);
  EXPECT_THROW(list.Insert(0, "x"), EStringListError);
}

TEST(StringListTest, RangeErrors) {
  TStringList list;
  list.Add("a");
  EXPECT_THROW(list.Delete(1), EStringListError);
  EXPECT_THROW(list.Exchange(0, -1), EStringListError);
  EXPECT_THROW(list.Insert(2, "b"), EStringListError);
  EXPECT_THROW(static_cast<void>(list[5]), EStringListError);
  list.Insert(1, "b");
  EXPECT_EQ(list[1], "b");
}

TEST(StringListTest, TextSplitsAtCrLfLoneCrLoneLfAndStopsAtZero) {
  TStringList list;
  list.SetText(std::string("one\r\ntwo\rthree\n\nfive\r\n\r\nsev\0en", 30));
  ASSERT_EQ(list.Count(), 7);
  EXPECT_EQ(list[0], "one");
  EXPECT_EQ(list[1], "two");
  EXPECT_EQ(list[2], "three");
  EXPECT_EQ(list[3], "");
  EXPECT_EQ(list[4], "five");
  EXPECT_EQ(list[5], "");
  EXPECT_EQ(list[6], "sev");
  EXPECT_EQ(list.Text(), "one\r\ntwo\r\nthree\r\n\r\nfive\r\n\r\nsev\r\n");
  list.SetText("last line without break");
  EXPECT_EQ(list.Count(), 1);
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Text(), "");
}

TEST(StringListTest, SortedLoadDropsCaseDuplicates) {
  TStringList list;
  list.SetSorted(true);
  list.SetText("b\r\nA\r\na\r\nc\r\n");
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list[0], "A");
  EXPECT_EQ(list.IndexOf("C"), 2);
}

TEST(StringListExTest, IndexOfIgnoresCaseWhateverCaseCareSays) {
  TStringListEx list;
  list.Add("The");
  EXPECT_EQ(list.IndexOf("the"), 0);
  EXPECT_EQ(list.IndexOf("THE"), 0);
  list.SetCaseCare(true);
  EXPECT_EQ(list.IndexOf("the"), 0);
  EXPECT_EQ(list.IndexOf("then"), -1);
}

TEST(StringListExTest, CaseCareFindComparesWithCase) {
  TStringListEx list;
  list.SetSorted(true);
  list.Add("The");
  list.SetCaseCare(true);
  int index = -1;
  EXPECT_FALSE(list.Find("the", index));
  EXPECT_TRUE(list.Find("The", index));
  list.SetCaseCare(false);
  EXPECT_TRUE(list.Find("the", index));
}

TEST(StringListExTest, EqualStringsShareOneEntryPointingAtTheLatest) {
  TStringListEx list;
  list.AddObject("word", 0);
  list.AddObject("WORD", 1);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.IndexOf("Word"), 1);
  list.Delete(1);  // the entry pointing at 1 goes; "word" at 0 is not indexed any more
  EXPECT_EQ(list.IndexOf("word"), -1);
}

TEST(StringListExTest, DeleteExchangeInsertAndClearKeepPositions) {
  TStringListEx list;
  for (const char* s : {"a", "b", "c"}) list.Add(s);
  list.Delete(0);
  EXPECT_EQ(list.IndexOf("b"), 0);
  EXPECT_EQ(list.IndexOf("c"), 1);
  EXPECT_EQ(list.IndexOf("a"), -1);

  list.Clear();
  for (const char* s : {"a", "b", "c"}) list.Add(s);
  list.Exchange(0, 2);
  EXPECT_EQ(list.IndexOf("a"), 2);
  EXPECT_EQ(list.IndexOf("c"), 0);
  EXPECT_EQ(list.IndexOf("b"), 1);

  list.Insert(0, "new");  // shifts positions, is not indexed itself
  EXPECT_EQ(list.IndexOf("new"), -1);
  EXPECT_EQ(list.IndexOf("c"), 1);
  EXPECT_EQ(list.IndexOf("a"), 3);

  list.Clear();
  EXPECT_EQ(list.IndexOf("a"), -1);
  EXPECT_EQ(list.Count(), 0);
}

TEST(StringListExTest, ManyAddsAndDeletesKeepEveryPositionRight) {
  TStringListEx list;
  for (int i = 0; i < 3000; ++i) list.Add(Numbered("k", i));
  for (int i = 2999; i >= 0; i -= 7) list.Delete(i);
  for (int i = 0; i < list.Count(); ++i) {
    std::string upper = list[i];
    upper[0] = 'K';
    ASSERT_EQ(list.IndexOf(upper), i) << upper;
  }
  for (int i = 2999; i >= 0; i -= 7) EXPECT_EQ(list.IndexOf(Numbered("k", i)), -1) << i;
}

TEST(SplitAtFirstTest, CutsAtTheFirstSeparatorOnCharacterBoundaries) {
  std::string before, after;
  EXPECT_TRUE(SplitAtFirst("1 / 2 / 3", "/", before, after));
  EXPECT_EQ(before, "1 ");
  EXPECT_EQ(after, " 2 / 3");
  EXPECT_FALSE(SplitAtFirst("abc", "/", before, after));
  EXPECT_EQ(before, "abc");
  EXPECT_EQ(after, "");
  EXPECT_TRUE(SplitAtFirst("50%", "%", before, after));
  EXPECT_EQ(before, "50");
  EXPECT_EQ(after, "");
  // A backslash that is the trail byte of a double-byte character is no separator.
  const std::string kanji = Cp932FromUtf8("表");  // 0x95 0x5C
  EXPECT_FALSE(SplitAtFirst(kanji + "x", "\\", before, after));
  EXPECT_TRUE(SplitAtFirst(kanji + "\\x", "\\", before, after));
  EXPECT_EQ(before, kanji);
  EXPECT_EQ(after, "x");
}

}  // namespace
}  // namespace lexiscoop
