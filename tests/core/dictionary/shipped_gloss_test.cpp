// The shipped glosses (LxGloss.dat): the file decodes into well-formed lines
// whose headwords are all in the shipped dictionary, and the everyday words
// a learner meets first carry the translation a teacher would give.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "dictionary/CompressStringList.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

const std::string kDataDir = LEXISCOOP_SHIPPED_DATA_DIR;

std::vector<std::string> SplitGlosses(const std::string& text) {
  std::vector<std::string> out;
  size_t start = 0;
  while (true) {
    const size_t end = text.find("; ", start);
    out.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  return out;
}

class ShippedGlossTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    TCompressStringList dictionary;
    ASSERT_EQ(dictionary.LoadFromFile(kDataDir + "/LxScoop.dat"), 0);
    headwords_ = new std::set<std::string>;
    for (int i = 0; i < dictionary.Count(); ++i) {
      const std::string& line = dictionary[i];
      headwords_->insert(line.substr(0, line.find('\t')));
    }
    TCompressStringList glosses;
    ASSERT_EQ(glosses.LoadFromFile(kDataDir + "/LxGloss.dat"), 0);
    lines_ = new std::vector<std::string>;
    for (int i = 0; i < glosses.Count(); ++i) lines_->push_back(glosses[i]);
  }
  static void TearDownTestSuite() {
    delete headwords_;
    delete lines_;
    headwords_ = nullptr;
    lines_ = nullptr;
  }

  static std::map<std::string, std::vector<std::string>> ByHeadword() {
    std::map<std::string, std::vector<std::string>> out;
    for (const std::string& line : *lines_) {
      const size_t tab = line.find('\t');
      if (tab != std::string::npos) out[line.substr(0, tab)] = SplitGlosses(line.substr(tab + 1));
    }
    return out;
  }

  static std::set<std::string>* headwords_;
  static std::vector<std::string>* lines_;
};

std::set<std::string>* ShippedGlossTest::headwords_ = nullptr;
std::vector<std::string>* ShippedGlossTest::lines_ = nullptr;

TEST_F(ShippedGlossTest, EveryLineIsAHeadwordOfTheDictionaryWithOneToThreeGlosses) {
  ASSERT_GT(lines_->size(), 10000u);
  std::set<std::string> seen;
  for (const std::string& line : *lines_) {
    const size_t tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    const std::string headword = line.substr(0, tab);
    EXPECT_TRUE(headwords_->count(headword)) << headword << " is not a headword of LxScoop.dat";
    EXPECT_TRUE(seen.insert(headword).second) << headword << " has two lines";
    const std::vector<std::string> glosses = SplitGlosses(line.substr(tab + 1));
    EXPECT_GE(glosses.size(), 1u) << line;
    EXPECT_LE(glosses.size(), 3u) << line;
    std::set<std::string> distinct;
    for (const std::string& gloss : glosses) {
      EXPECT_FALSE(gloss.empty()) << headword;
      EXPECT_EQ(gloss.find_first_of("\t;\r\n"), std::string::npos) << headword;
      // Japanese: every gloss has a double-byte character.
      bool wide = false;
      for (unsigned char c : gloss) wide = wide || c >= 0x81;
      EXPECT_TRUE(wide) << headword << ": " << gloss;
      EXPECT_TRUE(distinct.insert(gloss).second) << headword << " repeats a gloss";
    }
  }
}

TEST_F(ShippedGlossTest, FirstGlossOfEverydayWordsIsTheTeachersTranslation) {
  // The first gloss must be one of the accepted translations.
  const std::vector<std::pair<std::string, std::vector<std::string>>> table = {
      {"apple", {"りんご", "林檎"}},
      {"government", {"政府"}},
      {"borrow", {"借りる"}},
      {"library", {"図書館", "ライブラリー"}},
      {"although", {"けれども", "だけれども", "けれど", "のに"}},
      {"school", {"学校"}},
      {"dog", {"犬"}},
      {"water", {"水"}},
      {"run", {"走る", "駆ける"}},
      {"beautiful", {"美しい", "きれい", "綺麗"}},
      {"eat", {"食べる", "食う"}},
      {"book", {"本", "書物", "書籍"}},
      {"big", {"大きい", "大きな"}},
      {"red", {"赤", "赤い", "赤色"}},
      {"money", {"お金", "金"}},
      // Closed-class words: particles and patterns in Japanese, never the
      // loanword or the homonym an inversion of EDICT finds.
      {"by", {"によって", "のそばに", "までに"}},
      {"if", {"もし", "もしも"}},
      {"can", {"できる"}},
      {"might", {"かもしれない"}},
      {"upon", {"の上に", "に"}},
      {"whether", {"かどうか"}},
      {"ours", {"私たちのもの"}},
  };
  const auto glosses = ByHeadword();
  for (const auto& [word, accepted] : table) {
    const auto it = glosses.find(word);
    ASSERT_NE(it, glosses.end()) << word << " has no gloss";
    std::set<std::string> ok;
    for (const std::string& a : accepted) ok.insert(Cp932FromUtf8(a));
    EXPECT_TRUE(ok.count(it->second.front())) << word << ": the first gloss is not an accepted one";
  }
}

TEST_F(ShippedGlossTest, DoubtfulWordsGetNoGlossRatherThanAWrongOne) {
  // Grammar words without a Japanese word of their own are left out.
  const auto glosses = ByHeadword();
  for (const char* word : {"the", "a"}) EXPECT_FALSE(glosses.count(word)) << word;
}

}  // namespace
}  // namespace lexiscoop
