#pragma once

#include <array>
#include <initializer_list>
#include <string>

#include "analysis/Analysis.h"
#include "analysis/StringList.h"
#include "views/DictionaryLists.h"

namespace lexiscoop::testing {

// A small in-memory dictionary in the shape the dictionary loader builds:
// the headword list in line order (object = item count), the inflection index
// sorted with later lines first among equal spellings (object = headword
// index), and four sorted level lists.
class TestDictionary {
 public:
  TestDictionary() {
    index.SetDuplicates(Duplicates::Accept);
    index.SetSorted(true);
  }
  TestDictionary(const TestDictionary&) = delete;
  TestDictionary& operator=(const TestDictionary&) = delete;

  // One dictionary line: the headword and its spellings (one item each).
  void Line(const std::string& headword, std::initializer_list<const char*> spellings) {
    const int h = headwords.AddObject(headword, static_cast<int32_t>(spellings.size()));
    index.AddObject(headword, h);
    for (const char* s : spellings) index.AddObject(s, h);
  }
  // Puts headwords into level list 0 (Basic) .. 3 (General).
  void Level(int level, std::initializer_list<const char*> words) {
    TStringList& list = levels[static_cast<size_t>(level)];
    list.SetSorted(true);
    for (const char* w : words) list.Add(w);
  }
  std::array<const TStringList*, kListedLevelCount> LevelLists() const {
    return {&levels[0], &levels[1], &levels[2], &levels[3]};
  }
  std::array<TStringList*, kListedLevelCount> MutableLevelLists() {
    return {&levels[0], &levels[1], &levels[2], &levels[3]};
  }
  DictionaryLists Lists() const { return DictionaryLists{index, headwords, LevelLists()}; }

  TStringList headwords;
  TStringList index;
  std::array<TStringList, kListedLevelCount> levels;
};

// Counts the words into a table and the token count, as a run would.
inline void CountWords(AnalysisResult& result, std::initializer_list<const char*> words) {
  for (const char* w : words) {
    result.words.CountWord(w);
    ++result.tokenCount;
  }
}

}  // namespace lexiscoop::testing
