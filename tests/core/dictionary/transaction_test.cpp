// The user's dictionary change as a transaction: changes of other objects
// (other processes) kept, interrupted changes completed or discarded,
// stale temporaries removed, damaged files never written over.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <string>

#include "DictionaryFixture.h"
#include "dictionary/DictionaryTransaction.h"

namespace lexiscoop {
namespace {

namespace fs = std::filesystem;
using testing_support::DictionaryTest;
using testing_support::HeadwordRow;
using testing_support::Lines;
using testing_support::ReadList;
using testing_support::WriteList;

// An intent record as the format describes it, written by hand.
std::string Journal(const std::vector<std::pair<std::string, std::string>>& files, bool damage = false) {
  std::string text = "LXJ1\n" + std::to_string(files.size()) + "\n";
  for (const auto& [temp, target] : files) {
    text += std::to_string(temp.size()) + ":" + temp + "\n";
    text += std::to_string(target.size()) + ":" + target + "\n";
  }
  uint64_t hash = 1469598103934665603ull;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  if (damage) hash ^= 1;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return text + "END " + hex + "\n";
}

void WriteBytes(const std::string& path, const std::string& bytes) { ASSERT_TRUE(WriteFileAtomically(path, bytes).ok()); }

std::string ListBytes(const Lines& lines) {
  TCompressStringList list;
  for (const std::string& line : lines) list.Add(line);
  return list.FileImage();
}

void MakeOld(const std::string& path) {
  utimbuf times{1000000000, 1000000000};
  ASSERT_EQ(utime(path.c_str(), &times), 0);
}

class TransactionTest : public DictionaryTest {
 protected:
  void SetUp() override {
    DictionaryTest::SetUp();
    WriteShippedDictionary({"go\tes,ing,ne,2went", "run\tning,s,2an"});
    WriteList(LevelFile("LXBasics.dat"), {"go", "run"});
    WriteList(LevelFile("LXJunior.dat"), {"school"});
    Loaded();
  }
};

TEST_F(TransactionTest, AChangeMadeElsewhereSinceTheLoadIsKept) {
  ConjugationDictionary other(programFolder_, levelFolder_);
  other.ReloadDictionary(false);
  ASSERT_EQ(other.RecordHeadword("alpha", "alphas", 2), RecordStatus::Recorded);
  EXPECT_TRUE(dictionary_.FilesChangedOnDisk());

  // This object never loaded alpha, yet its change keeps it.
  ASSERT_EQ(dictionary_.RecordHeadword("beta", "betas", 1), RecordStatus::Recorded);
  EXPECT_FALSE(dictionary_.FilesChangedOnDisk());
  EXPECT_EQ(UserDictionary(), (Lines{"alpha\ts", "beta\ts", "go\tes,ing,ne,2went", "run\tning,s,2an"}));
  EXPECT_EQ(ReadList(LevelFile("myLXJunior.dat")), (Lines{"alpha", "school"}));
  EXPECT_EQ(ReadList(LevelFile("myLXBasics.dat")), (Lines{"beta", "go", "run"}));
  EXPECT_EQ(dictionary_.LevelOf("alpha"), 2);

  // A record without a level keeps the level the files give now.
  ASSERT_EQ(other.RecordHeadword("beta", "betas betted", -1), RecordStatus::Recorded);
  EXPECT_EQ(other.LevelOf("beta"), 1);
  // A delete of a headword this object loaded but another removed.
  ASSERT_TRUE(other.DeleteHeadword("run"));
  EXPECT_FALSE(dictionary_.DeleteHeadword("run"));
  EXPECT_TRUE(dictionary_.LastSaveStatus().ok());
}

TEST_F(TransactionTest, NothingChangedMeansNothingToReload) {
  EXPECT_FALSE(dictionary_.FilesChangedOnDisk());
  WriteList(LevelFile("myLXJunior.dat"), {"school", "zoo"});
  EXPECT_TRUE(dictionary_.FilesChangedOnDisk());
  dictionary_.ReloadDictionary(false);
  EXPECT_FALSE(dictionary_.FilesChangedOnDisk());
  fs::remove(LevelFile("myLXJunior.dat"));
  EXPECT_TRUE(dictionary_.FilesChangedOnDisk());
}

TEST_F(TransactionTest, AnInterruptedChangeIsCompletedByTheNextLoad) {
  // A change decided (its intent record on disk) and cut off after the
  // dictionary was renamed but before the level list was.
  const std::string dictionary = ProgramFile("myLxScoop.dat");
  const std::string level = LevelFile("myLXJunior.dat");
  WriteBytes(dictionary, ListBytes({"go\tes,ing,ne,2went", "new\ts", "run\tning,s,2an"}));
  WriteBytes(level + ".tmp-Ab12Cd", ListBytes({"new", "school"}));
  WriteBytes(ProgramFile(kJournalFileName),
             Journal({{dictionary + ".tmp-Zz99Yy", dictionary}, {level + ".tmp-Ab12Cd", level}}));

  ConjugationDictionary next(programFolder_, levelFolder_);
  next.ReloadDictionary(false);
  EXPECT_EQ(ReadList(level), (Lines{"new", "school"}));
  EXPECT_FALSE(FileExists(level + ".tmp-Ab12Cd"));
  EXPECT_FALSE(FileExists(ProgramFile(kJournalFileName)));
  EXPECT_EQ(next.LevelOf("new"), 2);
  EXPECT_GE(HeadwordRow(next, "new"), 0);
}

TEST_F(TransactionTest, AnUndecidedChangeIsDiscarded) {
  const std::string level = LevelFile("myLXJunior.dat");
  const std::string temp = level + ".tmp-Ab12Cd";
  WriteBytes(temp, ListBytes({"new", "school"}));
  MakeOld(temp);
  // A damaged record did not decide anything.
  WriteBytes(ProgramFile(kJournalFileName), Journal({{temp, level}}, true));
  ConjugationDictionary next(programFolder_, levelFolder_);
  next.ReloadDictionary(false);
  EXPECT_FALSE(FileExists(level));
  EXPECT_FALSE(FileExists(ProgramFile(kJournalFileName)));
  EXPECT_EQ(next.LevelOf("new"), 0);
  // Its new version is a stale temporary that the next change removes.
  ASSERT_EQ(next.RecordHeadword("zoo", "zoos", 0), RecordStatus::Recorded);
  EXPECT_FALSE(FileExists(temp));
}

TEST_F(TransactionTest, StaleTemporariesOfOurOwnNamingAreRemoved) {
  const std::string dictionary = ProgramFile("myLxScoop.dat");
  const struct {
    std::string path;
    bool removed;
  } files[] = {
      {dictionary + ".tmp-a1B2c3", true},
      {LevelFile("myLXGeneral.dat.tmp-XXXXXX"), true},
      {ProgramFile(std::string(kJournalFileName) + ".tmp-q1w2e3"), true},
      {dictionary + ".tmp-a1B2", false},      // not a name we make
      {dictionary + ".tmp-a1B2c3-", false},
      {ProgramFile("notes.txt.tmp-a1B2c3"), false},
      {ProgramFile("LxScoop.dat.tmp-a1B2c3"), false},  // the shipped file is never ours to write
  };
  for (const auto& file : files) {
    WriteBytes(file.path, "left behind");
    MakeOld(file.path);
  }
  ASSERT_EQ(dictionary_.RecordHeadword("zoo", "zoos", 1), RecordStatus::Recorded);
  for (const auto& file : files) EXPECT_EQ(FileExists(file.path), !file.removed) << file.path;
}

TEST_F(TransactionTest, DamagedShippedDictionaryIsNeverHiddenByARecord) {
  const std::string shipped = ProgramFile("LxScoop.dat");
  std::string bytes = testing_support::ReadBytes(shipped);
  bytes.pop_back();
  WriteBytes(shipped, bytes);
  ConjugationDictionary fresh(programFolder_, levelFolder_);
  fresh.ReloadDictionary(false);
  EXPECT_EQ(fresh.DictionaryLoadStatus().systemError(), EBADMSG);
  EXPECT_EQ(fresh.RecordHeadword("zoo", "zoos", 1), RecordStatus::DictionaryUnreadable);
  EXPECT_EQ(fresh.DamagedFile(), shipped);
  EXPECT_FALSE(FileExists(ProgramFile("myLxScoop.dat")));
  EXPECT_FALSE(FileExists(LevelFile("myLXBasics.dat")));
  EXPECT_FALSE(fresh.DeleteHeadword("go"));
  EXPECT_EQ(fresh.DamagedFile(), shipped);
  EXPECT_EQ(testing_support::ReadBytes(shipped), bytes);
}

TEST_F(TransactionTest, UserFilesThatAreLinksStayLinks) {
  fs::create_directory(root_ / "real");
  const std::string real = root_ / "real/mine.dat";
  WriteList(real, {"go\tes,ing,ne,2went"});
  ASSERT_EQ(symlink(real.c_str(), ProgramFile("myLxScoop.dat").c_str()), 0);
  ConjugationDictionary linked(programFolder_, levelFolder_);
  linked.ReloadDictionary(false);
  ASSERT_EQ(linked.RecordHeadword("zoo", "zoos", 0), RecordStatus::Recorded);
  EXPECT_TRUE(fs::is_symlink(ProgramFile("myLxScoop.dat")));
  EXPECT_EQ(ReadList(real), (Lines{"go\tes,ing,ne,2went", "zoo\ts"}));
}

TEST_F(TransactionTest, AFolderWithoutWriteAccessRefusesTheChangeWhole) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
  ASSERT_EQ(chmod(programFolder_.c_str(), 0555), 0);
  EXPECT_EQ(dictionary_.RecordHeadword("zoo", "zoos", 1), RecordStatus::NotSaved);
  EXPECT_FALSE(dictionary_.LastSaveStatus().ok());
  chmod(programFolder_.c_str(), 0755);
  EXPECT_FALSE(FileExists(LevelFile("myLXBasics.dat")));
}

// Each outcome code of a change becomes the status the window and the CLI
// word: a refusal keeps its text, a plain errno has none but its errno.
TEST(ChangeStatusTest, EachOutcomeCodeBecomesItsStatus) {
  struct Row {
    int rc;
    Status::Code code;
    int systemError;
    bool refusalText;
  };
  const Row rows[] = {
      {0, Status::Code::kOk, 0, false},
      {EIO, Status::Code::kIoError, EIO, false},
      {ENOENT, Status::Code::kNotFound, ENOENT, false},
      {EFBIG, Status::Code::kTooLarge, EFBIG, false},
      {EBADMSG, Status::Code::kCorruption, EBADMSG, false},
      {ETIMEDOUT, Status::Code::kIoError, ETIMEDOUT, true},
      {kJournalNamesOutside, Status::Code::kCorruption, 0, true},
      {kJournalNotRegularFile, Status::Code::kInvalidArgument, 0, true},
      {kLockNotRegularFile, Status::Code::kInvalidArgument, 0, true},
      {kUserFileDanglingLink, Status::Code::kNotFound, 0, true},
      {kJournalTargetIsLink, Status::Code::kInvalidArgument, 0, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.rc);
    const Status status = ChangeStatus(row.rc);
    EXPECT_EQ(status.code(), row.code);
    EXPECT_EQ(status.systemError(), row.systemError);
    EXPECT_EQ(status.message(), row.refusalText ? ChangeRefusalText(row.rc) : std::string());
    EXPECT_EQ(status.message().empty(), !row.refusalText);
  }
}

}  // namespace
}  // namespace lexiscoop
