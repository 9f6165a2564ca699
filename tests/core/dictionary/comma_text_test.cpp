#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionary/CommaText.h"
#include "dictionary/InflectionItem.h"

namespace lexiscoop {
namespace {

using Items = std::vector<std::string>;

TEST(CommaTextTest, Writes) {
  struct Row {
    Items items;
    std::string text;
  };
  const Row rows[] = {
      {{}, ""},
      {{""}, "\"\""},
      {{"1ied", "1ies", "ing"}, "1ied,1ies,ing"},
      {{"a", "", "b"}, "a,,b"},
      {{"a", ""}, "a,"},  // reads back as {"a"}
      {{"", ""}, ","},
      {{"two words"}, "\"two words\""},
      {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
      {{"a,b", "tab\there"}, "\"a,b\",\"tab\there\""},
      {{"\x83\x41"}, "\x83\x41"},  // double-byte text as it is
  };
  for (const Row& row : rows) EXPECT_EQ(WriteCommaText(row.items), row.text) << row.text;
}

TEST(CommaTextTest, Reads) {
  struct Row {
    std::string text;
    Items items;
  };
  const Row rows[] = {
      {"", {}},
      {"   ", {}},
      {"\"\"", {""}},
      {"1ied,1ies,ing", {"1ied", "1ies", "ing"}},
      {"a,,b", {"a", "", "b"}},
      {"a,", {"a"}},
      {",", {""}},
      {",,", {"", ""}},
      {"studied\r\nstudies\r\nstudying\r\n", {"studied", "studies", "studying"}},
      {"  a  b ,  c\t,d", {"a", "b", "c", "d"}},
      {"\"two words\",x", {"two words", "x"}},
      {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
      {"\"unclosed, item", {"unclosed, item"}},
      {"\"ab\"cd", {"ab", "cd"}},
      {std::string("a,b\0c", 5), {"a", "b"}},
  };
  for (const Row& row : rows) EXPECT_EQ(ReadCommaText(row.text), row.items) << row.text;
}

TEST(CommaTextTest, WrittenTextReadsBack) {
  const Items lists[] = {
      {"es", "ing", "ne", "2went"}, {""}, {"with space", "q\"uote", "com,ma"}, {"", "x"}, {"x", "", "y"}};
  for (const Items& items : lists) EXPECT_EQ(ReadCommaText(WriteCommaText(items)), items);
}

struct ItemRow {
  std::string headword, spelling, item;
};

TEST(InflectionItemTest, EncodesAndDecodesAgainstTheHeadword) {
  const ItemRow rows[] = {
      {"study", "studied", "1ied"},
      {"study", "studies", "1ies"},
      {"study", "studying", "ing"},
      {"go", "goes", "es"},
      {"go", "going", "ing"},
      {"go", "gone", "ne"},
      {"go", "went", "2went"},
      {"study", "stu", "2"},
      {"Go", "go", "2go"},  // case counts
      {"internationalize", "internationalise", "2se"},
      {"understanding", "u", "12"},  // strip count of two digits
      {"internationalization", "inter", "15"},
      {"internationalization", "x", "20x"},
      {"abcdefghijklmnop", "abcdeXYZ", "11XYZ"},
  };
  for (const ItemRow& row : rows) {
    EXPECT_EQ(EncodeInflectionItem(row.headword, row.spelling), row.item) << row.spelling;
    std::string spelling;
    ASSERT_TRUE(DecodeInflectionItem(row.headword, row.item, spelling)) << row.item;
    EXPECT_EQ(spelling, row.spelling) << row.item;
  }
}

TEST(InflectionItemTest, DecodesOddItems) {
  const ItemRow rows[] = {
      {"go", "go0s", "0s"},          // a leading 0 is no strip count
      {"go", "", "9"},               // beyond the headword: all of it stripped
      {"go", "x", "99999999999999999999999x"},
      {"abc", "", "212"},            // digits after a strip count belong to it
  };
  for (const ItemRow& row : rows) {
    std::string spelling;
    ASSERT_TRUE(DecodeInflectionItem(row.headword, row.item, spelling));
    EXPECT_EQ(spelling, row.spelling) << row.item;
  }
  // So a suffix starting with a digit is misread: abc/a12 is stored as "212".
  EXPECT_EQ(EncodeInflectionItem("abc", "a12"), "212");
  std::string spelling = "left over";
  EXPECT_FALSE(DecodeInflectionItem("go", "", spelling));
  EXPECT_EQ(spelling, "");
  EXPECT_EQ(EncodeInflectionItem("go", "go"), "");  // the headword itself
}

}  // namespace
}  // namespace lexiscoop
