#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "TestFolder.h"
#include "dictionary/CompressStringList.h"
#include "dictionary/ConjugationDictionary.h"
#include "dictionary/DictionaryObserver.h"
#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "platform/FolderPath.h"

namespace lexiscoop::testing_support {

using Lines = std::vector<std::string>;

inline Lines LinesOf(const TStringList& list) {
  Lines lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
  return lines;
}

inline void WriteList(const std::string& path, const Lines& lines) {
  TCompressStringList list;
  for (const std::string& line : lines) list.Add(line);
  ASSERT_EQ(list.SaveToFile(path), 0) << path;
}

// The lines of a compressed list file; empty when it does not load.
inline Lines ReadList(const std::string& path) {
  TCompressStringList list;
  if (!FileExists(path) || list.LoadFromFile(path) != 0) return {};
  return LinesOf(list);
}

// Records what a reload tells the window.
class RecordingObserver : public DictionaryObserver {
 public:
  struct Level {
    int level;
    bool enabled;
    std::string hint;
  };
  void LevelListLoaded(int level, bool enabled, const std::string& hint) override {
    levels.push_back({level, enabled, hint});
  }
  void LevelListsLoaded() override { ++barsHidden; }

  std::vector<Level> levels;
  int barsHidden = 0;
};

// A program folder and a level folder, each in a fresh temporary folder.
class DictionaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateFolderPath(programFolder_));
    ASSERT_TRUE(CreateFolderPath(levelFolder_));
  }
  void TearDown() override { SetWriteFaultForTesting(std::nullopt); }

  std::string ProgramFile(const std::string& name) const { return JoinPath(programFolder_, name); }
  std::string LevelFile(const std::string& name) const { return JoinPath(levelFolder_, name); }

  void WriteShippedDictionary(const Lines& lines) { WriteList(ProgramFile("LxScoop.dat"), lines); }
  void WriteUserDictionary(const Lines& lines) { WriteList(ProgramFile("myLxScoop.dat"), lines); }
  Lines UserDictionary() const { return ReadList(ProgramFile("myLxScoop.dat")); }

  ConjugationDictionary& Loaded() {
    dictionary_.SetObserver(&observer_);
    dictionary_.ReloadDictionary(false);
    return dictionary_;
  }

  TestFolder root_;
  std::string programFolder_ = root_ / "program";
  std::string levelFolder_ = root_ / "levels";
  ConjugationDictionary dictionary_{programFolder_, levelFolder_};
  RecordingObserver observer_;
};

}  // namespace lexiscoop::testing_support
