#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>
#include <string>
#include <vector>

#include "DictionaryFixture.h"
#include "platform/AtomicFile.h"

namespace lexiscoop {
namespace {

using testing_support::DictionaryTest;
using testing_support::HeadwordsOf;
using testing_support::Lines;
using testing_support::LinesOf;
using testing_support::ReadBytes;
using testing_support::ReadList;
using testing_support::WriteList;

class RecordTest : public DictionaryTest {
 protected:
  void SetUp() override {
    DictionaryTest::SetUp();
    WriteShippedDictionary({"go\tes,ing,ne,2went", "run\tning,s,2an", "zoo\ts"});
    WriteList(LevelFile("LXBasics.dat"), {"go", "run"});
    WriteList(LevelFile("LXJunior.dat"), {"school"});
    WriteList(LevelFile("LXGeneral.dat"), {"zoo"});
    // University entrance: no files at all.
    Loaded();
    shippedBytes_ = ReadBytes(ProgramFile("LxScoop.dat"));
  }
  // The spellings the lexicon lists under a headword, by name.
  Lines SpellingsOf(const std::string& headword) { return testing_support::SpellingsOf(dictionary_, headword); }

  std::string shippedBytes_;
};

TEST_F(RecordTest, RecordsStudyAndReadsItsSpellingsBack) {
  ASSERT_EQ(dictionary_.RecordHeadword("study", "studied\r\nstudies\r\nstudying\r\n", 2), RecordStatus::Recorded);
  EXPECT_EQ(UserDictionary(),
            (Lines{"go\tes,ing,ne,2went", "run\tning,s,2an", "study\t1ied,1ies,ing", "zoo\ts"}));
  EXPECT_EQ(SpellingsOf("study"), (Lines{"studied", "studies", "study", "studying"}));
  EXPECT_EQ(dictionary_.LevelOf("study"), 2);
  EXPECT_EQ(ReadList(LevelFile("myLXJunior.dat")), (Lines{"school", "study"}));
  EXPECT_EQ(ReadBytes(ProgramFile("LxScoop.dat")), shippedBytes_);  // never written
  EXPECT_FALSE(FileExists(LevelFile("myLXBasics.dat")));  // held nothing to remove
}

TEST_F(RecordTest, WritesGoWithItsIrregularForm) {
  ASSERT_EQ(dictionary_.RecordHeadword("go", "goes going, gone\twent", 1), RecordStatus::Recorded);
  EXPECT_EQ(UserDictionary()[0], "go\tes,ing,ne,2went");
}

TEST_F(RecordTest, MovesAHeadwordBetweenLevels) {
  struct Step {
    int level;
    int levelAfter;
    Lines basics, junior, general;
  };
  const Step steps[] = {
      {2, 2, {"run"}, {"go", "school"}, {"zoo"}},
      {4, 4, {"run"}, {"school"}, {"go", "zoo"}},
      {3, 0, {"run"}, {"school"}, {"zoo"}},  // no list: enters none, leaves the others
      {1, 1, {"go", "run"}, {"school"}, {"zoo"}},
      {0, 0, {"run"}, {"school"}, {"zoo"}},
  };
  for (const Step& step : steps) {
    ASSERT_EQ(dictionary_.RecordHeadword("go", "went", step.level), RecordStatus::Recorded);
    EXPECT_EQ(dictionary_.LevelOf("go"), step.levelAfter) << step.level;
    EXPECT_EQ(LinesOf(dictionary_.LevelList(1)), step.basics) << step.level;
    EXPECT_EQ(LinesOf(dictionary_.LevelList(2)), step.junior) << step.level;
    EXPECT_EQ(LinesOf(dictionary_.LevelList(4)), step.general) << step.level;
    EXPECT_FALSE(FileExists(LevelFile("myLXToUnuvercity.dat")));
  }
  EXPECT_EQ(ReadList(LevelFile("LXBasics.dat")), (Lines{"go", "run"}));  // shipped lists untouched
}

TEST_F(RecordTest, OtherLetterCaseReplacesTheLine) {
  ASSERT_EQ(dictionary_.RecordHeadword("Go", "went", 1), RecordStatus::Recorded);
  EXPECT_EQ(UserDictionary(), (Lines{"Go\t2went", "run\tning,s,2an", "zoo\ts"}));
  EXPECT_EQ(HeadwordsOf(dictionary_), (Lines{"Go", "run", "zoo"}));
  EXPECT_EQ(dictionary_.LevelOf("go"), 1);
  EXPECT_EQ(ReadList(LevelFile("LXBasics.dat")), (Lines{"go", "run"}));
}

TEST_F(RecordTest, SpellingsEqualToTheHeadwordAndLongStripCounts) {
  ASSERT_EQ(dictionary_.RecordHeadword("sheep", "sheep", 0), RecordStatus::Recorded);
  ASSERT_EQ(dictionary_.RecordHeadword("understanding", "u understood", 0), RecordStatus::Recorded);
  const Lines lines = UserDictionary();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "sheep\t\"\""), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "understanding\t12,6ood"), lines.end());
  EXPECT_EQ(SpellingsOf("sheep"), Lines{"sheep"});
  EXPECT_EQ(SpellingsOf("understanding"), (Lines{"u", "understanding", "understood"}));
}

TEST_F(RecordTest, DeletesOnlyTheExactHeadwordAndKeepsTheLevels) {
  EXPECT_FALSE(dictionary_.DeleteHeadword("Go"));
  EXPECT_FALSE(dictionary_.DeleteHeadword("absent"));
  EXPECT_FALSE(FileExists(ProgramFile("myLxScoop.dat")));  // nothing written
  ASSERT_TRUE(dictionary_.DeleteHeadword("go"));
  EXPECT_EQ(UserDictionary(), (Lines{"run\tning,s,2an", "zoo\ts"}));
  EXPECT_EQ(HeadwordsOf(dictionary_), (Lines{"run", "zoo"}));
  EXPECT_EQ(dictionary_.CurrentLexicon()->Resolve("went"), kNoHeadword);
  EXPECT_EQ(dictionary_.LevelOf("go"), 1);
  ASSERT_EQ(dictionary_.RecordHeadword("go", "went", 1), RecordStatus::Recorded);
  EXPECT_EQ(UserDictionary(), (Lines{"go\t2went", "run\tning,s,2an", "zoo\ts"}));
}

TEST_F(RecordTest, NewHeadwordLeavesEveryOtherLine) {
  WriteUserDictionary({"zoo\ts", "apple\ts", "\tstray field", "Mango\tes"});  // user's own order
  dictionary_.ReloadDictionary(false);
  ASSERT_EQ(dictionary_.RecordHeadword("banana", "bananas", 0), RecordStatus::Recorded);
  EXPECT_EQ(UserDictionary(), (Lines{"\tstray field", "apple\ts", "banana\ts", "Mango\tes", "zoo\ts"}));
}

TEST_F(RecordTest, FindsTheLineWhenTheFileChangedSinceTheLoad) {
  // Another program rewrote the user's file: the lexicon's line numbers are stale.
  WriteUserDictionary({"apple\ts", "go\tes", "run\ts", "zoo\ts"});
  ASSERT_EQ(dictionary_.RecordHeadword("go", "went", 0), RecordStatus::Recorded);
  EXPECT_EQ(UserDictionary(), (Lines{"apple\ts", "go\t2went", "run\ts", "zoo\ts"}));
}

TEST_F(RecordTest, RefusesTextThatWouldBreakTheLines) {
  const std::string cases[][2] = {
      {"", "x"}, {"go\tes", ""}, {"go\r\nrun", ""}, {"go", "\"gone\r\nrun\tx\""}};
  for (const auto& c : cases) {
    EXPECT_EQ(dictionary_.RecordHeadword(c[0], c[1], 1), RecordStatus::InvalidText) << c[0];
  }
  EXPECT_FALSE(FileExists(ProgramFile("myLxScoop.dat")));
}

TEST_F(RecordTest, UnreadableUserDictionaryIsNotOverwritten) {
  ASSERT_TRUE(WriteFileAtomically(ProgramFile("myLxScoop.dat"), "BDC1 damaged").ok());
  EXPECT_EQ(dictionary_.RecordHeadword("go", "went", 0), RecordStatus::DictionaryUnreadable);
  EXPECT_EQ(ReadBytes(ProgramFile("myLxScoop.dat")), "BDC1 damaged");
  EXPECT_EQ(dictionary_.LevelOf("go"), 1);
}

TEST_F(RecordTest, FailedSaveKeepsTheUserFiles) {
  ASSERT_EQ(dictionary_.RecordHeadword("go", "went", 1), RecordStatus::Recorded);
  const std::string before = ReadBytes(ProgramFile("myLxScoop.dat"));
  SetWriteFaultForTesting(WriteStep::Flush);
  ASSERT_EQ(dictionary_.RecordHeadword("go", "goes", 2), RecordStatus::NotSaved);
  SetWriteFaultForTesting(std::nullopt);
  EXPECT_EQ(dictionary_.LastSaveStatus().systemError(), EIO);
  EXPECT_EQ(ReadBytes(ProgramFile("myLxScoop.dat")), before);
  EXPECT_EQ(SpellingsOf("go"), (Lines{"go", "went"}));  // the reload shows the files
  EXPECT_EQ(dictionary_.LevelOf("go"), 1);
  EXPECT_FALSE(FileExists(LevelFile("myLXJunior.dat")));
}

TEST_F(RecordTest, ReadOnlyUserFileIsReplacedAndStaysReadOnly) {
  ASSERT_EQ(dictionary_.RecordHeadword("go", "went", 1), RecordStatus::Recorded);
  ASSERT_EQ(chmod(ProgramFile("myLxScoop.dat").c_str(), 0444), 0);
  ASSERT_EQ(dictionary_.RecordHeadword("go", "goes", 1), RecordStatus::Recorded);
  EXPECT_EQ(UserDictionary()[0], "go\tes");
  struct stat st{};
  ASSERT_EQ(stat(ProgramFile("myLxScoop.dat").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0444u);
}

TEST_F(RecordTest, MissingProgramFolderIsCreatedOnSave) {
  ConjugationDictionary fresh(root_ / "new/program", levelFolder_);
  ASSERT_EQ(fresh.RecordHeadword("go", "went", 0), RecordStatus::Recorded);
  EXPECT_EQ(ReadList(root_ / "new/program/myLxScoop.dat"), Lines{"go\t2went"});
  EXPECT_EQ(HeadwordsOf(fresh), Lines{"go"});
}

// Every spelling of every headword as "headword: spelling spelling…", with the
// headword's level: what the lexicon of a load holds.
Lines LexiconDump(const ConjugationDictionary& d) {
  Lines dump;
  for (const Headword& h : d.CurrentLexicon()->Headwords()) {
    std::string line = h.spelling + " (" + std::to_string(static_cast<int>(h.level)) + "):";
    for (const std::string& form : h.forms) line += " " + form;
    dump.push_back(line);
  }
  return dump;
}

TEST_F(RecordTest, AfterEveryChangeTheLexiconEqualsAFreshLoadOfTheFiles) {
  // A change reloads from what it wrote and what it read before, unless the
  // files changed on disk; another writer's change must still be seen.
  std::mt19937 rng(7);
  const char* names[] = {"go", "run", "zoo", "cat", "Dog", "emu", "fox"};
  ConjugationDictionary other(programFolder_, levelFolder_);
  for (int step = 0; step < 60; ++step) {
    const std::string name = names[rng() % 7];
    ConjugationDictionary& writer = rng() % 4 == 0 ? other : dictionary_;
    switch (rng() % 3) {
      case 0:
      case 1:
        ASSERT_EQ(writer.RecordHeadword(name, name + "s " + name + "ed", static_cast<int>(rng() % 5)),
                  RecordStatus::Recorded);
        break;
      default:
        writer.DeleteHeadword(name);
        break;
    }
    ConjugationDictionary fresh(programFolder_, levelFolder_);
    fresh.ReloadDictionary(false);
    ConjugationDictionary& reader = &writer == &other ? dictionary_ : other;
    reader.ReloadDictionary(false);
    SCOPED_TRACE(step);
    EXPECT_EQ(LexiconDump(writer), LexiconDump(fresh));
    EXPECT_EQ(LexiconDump(reader), LexiconDump(fresh));
    for (int level = 1; level <= kLevelCount; ++level) {
      EXPECT_EQ(LinesOf(writer.LevelList(level)), LinesOf(fresh.LevelList(level))) << level;
    }
  }
}

}  // namespace
}  // namespace lexiscoop
