#include "lists/LevelSetIndex.h"

#include <algorithm>

#include "analysis/Analysis.h"

namespace lexiscoop {
namespace {

void FoldInto(std::string_view word, std::string& key) {
  key.assign(word);
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
}

}  // namespace

LevelSetIndex::LevelSetIndex(const UserLevelSet& set) {
  levelCount_ = static_cast<int>(std::min<size_t>(set.levels.size(), kMaxUserLevels));
  std::string key;
  for (int level = 0; level < levelCount_; ++level) {
    for (const std::string& headword : set.levels[static_cast<size_t>(level)].headwords) {
      FoldInto(headword, key);
      levels_.emplace(key, static_cast<int8_t>(level));  // the first level keeps a word
    }
  }
}

int LevelSetIndex::LevelOf(std::string_view headword) const {
  std::string key;
  FoldInto(headword, key);
  const auto it = levels_.find(key);
  return it == levels_.end() ? kOther : it->second;
}

std::vector<int8_t> LevelSetIndex::EntryLevels(const AnalysisResult& result) const {
  const int32_t count = result.words.Count();
  std::vector<int8_t> levels(static_cast<size_t>(count), kNotInDictionary);
  if (!result.Classified()) return levels;
  std::string key;
  for (int32_t i = 0; i < count; ++i) {
    const WordClass& word = result.classes[static_cast<size_t>(i)];
    const bool inDictionary = word.InDictionary();
    FoldInto(inDictionary ? result.classifier->HeadwordSpelling(word.headword) : result.words.Word(i), key);
    const auto it = levels_.find(key);
    levels[static_cast<size_t>(i)] = it != levels_.end() ? it->second : inDictionary ? kOther : kNotInDictionary;
  }
  return levels;
}

LevelSetIndex::Counts LevelSetIndex::CountLevels(const AnalysisResult& result, const std::vector<int8_t>& levels) const {
  Counts counts;
  counts.occurrences.assign(static_cast<size_t>(levelCount_) + 2, 0);
  counts.distinct.assign(static_cast<size_t>(levelCount_) + 2, 0);
  for (size_t i = 0; i < levels.size() && i < static_cast<size_t>(result.words.Count()); ++i) {
    const int8_t level = levels[i];
    const size_t slot = level >= 0 ? static_cast<size_t>(level)
                        : level == kOther ? static_cast<size_t>(levelCount_)
                                          : static_cast<size_t>(levelCount_) + 1;
    counts.occurrences[slot] += result.words.Occurrences(static_cast<int>(i));
    ++counts.distinct[slot];
  }
  return counts;
}

}  // namespace lexiscoop
