// Changes that fail at every step of every file they write (open, write,
// flush, rename, the intent record's included): the files hold the whole
// change or none of it, the outcome says which, and no temporary file is
// left behind.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "DictionaryFixture.h"
#include "dictionary/DictionaryTransaction.h"
#include "platform/AtomicFile.h"

namespace lexiscoop {
namespace {

namespace fs = std::filesystem;
using testing_support::DictionaryTest;
using testing_support::HeadwordRow;
using testing_support::SpellingsOf;
using testing_support::Lines;
using testing_support::ReadBytes;
using testing_support::WriteList;
using testing_support::TestFolder;

// Every file below a folder: relative name -> bytes.
using Snapshot = std::map<std::string, std::string>;

// The lock file is the folder's, not the change's.
Snapshot Take(const std::string& root) {
  Snapshot files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file() && entry.path().filename() != kLockFileName) {
      files[fs::relative(entry.path(), root).string()] = ReadBytes(entry.path().string());
    }
  }
  return files;
}

constexpr WriteStep kSteps[] = {WriteStep::Open, WriteStep::Write, WriteStep::Flush, WriteStep::Rename};

const char* StepName(WriteStep step) {
  switch (step) {
    case WriteStep::Open: return "open";
    case WriteStep::Write: return "write";
    case WriteStep::Flush: return "flush";
    case WriteStep::Rename: return "rename";
  }
  return "?";
}

class SaveFaultTest : public DictionaryTest {
 protected:
  using Change = std::function<void(ConjugationDictionary&)>;

  void SetUp() override {
    DictionaryTest::SetUp();
    WriteShippedDictionary({"go\tes,ing,ne,2went", "run\tning,s,2an", "zoo\ts"});
    WriteList(LevelFile("LXBasics.dat"), {"go", "run"});
    WriteList(LevelFile("LXJunior.dat"), {"school"});
    WriteList(LevelFile("LXGeneral.dat"), {"zoo"});
    Loaded();
  }

  // The files as `change` leaves them when nothing fails, made on a copy.
  Snapshot AfterClean(const Change& change) {
    TestFolder twin;
    fs::copy(root_.path(), twin.path(), fs::copy_options::recursive);
    ConjugationDictionary dictionary(twin / "program", twin / "levels");
    dictionary.ReloadDictionary(false);
    change(dictionary);
    EXPECT_TRUE(dictionary.LastSaveStatus().ok());
    return Take(twin.path());
  }

  // Runs `change`, which writes `files` files, with each step failing at
  // each of its occurrences in turn, on a fresh copy of the files each time.
  // `ended` checks what the change said. Before its intent record is in
  // place a failure leaves every file as it was; once it is, the change is
  // pending and the next load completes it.
  void ExpectWholeChangeOrNone(const Change& change, size_t files) {
    const Snapshot before = Take(root_.path());
    const Snapshot after = AfterClean(change);
    ASSERT_NE(before, after);
    int pending = 0;
    for (const WriteStep step : kSteps) {
      // Every file and the intent record are staged; the record's rename
      // comes first, then one rename per file.
      for (size_t failing = 0; failing <= files; ++failing) {
        SCOPED_TRACE(std::string("occurrence ") + std::to_string(failing) + " of " + StepName(step) + " fails");
        TestFolder trial;
        fs::copy(root_.path(), trial.path(), fs::copy_options::recursive);
        ConjugationDictionary dictionary(trial / "program", trial / "levels");
        dictionary.ReloadDictionary(false);
        SetWriteFaultForTesting(step, static_cast<int>(failing));
        change(dictionary);
        SetWriteFaultForTesting(std::nullopt);
        EXPECT_EQ(dictionary.LastSaveStatus().systemError(), EIO);
        const bool decided = step == WriteStep::Rename && failing > 0;
        EXPECT_EQ(dictionary.LastChangePending(), decided);
        if (!decided) {
          // Exactly these files, byte for byte: no temporary file either.
          EXPECT_EQ(Take(trial.path()), before);
          continue;
        }
        ++pending;
        // The next load, by any program, completes the change.
        ConjugationDictionary next(trial / "program", trial / "levels");
        next.ReloadDictionary(false);
        EXPECT_EQ(Take(trial.path()), after);
      }
    }
    EXPECT_EQ(pending, static_cast<int>(files));
  }
};

TEST_F(SaveFaultTest, RecordKeepsEveryFileItCouldNotWrite) {
  // go moves from Basic to Junior high: the dictionary, the Junior high list
  // (go added) and the Basic list (go removed).
  const Change change = [](ConjugationDictionary& d) {
    const RecordStatus status = d.RecordHeadword("go", "goes went", 2);
    EXPECT_EQ(status, d.LastSaveStatus().ok()   ? RecordStatus::Recorded
                      : d.LastChangePending() ? RecordStatus::Pending
                                              : RecordStatus::NotSaved);
    // The reload after it shows the files as they are: all or nothing,
    // unless the change is decided but waits to be completed.
    if (!d.LastChangePending()) {
      const bool moved = d.LevelOf("go") == 2;
      EXPECT_EQ(moved, SpellingsOf(d, "go").size() == 3);
    }
  };
  ExpectWholeChangeOrNone(change, 3);

  // The same with the user's files already there.
  ASSERT_EQ(dictionary_.RecordHeadword("zoo", "zoos", 2), RecordStatus::Recorded);
  ASSERT_TRUE(FileExists(LevelFile("myLXJunior.dat")));
  ExpectWholeChangeOrNone(change, 3);
}

TEST_F(SaveFaultTest, DeleteKeepsTheDictionaryFileItCouldNotWrite) {
  const Change change = [](ConjugationDictionary& d) {
    // Reported done only when written, or decided.
    const bool removed = d.DeleteHeadword("run");
    EXPECT_EQ(removed, d.LastSaveStatus().ok() || d.LastChangePending());
    // The reload shows the file as it is: run stays when it was not saved.
    if (!d.LastChangePending()) {
      EXPECT_EQ(HeadwordRow(d, "run") >= 0, !d.LastSaveStatus().ok());
    }
  };
  ExpectWholeChangeOrNone(change, 1);
  ASSERT_TRUE(dictionary_.DeleteHeadword("zoo"));
  ExpectWholeChangeOrNone(change, 1);
}

TEST_F(SaveFaultTest, StatusIsClearedByTheNextChange) {
  SetWriteFaultForTesting(WriteStep::Flush);
  dictionary_.RecordHeadword("go", "went", 1);
  SetWriteFaultForTesting(std::nullopt);
  ASSERT_EQ(dictionary_.LastSaveStatus().systemError(), EIO);
  EXPECT_EQ(dictionary_.RecordHeadword("go", "went", 1), RecordStatus::Recorded);
  EXPECT_TRUE(dictionary_.LastSaveStatus().ok());
  EXPECT_FALSE(dictionary_.DeleteHeadword("absent"));
  EXPECT_TRUE(dictionary_.LastSaveStatus().ok());
}

TEST_F(SaveFaultTest, ListSaveToANewFileLeavesNothingWhenItFails) {
  const std::string path = ProgramFile("new.dat");
  const Snapshot before = Take(root_.path());
  for (const WriteStep step : kSteps) {
    SetWriteFaultForTesting(step);
    TCompressStringList list;
    list.Add("line");
    EXPECT_EQ(list.SaveToFile(path).systemError(), EIO) << StepName(step);
    SetWriteFaultForTesting(std::nullopt);
    EXPECT_EQ(Take(root_.path()), before) << StepName(step);
  }
}

}  // namespace
}  // namespace lexiscoop
