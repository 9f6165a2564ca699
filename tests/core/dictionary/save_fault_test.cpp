// Saves that fail at every step (open, write, flush, rename) and at every
// save of a change: each file is either as it was or as the change makes it,
// the failure is reported, and no temporary file is left behind.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "DictionaryFixture.h"
#include "platform/AtomicFile.h"

namespace lexiscoop {
namespace {

namespace fs = std::filesystem;
using testing_support::DictionaryTest;
using testing_support::Lines;
using testing_support::ReadBytes;
using testing_support::WriteList;
using testing_support::TestFolder;

// Every file below a folder: relative name -> bytes.
using Snapshot = std::map<std::string, std::string>;

Snapshot Take(const std::string& root) {
  Snapshot files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files[fs::relative(entry.path(), root).string()] = ReadBytes(entry.path().string());
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
    EXPECT_EQ(dictionary.LastSaveStatus(), 0);
    return Take(twin.path());
  }

  // Runs `change` with the save number `failing` (0 = the first) and every
  // later one failing at each step in turn, on a fresh copy of the files
  // each time. `saveOrder` names the files the change writes, in order.
  void ExpectEachFileOldOrNew(const Change& change, const std::vector<std::string>& saveOrder) {
    const Snapshot before = Take(root_.path());
    const Snapshot after = AfterClean(change);
    for (size_t failing = 0; failing < saveOrder.size(); ++failing) {
      for (const WriteStep step : kSteps) {
        SCOPED_TRACE(std::string("save ") + std::to_string(failing) + " fails at " + StepName(step));
        TestFolder trial;
        fs::copy(root_.path(), trial.path(), fs::copy_options::recursive);
        ConjugationDictionary dictionary(trial / "program", trial / "levels");
        dictionary.ReloadDictionary(false);
        SetWriteFaultForTesting(step, static_cast<int>(failing));
        change(dictionary);
        SetWriteFaultForTesting(std::nullopt);
        EXPECT_EQ(dictionary.LastSaveStatus(), EIO);

        Snapshot expected = before;
        for (size_t i = 0; i < failing; ++i) expected[saveOrder[i]] = after.at(saveOrder[i]);
        // Exactly these files, byte for byte: no temporary file either.
        EXPECT_EQ(Take(trial.path()), expected);
      }
    }
  }
};

TEST_F(SaveFaultTest, RecordKeepsEveryFileItCouldNotWrite) {
  // go moves from Basic to Junior high: the dictionary, then the Junior high
  // list (go added), then the Basic list (go removed).
  const std::vector<std::string> order = {"program/myLxScoop.dat", "levels/myLXJunior.dat", "levels/myLXBasics.dat"};
  const Change change = [](ConjugationDictionary& d) {
    EXPECT_EQ(d.RecordHeadword("go", "goes went", 2), RecordStatus::Recorded);
  };
  ExpectEachFileOldOrNew(change, order);

  // The same with the user's files already there.
  ASSERT_EQ(dictionary_.RecordHeadword("zoo", "zoos", 2), RecordStatus::Recorded);
  ASSERT_TRUE(FileExists(LevelFile("myLXJunior.dat")));
  ExpectEachFileOldOrNew(change, order);
}

TEST_F(SaveFaultTest, DeleteKeepsTheDictionaryFileItCouldNotWrite) {
  const Change change = [](ConjugationDictionary& d) {
    EXPECT_TRUE(d.DeleteHeadword("run"));
    // The reload shows the file as it is: run stays when it was not saved.
    EXPECT_EQ(d.HeadwordList().IndexOf("run") >= 0, d.LastSaveStatus() != 0);
  };
  ExpectEachFileOldOrNew(change, {"program/myLxScoop.dat"});
  ASSERT_TRUE(dictionary_.DeleteHeadword("zoo"));
  ExpectEachFileOldOrNew(change, {"program/myLxScoop.dat"});
}

TEST_F(SaveFaultTest, StatusIsClearedByTheNextChange) {
  SetWriteFaultForTesting(WriteStep::Rename);
  dictionary_.RecordHeadword("go", "went", 1);
  SetWriteFaultForTesting(std::nullopt);
  ASSERT_EQ(dictionary_.LastSaveStatus(), EIO);
  EXPECT_EQ(dictionary_.RecordHeadword("go", "went", 1), RecordStatus::Recorded);
  EXPECT_EQ(dictionary_.LastSaveStatus(), 0);
  EXPECT_FALSE(dictionary_.DeleteHeadword("absent"));
  EXPECT_EQ(dictionary_.LastSaveStatus(), 0);
}

TEST_F(SaveFaultTest, ListSaveToANewFileLeavesNothingWhenItFails) {
  const std::string path = ProgramFile("new.dat");
  const Snapshot before = Take(root_.path());
  for (const WriteStep step : kSteps) {
    SetWriteFaultForTesting(step);
    TCompressStringList list;
    list.Add("line");
    EXPECT_EQ(list.SaveToFile(path), EIO) << StepName(step);
    SetWriteFaultForTesting(std::nullopt);
    EXPECT_EQ(Take(root_.path()), before) << StepName(step);
  }
}

}  // namespace
}  // namespace lexiscoop
