#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/Compare.h"

namespace lexiscoop {
namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

struct CompareRow {
  std::string a, b;
  int text;  // expected sign of CompareText
  int str;   // expected sign of CompareStr
};

TEST(CompareTest, OrdersWordsLikeTheJapaneseLocale) {
  const std::vector<CompareRow> rows = {
      {"apple", "apple", 0, 0},
      {"Apple", "apple", 0, 1},      // lower case first
      {"apple", "APPLE", 0, -1},
      {"apple", "banana", -1, -1},
      {"Banana", "apple", 1, 1},     // case does not decide the order
      {"co-op", "coop", -1, -1},     // equal without the hyphen, then 0x2D < 'o'
      {"can't", "cant", -1, -1},     // equal without the apostrophe; then 0x27 < 't'
      {"e-mail", "email", -1, -1},
      {"email", "emails", -1, -1},
      {"e-mail", "emails", -1, -1},  // step 1: "email" < "emails"
      {"1990", "abc", -1, -1},       // digits before letters
      {"_init", "abc", -1, -1},      // underscore 0x5F folds below 'a' (0x61)
      {"Zeta", "_x", 1, 1},          // 'z' 0x7A > '_' 0x5F after folding
      {"", "a", -1, -1},
      {"-", "", 1, 1},               // equal in step 1, longer in step 2
      {"aB", "Ab", 0, -1},           // first case difference: 'a' vs 'A'
  };
  for (const CompareRow& r : rows) {
    EXPECT_EQ(Sign(CompareText(r.a, r.b)), r.text) << r.a << " vs " << r.b;
    EXPECT_EQ(Sign(CompareText(r.b, r.a)), -r.text) << r.b << " vs " << r.a;
    EXPECT_EQ(Sign(CompareStr(r.a, r.b)), r.str) << r.a << " vs " << r.b;
    EXPECT_EQ(Sign(CompareStr(r.b, r.a)), -r.str) << r.b << " vs " << r.a;
  }
}

TEST(CompareTest, DoubleByteCharactersAreOneUnitAndNeverFolded) {
  // 0x82 0x60 is full-width A, 0x82 0x81 full-width a: trail bytes 0x60/0x81.
  // 0x83 0x41 and 0x83 0x61 differ only in a trail byte that looks like a letter.
  const std::string katakanaA = "\x83\x41";
  const std::string katakanaMu = "\x83\x61";
  EXPECT_NE(CompareText(katakanaA, katakanaMu), 0);
  EXPECT_FALSE(SameText(katakanaA, katakanaMu));
  // A trail byte 0x2D-like value cannot occur, but a trail byte equal to a
  // folded letter must not be skipped or folded: "x" + kanji vs "X" + kanji.
  EXPECT_EQ(CompareText("x\x88\x9F", "X\x88\x9F"), 0);
  // Double-byte characters sort after every ASCII letter.
  EXPECT_LT(CompareText("zebra", "\x82\xA0"), 0);
}

TEST(CompareTest, EqualityIsExactlyAsciiFolding) {
  EXPECT_TRUE(SameText("The", "tHE"));
  EXPECT_FALSE(SameText("co-op", "coop"));
  EXPECT_FALSE(SameText("a", "a "));
  EXPECT_NE(CompareText("co-op", "coop"), 0);
}

TEST(CompareTest, SortIsATotalOrderConsistentWithStr) {
  std::vector<std::string> words = {"b", "B", "a-b", "ab", "A'b", "Ab", "aB", "AB", "a", "A", "-a", "'"};
  std::sort(words.begin(), words.end(),
            [](const std::string& x, const std::string& y) { return CompareStr(x, y) < 0; });
  for (size_t i = 0; i + 1 < words.size(); ++i) {
    EXPECT_LE(CompareText(words[i], words[i + 1]), 0) << words[i] << " / " << words[i + 1];
    EXPECT_LT(CompareStr(words[i], words[i + 1]), 0) << words[i] << " / " << words[i + 1];
  }
}

}  // namespace
}  // namespace lexiscoop

namespace lexiscoop {
namespace {

TEST(FoldedHashTest, AgreesWithSameTextAtEveryLength) {
  std::string lower, upper;
  for (int n = 0; n < 20; ++n) {
    EXPECT_EQ(FoldedHash(lower), FoldedHash(upper)) << lower;
    EXPECT_TRUE(SameText(lower, upper));
    lower += static_cast<char>('a' + n % 26);
    upper += static_cast<char>('A' + n % 26);
  }
  EXPECT_NE(FoldedHash("abc"), FoldedHash("abd"));
  EXPECT_NE(FoldedHash("ab"), FoldedHash(std::string("ab\0", 3)));
  EXPECT_EQ(FoldedHash("X\x88\x9F"), FoldedHash("x\x88\x9F"));
}

}  // namespace
}  // namespace lexiscoop
