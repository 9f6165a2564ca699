// A dictionary whose user's files live in a folder of their own (the
// user's data folder of an installed program): every change goes there,
// the program and level folders are only read, and the user's files are
// read before the shipped ones.

#include <gtest/gtest.h>

#include <string>

#include "DictionaryFixture.h"
#include "dictionary/DictionaryTransaction.h"
#include "dictionary/GlossTable.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

using testing_support::Lines;
using testing_support::ReadBytes;
using testing_support::ReadList;
using testing_support::TestFolder;
using testing_support::WriteList;

class UserFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateFolderPath(program_));
    WriteList(program_ + "/LxScoop.dat", {"go\tes,ing,ne,2went", "run\tning,s,2an"});
    WriteList(program_ + "/LXBasics.dat", {"go", "run"});
    WriteList(program_ + "/LXJunior.dat", {"school"});
    WriteList(program_ + "/LxGloss.dat", {"go\t" + Cp932FromUtf8("行く")});
    shipped_ = ReadBytes(program_ + "/LxScoop.dat");
  }

  TestFolder root_;
  std::string program_ = root_ / "program";
  std::string user_ = root_ / "data/lexiscoop";  // not there yet
  std::string shipped_;
};

TEST_F(UserFolderTest, ChangesGoToTheUserFolderAndAreReadFirst) {
  ConjugationDictionary dictionary(program_, program_, user_);
  dictionary.ReloadDictionary(false);
  ASSERT_EQ(dictionary.CurrentLexicon()->HeadwordCount(), 2);
  ASSERT_EQ(dictionary.RecordHeadword("study", "studied studies", 2), RecordStatus::Recorded);
  ASSERT_EQ(dictionary.RecordGloss("study", Cp932FromUtf8("勉強する")), GlossRecordStatus::Recorded);

  // Written into the user folder, made for the first change.
  EXPECT_EQ(ReadList(user_ + "/myLxScoop.dat"), (Lines{"go\tes,ing,ne,2went", "run\tning,s,2an", "study\t1ied,1ies"}));
  EXPECT_EQ(ReadList(user_ + "/myLXJunior.dat"), (Lines{"school", "study"}));
  EXPECT_EQ(ReadList(user_ + "/myLxGloss.dat"), (Lines{"study\t" + Cp932FromUtf8("勉強する")}));
  // The lock of the change beside them, none in the program folder.
  EXPECT_TRUE(FileExists(JoinPath(user_, kLockFileName)));
  EXPECT_FALSE(FileExists(JoinPath(program_, kLockFileName)));
  // Nothing of the user's in the program folder, the shipped file unchanged.
  for (const char* name : {"myLxScoop.dat", "myLXJunior.dat", "myLXBasics.dat", "myLxGloss.dat"}) {
    EXPECT_FALSE(FileExists(program_ + "/" + name)) << name;
  }
  EXPECT_EQ(ReadBytes(program_ + "/LxScoop.dat"), shipped_);

  // A new session reads the user's files before the shipped ones.
  ConjugationDictionary again(program_, program_, user_);
  again.ReloadDictionary(false);
  EXPECT_EQ(again.DictionaryPath(), user_ + "/myLxScoop.dat");
  EXPECT_EQ(again.LevelOf("study"), 2);
  EXPECT_EQ(again.Glosses().Lookup("study"), Cp932FromUtf8("勉強する"));
  EXPECT_EQ(again.Glosses().Lookup("go"), Cp932FromUtf8("行く"));  // shipped, still read
  EXPECT_GE(again.CurrentLexicon()->FindHeadword("study"), 0);

  // A session that keeps the user's files in the program folder sees none of it.
  ConjugationDictionary beside(program_, program_);
  beside.ReloadDictionary(false);
  EXPECT_LT(beside.CurrentLexicon()->FindHeadword("study"), 0);
}

TEST_F(UserFolderTest, DeleteAndTheGlossTableAloneUseTheUserFolderToo) {
  ConjugationDictionary dictionary(program_, program_, user_);
  dictionary.ReloadDictionary(false);
  ASSERT_TRUE(dictionary.DeleteHeadword("run"));
  EXPECT_EQ(ReadList(user_ + "/myLxScoop.dat"), (Lines{"go\tes,ing,ne,2went"}));
  EXPECT_FALSE(FileExists(program_ + "/myLxScoop.dat"));

  GlossTable glosses(program_, user_);
  glosses.Reload();
  ASSERT_EQ(glosses.Record("go", Cp932FromUtf8("進む")), GlossRecordStatus::Recorded);
  EXPECT_EQ(glosses.UserPath(), user_ + "/myLxGloss.dat");
  EXPECT_EQ(ReadList(user_ + "/myLxGloss.dat"), (Lines{"go\t" + Cp932FromUtf8("進む")}));
  EXPECT_FALSE(FileExists(program_ + "/myLxGloss.dat"));
}

}  // namespace
}  // namespace lexiscoop
