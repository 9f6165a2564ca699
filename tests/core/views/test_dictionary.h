#pragma once

#include <array>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "analysis/StringList.h"
#include "dictionary/Lexicon.h"

namespace lexiscoop::testing {

// A small in-memory dictionary: headword records in line order and four
// sorted level lists, made into a lexicon on request.
class TestDictionary {
 public:
  // One dictionary line: the headword and its spellings (one item each).
  void Line(const std::string& headword, std::initializer_list<const char*> spellings) {
    Headword& record = records.emplace_back();
    record.spelling = headword;
    for (const char* s : spellings) record.forms.emplace_back(s);
  }
  // Puts headwords into level list 0 (Basic) .. 3 (General).
  void Level(int level, std::initializer_list<const char*> words) {
    TStringList& list = levels[static_cast<size_t>(level)];
    list.SetSorted(true);
    for (const char* w : words) list.Add(w);
  }
  std::shared_ptr<const Lexicon> MakeLexicon() const {
    return Lexicon::Build(records, {&levels[0], &levels[1], &levels[2], &levels[3]});
  }

  std::vector<Headword> records;
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
