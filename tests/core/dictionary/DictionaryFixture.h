#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "TestFolder.h"
#include "dictionary/CompressStringList.h"
#include "dictionary/ConjugationDictionary.h"
#include "dictionary/DictionaryObserver.h"
#include "dictionary/Lexicon.h"
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

inline std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// The headwords of the dictionary's lexicon, in dictionary line order.
inline Lines HeadwordsOf(const ConjugationDictionary& d) {
  Lines lines;
  for (const Headword& h : d.CurrentLexicon()->Headwords()) lines.push_back(h.spelling);
  return lines;
}

// The id of the first headword (line order) spelled `text`, ASCII letter case
// ignored, or -1; a plain scan, independent of the lexicon's hash.
inline int HeadwordRow(const ConjugationDictionary& d, std::string_view text) {
  const Lines headwords = HeadwordsOf(d);
  for (size_t i = 0; i < headwords.size(); ++i) {
    if (AsciiLower(headwords[i]) == AsciiLower(text)) return static_cast<int>(i);
  }
  return -1;
}

// Every spelling listed under headword `id`, its own (when not empty) among
// them, sorted by bytes.
inline Lines SpellingsOf(const ConjugationDictionary& d, int id) {
  const Headword& h = d.CurrentLexicon()->At(id);
  Lines spellings(h.forms.begin(), h.forms.end());
  if (!h.spelling.empty()) spellings.push_back(h.spelling);
  std::sort(spellings.begin(), spellings.end());
  return spellings;
}

// The spellings of the headword first spelled `text`; empty when none is.
inline Lines SpellingsOf(const ConjugationDictionary& d, std::string_view text) {
  const int id = HeadwordRow(d, text);
  return id < 0 ? Lines{} : SpellingsOf(d, id);
}

inline void WriteList(const std::string& path, const Lines& lines) {
  TCompressStringList list;
  for (const std::string& line : lines) list.Add(line);
  ASSERT_TRUE(list.SaveToFile(path).ok()) << path;
}

// The lines of a compressed list file; empty when it does not load.
inline Lines ReadList(const std::string& path) {
  TCompressStringList list;
  if (!FileExists(path) || !list.LoadFromFile(path).ok()) return {};
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
