#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "DictionaryFixture.h"
#include "dictionary/DictionaryFiles.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

using testing_support::DictionaryTest;
using testing_support::HeadwordsOf;
using testing_support::SpellingsOf;
using testing_support::Lines;
using testing_support::LinesOf;
using testing_support::WriteList;

// Every listed spelling as "spelling>headword", sorted by bytes.
Lines SpellingDump(const ConjugationDictionary& d) {
  Lines dump;
  for (const Headword& h : d.CurrentLexicon()->Headwords()) {
    dump.push_back(h.spelling + ">" + h.spelling);
    for (const std::string& form : h.forms) dump.push_back(form + ">" + h.spelling);
  }
  std::sort(dump.begin(), dump.end());
  return dump;
}

TEST_F(DictionaryTest, LoadsHeadwordsAndSpellings) {
  WriteShippedDictionary({"go\tes,ing,ne,2went", "study\t1ied,1ies,ing", "sheep\t", "be\t\"\"", "noTabLine",
                          "run\tning,s,,2an"});
  ConjugationDictionary& d = Loaded();
  EXPECT_EQ(HeadwordsOf(d), (Lines{"go", "study", "sheep", "be", "", "run"}));
  // Empty items and a missing field give no spelling.
  EXPECT_EQ(SpellingDump(d), (Lines{">", "be>be", "go>go", "goes>go", "going>go", "gone>go", "ran>run", "run>run",
                                    "running>run", "runs>run", "sheep>sheep", "studied>study", "studies>study",
                                    "study>study", "studying>study", "went>go"}));
  EXPECT_EQ(d.CurrentLexicon()->At(0).forms, (Lines{"goes", "going", "gone", "went"}));  // in item order
  EXPECT_EQ(SpellingsOf(d, 2), (Lines{"sheep"}));
  EXPECT_EQ(d.CurrentLexicon()->FormCount(), 10);
}

TEST_F(DictionaryTest, ResolutionOfASpellingDoesNotDependOnLineOrder) {
  for (const Lines& lines : {Lines{"leave\t3ft", "left\t"}, Lines{"left\t", "leave\t3ft"}}) {
    WriteShippedDictionary(lines);
    ConjugationDictionary& d = Loaded();
    const std::shared_ptr<const Lexicon> lexicon = d.CurrentLexicon();
    // leave has inflected spellings, so it ranks before the bare headword left.
    ASSERT_EQ(lexicon->Candidates("LEFT").size(), 2u);
    EXPECT_EQ(lexicon->At(lexicon->Resolve("LEFT")).spelling, "leave");
    EXPECT_EQ(lexicon->At(lexicon->FindHeadword("left")).spelling, "left");
  }
}

TEST_F(DictionaryTest, BulkLoadEqualsAddingLineByLine) {
  // Many colliding spellings in mixed case, hyphens and apostrophes, which
  // the comparison orders in its own way.
  std::mt19937 rng(42);
  const char* parts[] = {"a", "A", "b", "-", "'", "ab", "Ba", "c"};
  Lines lines;
  for (int i = 0; i < 600; ++i) {
    std::string headword;
    for (int j = 0; j < 1 + static_cast<int>(rng() % 3); ++j) headword += parts[rng() % 8];
    std::string line = headword + "\t";
    for (int j = 0; j < static_cast<int>(rng() % 4); ++j) {
      if (j > 0) line += ",";
      line += rng() % 2 ? std::to_string(rng() % 3) : "";
      line += parts[rng() % 8];
    }
    lines.push_back(line);
  }
  WriteShippedDictionary(lines);
  ConjugationDictionary& bulk = Loaded();
  ConjugationDictionary oneByOne(programFolder_, levelFolder_);
  for (const std::string& line : lines) oneByOne.AddDictionaryLine(line);
  EXPECT_EQ(HeadwordsOf(bulk), HeadwordsOf(oneByOne));
  EXPECT_EQ(SpellingDump(bulk), SpellingDump(oneByOne));
  for (const std::string& line : lines) {
    const std::string spelling = line.substr(0, line.find('\t'));
    EXPECT_EQ(bulk.CurrentLexicon()->Resolve(spelling), oneByOne.CurrentLexicon()->Resolve(spelling)) << spelling;
  }
}

TEST_F(DictionaryTest, UserFilesReplaceShippedFilesCompletely) {
  WriteShippedDictionary({"alpha\t", "beta\ts"});
  WriteUserDictionary({"gamma\ts"});
  WriteList(LevelFile("LXBasics.dat"), {"alpha", "beta"});
  WriteList(LevelFile("myLXBasics.dat"), {"gamma"});
  ConjugationDictionary& d = Loaded();
  EXPECT_EQ(HeadwordsOf(d), Lines{"gamma"});
  EXPECT_EQ(LinesOf(d.LevelList(1)), Lines{"gamma"});
  EXPECT_EQ(d.LevelOf("alpha"), 0);
  EXPECT_EQ(d.DictionaryPath(), ProgramFile("myLxScoop.dat"));
}

TEST_F(DictionaryTest, MissingDictionaryIsReportedAndLeavesItEmpty) {
  ConjugationDictionary& d = Loaded();
  EXPECT_EQ(d.CurrentLexicon()->HeadwordCount(), 0);
  EXPECT_EQ(d.DictionaryLoadStatus().systemError(), ENOENT);
}

TEST_F(DictionaryTest, UndecodableDictionaryGivesAnEmptyOneSilently) {
  WriteShippedDictionary({"go\tes"});
  Loaded();
  ASSERT_TRUE(WriteFileAtomically(ProgramFile("myLxScoop.dat"), "BDC1 not really").ok());
  ConjugationDictionary& d = Loaded();
  EXPECT_EQ(d.CurrentLexicon()->HeadwordCount(), 0);
  EXPECT_EQ(d.CurrentLexicon()->FormCount(), 0);
  EXPECT_EQ(d.DictionaryLoadStatus().systemError(), EBADMSG);
}

TEST_F(DictionaryTest, LevelListsAreSortedWithoutEmptyEntriesAndTellTheWindow) {
  WriteShippedDictionary({"go\tes"});
  Lines basics;
  for (int i = 0; i < 1234; ++i) basics.push_back(std::string("w").append(std::to_string(1000 + i)));
  basics.push_back("");
  basics.push_back("Apple");
  WriteList(LevelFile("LXBasics.dat"), basics);
  WriteList(LevelFile("myLXJunior.dat"), {"zebra", "", "Yak", "ant"});
  WriteList(LevelFile("LXGeneral.dat"), {""});
  ConjugationDictionary& d = Loaded();
  EXPECT_TRUE(d.LevelList(1).Sorted());
  EXPECT_EQ(d.LevelList(1).Count(), 1235);
  EXPECT_EQ(d.LevelList(1)[0], "Apple");
  EXPECT_EQ(LinesOf(d.LevelList(2)), (Lines{"ant", "Yak", "zebra"}));
  EXPECT_EQ(d.LevelList(3).Count(), 0);
  EXPECT_EQ(d.LevelList(4).Count(), 0);
  ASSERT_EQ(observer_.levels.size(), 4u);
  EXPECT_EQ(observer_.barsHidden, 1);
  EXPECT_TRUE(observer_.levels[0].enabled);
  EXPECT_EQ(Utf8FromCp932(observer_.levels[0].hint), "基本の単語 1,235 個登録");
  EXPECT_EQ(Utf8FromCp932(observer_.levels[1].hint), "中学レベルの単語 3 個登録");
  EXPECT_FALSE(observer_.levels[2].enabled);
  EXPECT_EQ(observer_.levels[2].hint, "");
  // A list of one empty line has an entry when loaded: its hint counts what is left.
  EXPECT_FALSE(observer_.levels[3].enabled);
  EXPECT_EQ(Utf8FromCp932(observer_.levels[3].hint), "一般の単語 0 個登録");

  observer_.levels.clear();
  d.ReloadDictionary(true);
  EXPECT_TRUE(observer_.levels.empty());
  EXPECT_EQ(observer_.barsHidden, 1);
}

TEST_F(DictionaryTest, LevelOfTakesTheFirstListThatHoldsTheHeadword) {
  WriteShippedDictionary({"go\tes"});
  WriteList(LevelFile("LXBasics.dat"), {"go", "be"});
  WriteList(LevelFile("LXJunior.dat"), {"go", "study"});
  WriteList(LevelFile("LXToUnuvercity.dat"), {"analyse"});
  WriteList(LevelFile("LXGeneral.dat"), {"zeitgeist"});
  ConjugationDictionary& d = Loaded();
  struct Row {
    const char* headword;
    int level;
  };
  for (const Row& row : {Row{"go", 1}, Row{"GO", 1}, Row{"Study", 2}, Row{"analyse", 3}, Row{"zeitgeist", 4},
                         Row{"unknown", 0}, Row{"", 0}}) {
    EXPECT_EQ(d.LevelOf(row.headword), row.level) << row.headword;
  }
  EXPECT_EQ(Utf8FromCp932(LevelName(0)), "なし");
  EXPECT_EQ(Utf8FromCp932(LevelName(3)), "大学へ");
}

TEST_F(DictionaryTest, UndecodableLevelFileKeepsTheListItHad) {
  WriteShippedDictionary({"go\tes"});
  WriteList(LevelFile("LXBasics.dat"), {"go"});
  ConjugationDictionary& d = Loaded();
  ASSERT_TRUE(WriteFileAtomically(LevelFile("myLXBasics.dat"), "garbage").ok());
  d.ReloadDictionary(false);
  EXPECT_EQ(LinesOf(d.LevelList(1)), Lines{"go"});
}

TEST_F(DictionaryTest, LaterLoadOfASortedLevelListKeepsOneOfEqualEntries) {
  WriteShippedDictionary({"go\tes"});
  WriteList(LevelFile("LXBasics.dat"), {"go", "Go", "be"});
  ConjugationDictionary& d = Loaded();
  EXPECT_EQ(LinesOf(d.LevelList(1)), (Lines{"be", "go", "Go"}));
  d.ReloadDictionary(false);
  EXPECT_EQ(LinesOf(d.LevelList(1)), (Lines{"be", "go"}));
}

TEST_F(DictionaryTest, BareLevelFileNamesResolveInTheCurrentFolder) {
  WriteShippedDictionary({"go\tes"});
  WriteList(LevelFile("LXJunior.dat"), {"go"});
  char before[4096];
  ASSERT_NE(getcwd(before, sizeof before), nullptr);
  ASSERT_EQ(chdir(levelFolder_.c_str()), 0);
  ConjugationDictionary d(programFolder_, "");
  d.ReloadDictionary(false);
  const int level = d.LevelOf("go");
  const std::string path = d.UserLevelPath(2);
  ASSERT_EQ(chdir(before), 0);
  EXPECT_EQ(level, 2);
  EXPECT_EQ(path, "myLXJunior.dat");
}

}  // namespace
}  // namespace lexiscoop
