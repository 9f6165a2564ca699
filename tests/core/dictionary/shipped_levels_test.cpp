// The shipped level lists as a teacher reads them: no taboo word in any
// level, school words at their school stage, names and fragments in none;
// learner errors stay out of the dictionary; hyphenated words and number
// words resolve.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "dictionary/CompressStringList.h"
#include "dictionary/ConjugationDictionary.h"
#include "shipped_dictionary.h"

namespace lexiscoop {
namespace {

const std::string kDataDir = LEXISCOOP_SHIPPED_DATA_DIR;
const std::string kHandLists = kDataDir + "/../tools/mkdict/";

// Every word of a hand-kept list of the generator: several to a line,
// '#' comments and blank lines skipped.
std::vector<std::string> HandList(const std::string& name) {
  std::ifstream file(kHandLists + name);
  std::vector<std::string> words;
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream fields(line.substr(0, line.find('#')));
    std::string word;
    while (fields >> word) words.push_back(word);
  }
  return words;
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

class ShippedLevelsTest : public ShippedDictionaryFixture {
 protected:
  // The level a spelling counts at: 0 for no level, -1 when not found.
  static int LevelOfSpelling(const std::string& word) {
    const std::string headword = Chosen(word);
    return headword.empty() ? -1 : dictionary_->LevelOf(headword);
  }
  static std::vector<std::string> LevelEntries() {
    std::vector<std::string> entries;
    for (int level = 1; level <= kLevelCount; ++level) {
      TCompressStringList list;
      EXPECT_TRUE(list.LoadFromFile(dictionary_->ShippedLevelPath(level)).ok()) << level;
      for (int i = 0; i < list.Count(); ++i) entries.push_back(list[i]);
    }
    return entries;
  }
};

TEST_F(ShippedLevelsTest, NoTabooWordIsInAnyLevelNorPartOfOneThatIs) {
  const std::vector<std::string> listed = HandList("taboo.txt");
  ASSERT_GE(listed.size(), 100u) << "the taboo list is missing or cut short";
  std::set<std::string> taboo;
  for (const std::string& w : listed) taboo.insert(Lower(w));
  // A few that must be on the list whatever else changes.
  for (const char* w : {"fuck", "shit", "cunt", "nigger", "faggot", "whore", "bitch", "porn"})
    EXPECT_TRUE(taboo.count(w)) << w;
  for (const std::string& entry : LevelEntries()) {
    std::istringstream parts(Lower(entry));
    std::string part;
    while (std::getline(parts, part, '-')) EXPECT_FALSE(taboo.count(part)) << entry;
  }
  for (const std::string& w : taboo) EXPECT_EQ(dictionary_->LevelOf(w), 0) << w;
}

TEST_F(ShippedLevelsTest, SchoolWordsSitAtTheStageJapaneseSchoolsTeachThem) {
  // Taught in elementary or junior high school: 基本 or 中学.
  for (const char* w : {// food, animals, sports, school
                        "grape", "peach", "pizza", "donut", "whale", "spider", "butterfly", "dolphin",
                        "giraffe", "volleyball", "badminton", "eraser", "textbook", "homework",
                        // places, clothes, jobs, family, body
                        "supermarket", "shrine", "temple", "museum", "umbrella", "socks", "jeans",
                        "T-shirt", "firefighter", "scientist", "grandparent", "cousin", "shoulder",
                        // weather, numbers, days and months, vehicles
                        "earthquake", "cloudy", "eleven", "thirteen", "ninety", "thirtieth", "twelfth",
                        "thirty-five", "Wednesday", "February", "bicycle", "taxi", "o'clock",
                        // countries, titles, ICT, school life
                        "Korea", "India", "Germany", "Brazil", "Mr", "Ms", "TV", "e-mail", "website",
                        "Internet", "smartphone", "festival", "volunteer", "environment", "delicious"}) {
    const int level = LevelOfSpelling(w);
    EXPECT_TRUE(level == 1 || level == 2) << w << " is at level " << level;
  }
  // Added in high school, or later: never 基本 or 中学.
  for (const char* w : {"achieve", "require", "obtain", "maintain", "evidence", "individual",
                        "consequence", "hypothesis", "phenomenon", "murder", "weapon", "wine", "lord",
                        "county", "so-called", "ubiquitous", "ephemeral"}) {
    const int level = LevelOfSpelling(w);
    EXPECT_TRUE(level != 1 && level != 2) << w << " is at level " << level;
  }
  EXPECT_NE(LevelOfSpelling("kill"), 1);
  EXPECT_NE(LevelOfSpelling("gun"), 1);
}

TEST_F(ShippedLevelsTest, NamesAndSubtitleFragmentsHaveNoLevel) {
  for (const char* w : {"John", "Bob", "Jack", "Nick", "Harry", "Smith", "Ken", "re", "ll", "ve", "em",
                        "ma", "pa", "eh", "ha", "de", "la", "ho", "mar"})
    EXPECT_LE(LevelOfSpelling(w), 0) << w;
  // Capital-letter place names are not read as plurals of common nouns.
  EXPECT_EQ(Chosen("Korea"), "Korea");
  EXPECT_EQ(Chosen("Wales"), "Wales");
  EXPECT_GE(LevelOfSpelling("Wales"), 1);
}

TEST_F(ShippedLevelsTest, EveryLevelEntryCountsForItself) {
  // An entry whose own spelling counts for another headword ("saw" for
  // "see") would be a level nobody's text ever reaches.
  const std::vector<std::string> entries = LevelEntries();
  ASSERT_GT(entries.size(), 4000u);
  int strays = 0;
  for (const std::string& entry : entries) {
    if (Lower(Chosen(entry)) != Lower(entry)) {
      ++strays;
      ADD_FAILURE() << entry << " counts for " << Chosen(entry);
    }
    if (strays > 20) break;
  }
}

TEST_F(ShippedLevelsTest, AmbiguousSpellingsCountForTheirMostLikelyHeadword) {
  const struct {
    const char* spelling;
    const char* headword;
  } readings[] = {{"saw", "see"},       {"found", "find"},  {"left", "leave"},  {"thought", "think"},
                  {"felt", "feel"},     {"fell", "fall"},   {"made", "make"},   {"heard", "hear"},
                  {"gone", "go"},       {"looking", "look"}, {"singing", "sing"}, {"taxes", "tax"},
                  {"lives", "life"},    {"men", "man"},     {"better", "good"}, {"worse", "bad"},
                  {"building", "building"}, {"morning", "morning"}, {"news", "news"}, {"data", "data"},
                  {"shoes", "shoe"},    {"glasses", "glass"}};
  for (const auto& r : readings) EXPECT_EQ(Chosen(r.spelling), r.headword) << r.spelling;
}

TEST_F(ShippedLevelsTest, LearnerErrorsStayOutOfTheDictionary) {
  const std::vector<std::string> guard = HandList("learner_errors.txt");
  ASSERT_GE(guard.size(), 50u) << "the learner-error guard list is missing or cut short";
  for (const std::string& w : guard) EXPECT_EQ(Chosen(w), "") << w;
  for (const char* w : {"throwed", "payed", "digged", "hided", "goed", "teached", "Japaneses",
                        "Englishes", "Englisher", "Swisser", "Frenched"})
    EXPECT_EQ(Chosen(w), "") << w;
  // Regular forms that written English uses beside the irregular ones stay.
  for (const char* w : {"learned", "dreamed", "showed", "proved", "burned", "lied"})
    EXPECT_NE(Chosen(w), "") << w;
}

TEST_F(ShippedLevelsTest, HyphenatedWordsAndNumbersResolve) {
  const char* tens[] = {"twenty", "thirty", "forty", "fifty", "sixty", "seventy", "eighty", "ninety"};
  const char* ones[] = {"one", "two", "three", "four", "five", "six", "seven", "eight", "nine"};
  for (const char* t : tens)
    for (const char* o : ones) {
      const std::string number = std::string(t) + "-" + o;
      EXPECT_EQ(Chosen(number), number);
      EXPECT_EQ(LevelOfSpelling(number), dictionary_->LevelOf(t)) << number;
    }
  EXPECT_EQ(Chosen("twenty-first"), "twenty-first");
  EXPECT_EQ(Chosen("Thirty-First"), "thirty-first");
  const struct {
    const char* spelling;
    const char* headword;
  } words[] = {{"e-mail", "e-mail"},         {"T-shirt", "T-shirt"},   {"t-shirts", "T-shirt"},
               {"well-known", "well-known"}, {"part-time", "part-time"}, {"up-to-date", "up-to-date"},
               {"so-called", "so-called"},   {"ten-year-old", "ten-year-old"},
               {"ten-year-olds", "ten-year-old"}, {"two-hour", "two-hour"}};
  for (const auto& w : words) EXPECT_EQ(Chosen(w.spelling), w.headword) << w.spelling;
}

TEST_F(ShippedLevelsTest, CommonWordsAreThereAndWrongFormsAreNot) {
  for (const char* w : {"etc", "keyword", "installer", "wildcard", "whitespace", "jeans", "cafe", "app",
                        "democrat", "republican", "whilst", "alright", "albeit", "thyself"})
    EXPECT_EQ(Lower(Chosen(w)), w);
  EXPECT_EQ(Chosen("epochs"), "epoch");
  EXPECT_EQ(Chosen("zeroes"), "zero");
  EXPECT_EQ(Chosen("data"), "data");
  EXPECT_EQ(Chosen("pants"), "pants");
  EXPECT_NE(Chosen("singed"), "sing");
  EXPECT_NE(Chosen("commoner"), "common");
  EXPECT_EQ(Chosen("singing"), "sing");
  EXPECT_EQ(Chosen("taxes"), "tax");
}

}  // namespace
}  // namespace lexiscoop
