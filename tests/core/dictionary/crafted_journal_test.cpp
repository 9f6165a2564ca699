// What the data folder holds is not trusted: an intent record, the lock
// file and the user's files may be made by someone else. Nothing outside
// the data folder is ever moved, written or created through them.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "DictionaryFixture.h"
#include "dictionary/DictionaryTransaction.h"
#include "dictionary/IntentRecord.h"

namespace lexiscoop {
namespace {

namespace fs = std::filesystem;
using testing_support::DictionaryTest;
using testing_support::Lines;
using testing_support::ReadList;
using testing_support::WriteList;

// Every entry below `root` with what it holds: bytes, a link's target, or a
// folder mark. A regular lock file, which a writer makes, is left out.
std::map<std::string, std::string> Tree(const std::string& root) {
  std::map<std::string, std::string> tree;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string path = entry.path().string();
    if (entry.path().filename() == kLockFileName && entry.is_regular_file() && !entry.is_symlink()) continue;
    if (entry.is_symlink()) {
      tree[path] = "-> " + fs::read_symlink(entry.path()).string();
    } else if (entry.is_directory()) {
      tree[path] = "folder";
    } else if (entry.is_regular_file()) {
      tree[path] = testing_support::ReadBytes(path);
    } else {
      tree[path] = "special";
    }
  }
  return tree;
}

// An intent record of raw (temporary, target) name pairs, checksum right.
std::string RawJournal(const std::vector<std::pair<std::string, std::string>>& files) {
  std::string text = "LXJ1\n" + std::to_string(files.size()) + "\n";
  for (const auto& [temp, target] : files) {
    text += std::to_string(temp.size()) + ":" + temp + "\n" + std::to_string(target.size()) + ":" + target + "\n";
  }
  uint64_t hash = 1469598103934665603ull;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return text + "END " + hex + "\n";
}

class CraftedDataFolderTest : public DictionaryTest {
 protected:
  void SetUp() override {
    DictionaryTest::SetUp();
    WriteShippedDictionary({"go\tes,ing,ne,2went"});
    WriteList(LevelFile("LXBasics.dat"), {"go"});
    fs::create_directories(data_);
    fs::create_directories(outside_);
    WriteFile(outside_ + "/victim.txt", "the user's own file");
  }

  static void WriteFile(const std::string& path, const std::string& bytes) {
    ASSERT_TRUE(WriteFileAtomically(path, bytes).ok());
  }

  ConjugationDictionary Dictionary() { return ConjugationDictionary(programFolder_, levelFolder_, data_); }

  std::string data_ = root_ / "data";
  std::string outside_ = root_ / "outside";
};

TEST_F(CraftedDataFolderTest, AnIntentRecordNamingAnythingButOurOwnFilesIsLeftAlone) {
  const std::string temp = "myLxScoop.dat.tmp-Ab12Cd";
  const struct {
    const char* kind;
    std::string tempField;
    std::string targetField;
  } rows[] = {
      {"absolute target", data_ + "/" + temp, outside_ + "/victim.txt"},
      {"absolute temporary", outside_ + "/victim.txt", "myLxScoop.dat"},
      {"dot-dot target", temp, "../outside/victim.txt"},
      {"relative path", "sub/" + temp, "sub/myLxScoop.dat"},
      {"the shipped dictionary", data_ + "/" + temp, ProgramFile("LxScoop.dat")},
      {"a name not ours", "notes.txt.tmp-Ab12Cd", "notes.txt"},
      {"temporary not of our pattern", "victim.txt", "myLxScoop.dat"},
      {"temporary that is a link", "myLxScoop.dat.tmp-Ln12Ab", "myLxScoop.dat"},
      {"temporary that is a folder", "myLXBasics.dat.tmp-Dr12Ab", "myLXBasics.dat"},
      {"second file outside", temp, "/etc/passwd"},
      {"out of a list folder", "known/../outside.tmp-Ab12Cd", "known/../outside"},
      {"a list folder that is a link", "known/x.lxk.tmp-Ab12Cd", "known/x.lxk"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.kind);
    fs::remove_all(data_);
    fs::create_directories(data_ + "/sub");
    WriteFile(data_ + "/" + temp, "new version");
    WriteFile(data_ + "/sub/" + temp, "new version");
    fs::create_symlink(outside_ + "/victim.txt", data_ + "/myLxScoop.dat.tmp-Ln12Ab");
    fs::create_directories(data_ + "/myLXBasics.dat.tmp-Dr12Ab/inner");
    fs::create_directory_symlink(outside_, data_ + "/known");
    WriteFile(outside_ + "/x.lxk.tmp-Ab12Cd", "new version");
    const bool twoFiles = std::string(row.kind) == "second file outside";
    WriteFile(data_ + "/" + kJournalFileName,
              twoFiles ? RawJournal({{temp, "myLxScoop.dat"}, {row.tempField, row.targetField}})
                       : RawJournal({{row.tempField, row.targetField}}));
    const auto before = Tree(root_.path());

    // A reader leaves it alone and says so; a writer refuses its change.
    ConjugationDictionary reader = Dictionary();
    reader.ReloadDictionary(false);
    EXPECT_EQ(reader.InterruptedChangeStatus().message(), ChangeRefusalText(kJournalNamesOutside));
    EXPECT_EQ(Tree(root_.path()), before);
    EXPECT_EQ(reader.RecordHeadword("zoo", "zoos", 1), RecordStatus::NotSaved);
    EXPECT_EQ(reader.LastSaveStatus().message(), ChangeRefusalText(kJournalNamesOutside));
    EXPECT_EQ(Tree(root_.path()), before);
  }
  EXPECT_EQ(ChangeRefusalText(kJournalNamesOutside),
            "lexiscoop.journal: names a file outside the data folder; nothing was done");
}

TEST_F(CraftedDataFolderTest, OurOwnRecordIsNeverCompletedThroughALink) {
  // The user's dictionary is a link: completing the record would rename
  // through it, so a reader and a writer leave everything as it is.
  fs::create_directories(root_ / "real");
  WriteList(root_ / "real/mine.dat", {"go\tes,ing,ne,2went"});
  fs::create_symlink(root_ / "real/mine.dat", data_ + "/myLxScoop.dat");
  WriteFile(root_ / "real/mine.dat.tmp-Ab12Cd", "new dictionary");
  WriteFile(data_ + "/myLxScoop.dat.tmp-Ab12Cd", "new dictionary");
  WriteFile(data_ + "/myLXBasics.dat.tmp-Qq34Rr", "new level list");
  fs::create_directories(data_ + "/known");
  WriteFile(data_ + "/known/mine.lxk.tmp-Kk56Ll", "new known words");
  WriteFile(data_ + "/" + kJournalFileName,
            IntentRecordText({{"myLxScoop.dat", "Ab12Cd"}, {"myLXBasics.dat", "Qq34Rr"}, {"known/mine.lxk", "Kk56Ll"}}));
  const auto before = Tree(root_.path());
  ConjugationDictionary reader = Dictionary();
  reader.ReloadDictionary(false);
  EXPECT_EQ(reader.InterruptedChangeStatus().message(), ChangeRefusalText(kJournalTargetIsLink));
  EXPECT_EQ(reader.RecordHeadword("zoo", "zoos", 1), RecordStatus::NotSaved);
  EXPECT_EQ(reader.LastSaveStatus().message(), ChangeRefusalText(kJournalTargetIsLink));
  EXPECT_EQ(Tree(root_.path()), before);
  EXPECT_NE(ChangeRefusalText(kJournalTargetIsLink).find("lexiscoop.journal: a file it names is a symbolic link"),
            std::string::npos);

  // With the file itself in the link's place the record is completed.
  fs::remove(data_ + "/myLxScoop.dat");
  fs::copy_file(root_ / "real/mine.dat", data_ + "/myLxScoop.dat");
  reader.ReloadDictionary(false);
  EXPECT_TRUE(reader.InterruptedChangeStatus().ok());
  EXPECT_EQ(testing_support::ReadBytes(data_ + "/myLxScoop.dat"), "new dictionary");
  EXPECT_EQ(testing_support::ReadBytes(data_ + "/myLXBasics.dat"), "new level list");
  EXPECT_EQ(testing_support::ReadBytes(data_ + "/known/mine.lxk"), "new known words");
  EXPECT_EQ(testing_support::ReadBytes(root_ / "real/mine.dat.tmp-Ab12Cd"), "new dictionary");
  EXPECT_FALSE(fs::exists(data_ + "/" + kJournalFileName));
}

TEST_F(CraftedDataFolderTest, ALockOrUserFileThatIsNotARegularFileRefusesEveryChange) {
  const struct {
    const char* kind;
    const char* entry;  // in the data folder
    int refusal;
  } rows[] = {
      {"lock FIFO", kLockFileName, kLockNotRegularFile},
      {"lock folder", kLockFileName, kLockNotRegularFile},
      {"lock dangling link", kLockFileName, kLockNotRegularFile},
      {"lock link to a file", kLockFileName, kLockNotRegularFile},
      {"journal FIFO", kJournalFileName, kJournalNotRegularFile},
      {"journal folder", kJournalFileName, kJournalNotRegularFile},
      {"user's file dangling link", "myLXBasics.dat", kUserFileDanglingLink},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.kind);
    fs::remove_all(data_);
    fs::create_directories(data_);
    const std::string entry = data_ + "/" + row.entry;
    const std::string kind = row.kind;
    if (kind.find("FIFO") != std::string::npos) {
      ASSERT_EQ(mkfifo(entry.c_str(), 0644), 0);
    } else if (kind.find("folder") != std::string::npos) {
      fs::create_directories(entry + "/inner");
    } else if (kind.find("dangling") != std::string::npos) {
      fs::create_symlink(outside_ + "/made/here.dat", entry);
    } else {
      fs::create_symlink(outside_ + "/victim.txt", entry);
    }
    const auto before = Tree(root_.path());

    ConjugationDictionary dictionary = Dictionary();
    dictionary.ReloadDictionary(false);  // returns: nothing waits on a FIFO
    if (row.refusal != kUserFileDanglingLink) {
      EXPECT_EQ(dictionary.InterruptedChangeStatus().message(), ChangeRefusalText(row.refusal));
    }
    EXPECT_EQ(dictionary.RecordHeadword("zoo", "zoos", 1), RecordStatus::NotSaved);
    EXPECT_EQ(dictionary.LastSaveStatus().message(), ChangeRefusalText(row.refusal));
    EXPECT_NE(ChangeRefusalText(row.refusal).find(row.refusal == kUserFileDanglingLink ? "symbolic link" : row.entry),
              std::string::npos);
    EXPECT_EQ(Tree(root_.path()), before);
    EXPECT_FALSE(fs::exists(outside_ + "/made"));
  }
}

}  // namespace
}  // namespace lexiscoop
