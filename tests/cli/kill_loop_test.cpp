// Kills lexiscoop-cli with SIGKILL at random moments while it records
// headwords. After every kill each data file is byte for byte either as it
// was before that run or as the run would have left it, and still decodes;
// what a kill can leave beside them is a temporary file, which breaks
// nothing that follows.
#include <gtest/gtest.h>

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
#include "platform/MessageHook.h"

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
    if (name.find(".tmp-") != std::string::npos) {
      folder.temporaries.push_back(name);
    } else {
      folder.files[name] = ReadFileBytes(entry.path());
    }
  }
  return folder;
}

std::vector<std::string> RecordArgs(const std::string& data, const std::string& headword, int level) {
  return {"--data", data, "dict", "record", headword, "--forms", headword + "s " + headword + "ed",
          "--level", std::to_string(level)};
}

// The files as the record leaves them when nothing interrupts it: the same
// change made by the core on a copy.
std::map<std::string, std::string> AfterRecord(const fs::path& data, const std::string& headword, int level) {
  TempFolder twin;
  fs::copy(data, twin.path(), fs::copy_options::recursive);
  for (const auto& entry : fs::directory_iterator(twin.path())) {
    if (entry.path().filename().string().find(".tmp-") != std::string::npos) fs::remove(entry.path());
  }
  ConjugationDictionary dictionary(twin.path().string(), twin.path().string());
  dictionary.ReloadDictionary(false);
  EXPECT_EQ(dictionary.RecordHeadword(headword, headword + "s " + headword + "ed", level), RecordStatus::Recorded);
  EXPECT_EQ(dictionary.LastSaveStatus(), 0);
  return Take(twin.path()).files;
}

TEST(KillLoopTest, KilledRecordsLeaveEveryFileOldOrNew) {
  CliDataFolder data;
  ASSERT_TRUE(data.packed());
  const std::string dir = data.path().string();
  SetMessageHandler([](std::string_view) {});

  // One whole run, to spread the kills over the time a run takes.
  const auto start = std::chrono::steady_clock::now();
  CliProcess::Result first = CliProcess(RecordArgs(dir, "warmup", 1)).Wait(60s);
  const auto runTime = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(first.exitCode, 0) << first.err;

  std::mt19937 random(4242);
  int changed = 0;
  size_t temporaries = 0;
  for (int i = 0; i < kKills; ++i) {
    const std::string headword = "kill" + std::to_string(i);
    const int level = (i % 3 == 2) ? 4 : 1 + i % 3;  // levels with a list
    const Folder before = Take(data.path());
    const std::map<std::string, std::string> after = AfterRecord(data.path(), headword, level);

    CliProcess process(RecordArgs(dir, headword, level));
    ASSERT_TRUE(process.started());
    std::this_thread::sleep_for(std::chrono::duration_cast<std::chrono::microseconds>(runTime) *
                                (random() % 1000) / 1000);
    process.Kill();

    const Folder now = Take(data.path());
    temporaries = now.temporaries.size();
    std::map<std::string, std::string> names = before.files;
    names.insert(after.begin(), after.end());
    for (const auto& [name, unused] : names) {
      SCOPED_TRACE("kill " + std::to_string(i) + ", " + name);
      const auto was = before.files.find(name);
      const auto will = after.find(name);
      const auto is = now.files.find(name);
      const bool asBefore = is == now.files.end() ? was == before.files.end()
                                                  : was != before.files.end() && is->second == was->second;
      const bool asAfter = is != now.files.end() && will != after.end() && is->second == will->second;
      EXPECT_TRUE(asBefore || asAfter);
      if (is != now.files.end()) {
        TCompressStringList list;
        EXPECT_EQ(list.LoadFromFile((data.path() / name).string()), 0);
      }
      if (!asBefore) ++changed;
    }
  }
  // The kills fell both before and after saves.
  EXPECT_GT(changed, 0);

  // Whatever the kills left, the next run works and sees every finished record.
  const CliProcess::Result last = CliProcess(RecordArgs(dir, "final", 1)).Wait(60s);
  EXPECT_EQ(last.exitCode, 0) << last.err;
  ConjugationDictionary dictionary(dir, dir);
  dictionary.ReloadDictionary(false);
  EXPECT_EQ(dictionary.DictionaryLoadStatus(), 0);
  EXPECT_GE(dictionary.HeadwordList().IndexOf("final"), 0);
  EXPECT_EQ(dictionary.LevelOf("final"), 1);
  std::printf("kill loop: %d kills, %d files changed by killed runs, %zu temporary files left\n", kKills, changed,
              temporaries);
  SetMessageHandler(nullptr);
}

}  // namespace
}  // namespace lexiscoop
