// Writers in parallel processes, lexiscoop-cli and the window's dictionary
// code side by side, each changing headwords of its own: afterwards every
// change is there, every file decodes, and the level lists agree with the
// dictionary.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "cli_process.h"
#include "cli_runner.h"
#include "dictionary/CompressStringList.h"
#include "dictionary/ConjugationDictionary.h"
#include "dictionary/DictionaryFiles.h"

namespace lexiscoop {
namespace {

using namespace std::chrono_literals;
using testing::CliDataFolder;
using testing::CliProcess;

constexpr int kChanges = 200;
constexpr int kWordsPerWriter = 12;
// The test folder has lists for these levels (none for 3).
constexpr int kLevels[] = {0, 1, 2, 4};

struct Change {
  bool record = true;
  std::string headword;
  int level = 0;
  std::string forms;  // comma-separated spellings
};

// What the files must say about a headword after its last change.
struct Expected {
  bool present = false;
  int level = 0;
  std::vector<std::string> forms;
};

// A writer's script: records and deletes of its own headwords, a delete only
// of a headword its own last change left present.
std::vector<Change> Script(const std::string& prefix, unsigned seed) {
  std::mt19937 random(seed);
  std::map<std::string, bool> present;
  std::vector<Change> script;
  for (int i = 0; i < kChanges; ++i) {
    const std::string word = prefix + std::string(1, static_cast<char>('a' + random() % kWordsPerWriter));
    Change change;
    change.headword = word;
    if (present[word] && random() % 3 == 0) {
      change.record = false;
      present[word] = false;
    } else {
      change.level = kLevels[random() % 4];
      change.forms = random() % 2 ? word + "s," + word + "ing" : word + "ed";
      present[word] = true;
    }
    script.push_back(change);
  }
  return script;
}

// Runs the script through lexiscoop-cli, one process per change.
std::string RunCliWriter(const std::string& data, const std::vector<Change>& script) {
  for (const Change& change : script) {
    std::vector<std::string> args = {"--data", data, "dict"};
    if (change.record) {
      args.insert(args.end(), {"record", change.headword, "--forms", change.forms, "--level",
                               std::to_string(change.level)});
    } else {
      args.insert(args.end(), {"delete", change.headword});
    }
    CliProcess::Result run = CliProcess(args).Wait(60s);
    if (run.exitCode != 0) return change.headword + ": " + run.err;
  }
  return {};
}

// Runs the script through the dictionary code as the window uses it, in one
// process.
std::string RunWindowWriter(const std::string& data, const std::vector<Change>& script, const std::string& file) {
  std::string text;
  for (const Change& change : script) {
    text += change.record ? "R " + change.headword + " " + std::to_string(change.level) + " " + change.forms
                          : "D " + change.headword;
    text += "\n";
  }
  testing::WriteFileBytes(file, text);
  CliProcess::Result run = CliProcess(LEXISCOOP_DICT_WRITER_PATH, {data, file}).Wait(300s);
  return run.exitCode == 0 ? std::string() : "window writer: " + run.err;
}

void ExpectAllChangesKept(int writers) {
  CliDataFolder data;
  ASSERT_TRUE(data.packed());
  const std::string dir = data.path().string();
  std::vector<std::vector<Change>> scripts;
  for (int w = 0; w < writers; ++w) {
    scripts.push_back(Script(std::string{'w', static_cast<char>('a' + w), 'x'}, 1000u + static_cast<unsigned>(w)));
  }
  std::vector<std::string> failures(static_cast<size_t>(writers));
  std::vector<std::thread> threads;
  for (int w = 0; w < writers; ++w) {
    threads.emplace_back([&, w] {
      const auto& script = scripts[static_cast<size_t>(w)];
      failures[static_cast<size_t>(w)] = w % 2 == 0 ? RunCliWriter(dir, script)
                                                    : RunWindowWriter(dir, script, data / ("script" + std::to_string(w)));
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (const std::string& failure : failures) EXPECT_EQ(failure, "");

  std::map<std::string, Expected> expected;
  for (const auto& script : scripts) {
    for (const Change& change : script) {
      Expected& e = expected[change.headword];
      e.present = change.record;
      if (!change.record) continue;
      e.level = change.level;
      e.forms.clear();
      std::string form;
      for (const char c : change.forms + ",") {
        if (c != ',') {
          form += c;
        } else {
          e.forms.push_back(form);
          form.clear();
        }
      }
    }
  }

  // Every user file decodes.
  const char* userFiles[] = {"myLxScoop.dat", "myLXBasics.dat", "myLXJunior.dat", "myLXGeneral.dat"};
  for (const char* name : userFiles) {
    TCompressStringList list;
    EXPECT_TRUE(list.LoadFromFile(data / name).ok()) << name;
  }
  ConjugationDictionary dictionary(dir, dir);
  dictionary.ReloadDictionary(false);
  ASSERT_TRUE(dictionary.DictionaryLoadStatus().ok());
  for (const auto& [headword, e] : expected) {
    SCOPED_TRACE(headword);
    const HeadwordId h = dictionary.CurrentLexicon()->FindHeadword(headword);
    EXPECT_EQ(h >= 0, e.present);
    if (!e.present || h < 0) continue;
    EXPECT_EQ(dictionary.LevelOf(headword), e.level);
    std::vector<std::string> spellings = dictionary.CurrentLexicon()->SpellingsOf(h);
    for (const std::string& form : e.forms) {
      EXPECT_NE(std::find(spellings.begin(), spellings.end(), form), spellings.end()) << form;
    }
    EXPECT_EQ(spellings.size(), e.forms.size() + 1);
  }
}

TEST(ParallelWritersTest, TwoWritersKeepEveryChange) { ExpectAllChangesKept(2); }

TEST(ParallelWritersTest, FourWritersKeepEveryChange) { ExpectAllChangesKept(4); }

}  // namespace
}  // namespace lexiscoop
