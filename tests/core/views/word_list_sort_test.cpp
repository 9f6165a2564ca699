// The alphabet column's order, written out by hand: bytes compared one by one
// as unsigned values with only a-z folded to A-Z, a word before every longer
// word it begins. So an apostrophe sorts before a hyphen, both before digits,
// digits before letters, letters before '_' (which lies between 'Z' and 'a'),
// and double-byte characters after all of them, by their lead byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/Cp932.h"
#include "views/ShownWordList.h"

namespace lexiscoop {
namespace {

std::vector<std::string> WrittenOrder() {
  return {"'tis", "-ing", "007", "10",  "1st",   "2nd",   "9",    "a",     "A-side",
          "aab",  "a_b",  "b",   "can", "can't", "can-do", "can1", "Canada", "canal",
          "cant", "can_x", "Zebra", "zoo", "z_", Cp932FromUtf8("ア"), Cp932FromUtf8("語")};
}

TEST(AlphabetOrder, SortsShuffledWordsIntoTheWrittenOrder) {
  const std::vector<std::string> expected = WrittenOrder();
  std::mt19937 random(16);
  for (int round = 0; round < 20; ++round) {
    std::vector<std::string> words = expected;
    std::shuffle(words.begin(), words.end(), random);
    std::sort(words.begin(), words.end(),
              [](const std::string& a, const std::string& b) { return CompareOrdinalUpper(a, b) < 0; });
    ASSERT_EQ(words, expected) << "round " << round;
  }
}

TEST(AlphabetOrder, NeighboursCompareBothWays) {
  const std::vector<std::string> words = WrittenOrder();
  for (size_t i = 1; i < words.size(); ++i) {
    EXPECT_LT(CompareOrdinalUpper(words[i - 1], words[i]), 0) << words[i - 1] << " / " << words[i];
    EXPECT_GT(CompareOrdinalUpper(words[i], words[i - 1]), 0) << words[i] << " / " << words[i - 1];
  }
}

TEST(AlphabetOrder, LetterCaseAloneMakesNoDifference) {
  const struct {
    const char* a;
    const char* b;
  } pairs[] = {{"apple", "APPLE"}, {"Can't", "cAN'T"}, {"x-Ray", "X-rAY"}, {"", ""}};
  for (const auto& pair : pairs) EXPECT_EQ(CompareOrdinalUpper(pair.a, pair.b), 0) << pair.a;
  // Only a-z fold: the bytes between 'Z' and 'a' keep their values.
  EXPECT_GT(CompareOrdinalUpper("a[", "aZ"), 0);
  EXPECT_GT(CompareOrdinalUpper("a`", "AZ"), 0);
}

}  // namespace
}  // namespace lexiscoop
