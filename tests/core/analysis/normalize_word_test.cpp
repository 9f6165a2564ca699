#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/NormalizeWord.h"

namespace lexiscoop {
namespace {

TEST(NormalizeWordTest, TrimsAndCutsContractions) {
  const std::vector<std::pair<std::string, std::string>> rows = {
      // trailing apostrophes and hyphens
      {"students'", "students"}, {"well-", "well"}, {"e-mail--'", "e-mail"},
      {"a'-'-", "a"},
      // endings cut at the first apostrophe
      {"I'm", "I"}, {"I've", "I"}, {"you'd", "you"}, {"he'll", "he"}, {"it's", "it"},
      {"John's", "John"}, {"they're", "they"}, {"IT'S", "IT"}, {"We'Re", "We"},
      // n't
      {"don't", "do"}, {"DON'T", "DO"}, {"wouldn't", "would"}, {"isn't", "is"},
      {"can't", "can"}, {"Can't", "Can"}, {"CAN'T", "CAN"},
      {"won't", "wo"}, {"shan't", "sha"}, {"ain't", "ai"},
      // unchanged
      {"o'clock", "o'clock"}, {"ma'am", "ma'am"}, {"rock'n'roll", "rock'n'roll"},
      {"Xo't", "Xo't"}, {"y'all", "y'all"}, {"plain", "plain"}, {"x86", "x86"},
      // the first apostrophe decides: "s'd" is not a known ending
      {"it's'd", "it's'd"},
      // only «n't» itself normalizes to nothing
      {"n't", ""}, {"N'T", ""},
  };
  for (const auto& [word, expected] : rows) {
    EXPECT_EQ(NormalizeWord(word), expected) << word;
  }
}

TEST(NormalizeWordTest, ResultIsAlwaysAPrefix) {
  for (std::string word : {"can't", "students'", "I'm", "rock'n'roll", "n't"}) {
    const std::string_view result = NormalizeWord(word);
    EXPECT_EQ(result.data(), word.data()) << word;
  }
}

}  // namespace
}  // namespace lexiscoop
