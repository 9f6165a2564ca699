// Kills lexiscoop-cli with SIGKILL at random moments while it records a
// change over several files (a headword moving from one level to another:
// the dictionary and two level lists). After every kill, once the next load
// has run, the data files hold the whole change or none of it, byte for
// byte, and every one decodes; temporary files a kill leaves behind are
// removed by the next change.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "cli_process.h"
#include "cli_runner.h"
#include "dictionary/CompressStringList.h"
#include "dictionary/ConjugationDictionary.h"
#include "dictionary/DictionaryTransaction.h"

namespace lexiscoop {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::CliDataFolder;
using testing::CliProcess;
using testing::ReadFileBytes;
using testing::TempFolder;

constexpr int kKills = 30;

// The data files of a folder (name -> bytes) and the temporary files a
// killed save left there.
struct Folder {
  std::map<std::string, std::string> files;
  std::vector<std::string> temporaries;
};

Folder Take(const fs::path& root) {
  Folder folder;
  for (const auto& entry : fs::directory_iterator(root)) {
    const std::string name = entry.path().filename().string();
    if (name == kLockFileName) continue;
    if (name.find(".tmp-") != std::string::npos) {
      folder.temporaries.push_back(name);
    } else {
      folder.files[name] = ReadFileBytes(entry.path());
    }
  }
  return folder;
}

std::string Forms(const std::string& headword, int round) {
  return headword + "s " + headword + "ed " + headword + std::string(static_cast<size_t>(round % 5 + 1), 'x');
}

std::vector<std::string> RecordArgs(const std::string& data, const std::string& headword, int level, int round) {
  return {"--data", data, "dict", "record", headword, "--forms", Forms(headword, round), "--level",
          std::to_string(level)};
}

// The files as the record leaves them when nothing interrupts it: the same
// change made by the core on a copy.
std::map<std::string, std::string> AfterRecord(const fs::path& data, const std::string& headword, int level,
                                               int round) {
  TempFolder twin;
  fs::copy(data, twin.path(), fs::copy_options::recursive);
  for (const auto& entry : fs::directory_iterator(twin.path())) {
    if (entry.path().filename().string().find(".tmp-") != std::string::npos) fs::remove(entry.path());
  }
  ConjugationDictionary dictionary(twin.path().string(), twin.path().string());
  dictionary.ReloadDictionary(false);
  EXPECT_EQ(dictionary.RecordHeadword(headword, Forms(headword, round), level), RecordStatus::Recorded);
  EXPECT_TRUE(dictionary.LastSaveStatus().ok());
  return Take(twin.path()).files;
}

TEST(KillLoopTest, KilledChangesLeaveTheWholeChangeOrNone) {
  CliDataFolder data;
  ASSERT_TRUE(data.packed());
  const std::string dir = data.path().string();

  // One whole run, to spread the kills over the time a run takes.
  const auto start = std::chrono::steady_clock::now();
  CliProcess::Result first = CliProcess(RecordArgs(dir, "mover", 1, 0)).Wait(60s);
  const auto runTime = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(first.exitCode, 0) << first.err;

  std::mt19937 random(4242);
  int applied = 0;
  int kept = 0;
  size_t temporaries = 0;
  constexpr int kLevels[] = {1, 2, 4};  // levels with a list: each move changes three files
  for (int i = 0; i < kKills; ++i) {
    SCOPED_TRACE("kill " + std::to_string(i));
    const int level = kLevels[(i + 1) % 3];
    const Folder before = Take(data.path());
    const std::map<std::string, std::string> after = AfterRecord(data.path(), "mover", level, i + 1);

    CliProcess process(RecordArgs(dir, "mover", level, i + 1));
    ASSERT_TRUE(process.started());
    std::this_thread::sleep_for(std::chrono::duration_cast<std::chrono::microseconds>(runTime) *
                                (random() % 1000) / 1000);
    process.Kill();

    // The next load completes a change the kill interrupted after deciding it.
    ConjugationDictionary next(dir, dir);
    next.ReloadDictionary(false);
    const Folder now = Take(data.path());
    temporaries = std::max(temporaries, now.temporaries.size());
    const bool asBefore = now.files == before.files;
    const bool asAfter = now.files == after;
    EXPECT_TRUE(asBefore || asAfter);
    applied += asAfter;
    kept += asBefore;
    for (const auto& [name, bytes] : now.files) {
      TCompressStringList list;
      EXPECT_TRUE(list.LoadFromFile((data.path() / name).string()).ok()) << name;
    }
  }
  // The kills fell both before and after the moment a change is decided.
  EXPECT_GT(applied, 0);
  EXPECT_GT(kept, 0);

  // Whatever the kills left, the next change works, sees every finished
  // change and removes the temporary files left behind.
  const CliProcess::Result last = CliProcess(RecordArgs(dir, "final", 1, 0)).Wait(60s);
  EXPECT_EQ(last.exitCode, 0) << last.err;
  EXPECT_TRUE(Take(data.path()).temporaries.empty());
  ConjugationDictionary dictionary(dir, dir);
  dictionary.ReloadDictionary(false);
  EXPECT_TRUE(dictionary.DictionaryLoadStatus().ok());
  EXPECT_NE(dictionary.CurrentLexicon()->FindHeadword("final"), kNoHeadword);
  EXPECT_EQ(dictionary.LevelOf("final"), 1);
  std::printf("kill loop: %d kills, %d changes whole, %d untouched, at most %zu temporary files left\n", kKills,
              applied, kept, temporaries);
}

}  // namespace
}  // namespace lexiscoop
