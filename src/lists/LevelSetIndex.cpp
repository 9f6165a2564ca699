#include "lists/LevelSetIndex.h"

#include <algorithm>

#include "analysis/Analysis.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

void FoldInto(std::string_view word, std::string& key) {
  key.assign(word);
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
}

// The shipped levels again, from the classifier's headwords.
void ApplyShipped(AnalysisResult& result) {
  const WordClassifier& classifier = *result.classifier;
  result.levelEntriesUsed.fill(0);
  result.levelEntryCount.fill(0);
  std::vector<bool> used(static_cast<size_t>(std::max(classifier.LevelEntryCount(), 0)), false);
  const LevelSet& shipped = ShippedLevels();
  auto relevel = [&](WordClass& word) {
    word.level = word.InDictionary() ? classifier.HeadwordLevel(word.headword) : shipped.None();
    if (!word.InDictionary() || !shipped.IsListed(word.level)) return;
    const int32_t entry = classifier.LevelEntryOf(word.headword);
    if (entry >= 0 && static_cast<size_t>(entry) < used.size() && !used[static_cast<size_t>(entry)]) {
      used[static_cast<size_t>(entry)] = true;
      ++result.levelEntriesUsed[static_cast<size_t>(LevelIndex(word.level))];
    }
  };
  for (WordClass& word : result.classes) relevel(word);
  for (EntryReadings& split : result.readings) {
    for (WordReading& reading : split.readings) relevel(reading.word);
  }
  for (const LevelInfo& level : shipped.Listed()) {
    result.levelEntryCount[static_cast<size_t>(LevelIndex(level.id))] = classifier.LevelListSize(level.id);
  }
  result.levelSet.reset();
}

}  // namespace

LevelSet LevelSetOf(const UserLevelSet& set) {
  std::vector<LevelSpec> specs;
  for (const UserLevel& level : set.levels) specs.push_back({level.key, Utf8FromCp932(level.name), level.colour});
  return LevelSet::Made(set.name, specs);
}

LevelSetIndex::LevelSetIndex(const UserLevelSet& set) : set_(std::make_shared<const LevelSet>(LevelSetOf(set))) {
  const int levelCount = set_->ListedCount();
  levelSizes_.assign(static_cast<size_t>(levelCount), 0);
  std::string key;
  for (int level = 0; level < levelCount; ++level) {
    for (const std::string& headword : set.levels[static_cast<size_t>(level)].headwords) {
      FoldInto(headword, key);
      const Slot slot{static_cast<uint8_t>(level), static_cast<int32_t>(slots_.size())};
      if (slots_.emplace(key, slot).second) ++levelSizes_[static_cast<size_t>(level)];  // the first level keeps a word
    }
  }
}

const LevelSetIndex::Slot* LevelSetIndex::Find(std::string_view word, std::string& key) const {
  FoldInto(word, key);
  const auto it = slots_.find(key);
  return it == slots_.end() ? nullptr : &it->second;
}

LevelId LevelSetIndex::LevelOf(std::string_view headword) const {
  std::string key;
  const Slot* slot = Find(headword, key);
  return slot ? static_cast<LevelId>(slot->level) : Levels().Other();
}

LevelId LevelSetIndex::LevelOfWord(const WordClassifier& classifier, const WordClass& word,
                                   std::string_view spelling) const {
  const bool inDictionary = word.InDictionary();
  if (!set_) return inDictionary ? classifier.HeadwordLevel(word.headword) : ShippedLevels().None();
  std::string key;
  const Slot* slot = Find(inDictionary ? classifier.HeadwordSpelling(word.headword) : spelling, key);
  return slot ? static_cast<LevelId>(slot->level) : inDictionary ? set_->Other() : set_->None();
}

std::vector<LevelId> LevelSetIndex::EntryLevels(const AnalysisResult& result) const {
  const int32_t count = result.words.Count();
  std::vector<LevelId> out(static_cast<size_t>(count), Levels().None());
  if (!result.Classified()) return out;
  for (int32_t i = 0; i < count; ++i) {
    out[static_cast<size_t>(i)] =
        LevelOfWord(*result.classifier, result.classes[static_cast<size_t>(i)], result.words.Word(i));
  }
  return out;
}

void LevelSetIndex::Apply(AnalysisResult& result) const {
  if (!result.Classified()) return;
  if (!set_) {
    ApplyShipped(result);
    CountLevels(result);
    return;
  }
  result.levelEntriesUsed.fill(0);
  result.levelEntryCount.fill(0);
  std::vector<bool> used(slots_.size(), false);
  std::string key;
  auto relevel = [&](WordClass& word, std::string_view spelling) {
    const bool inDictionary = word.InDictionary();
    const Slot* slot = Find(inDictionary ? result.classifier->HeadwordSpelling(word.headword) : spelling, key);
    if (slot == nullptr) {
      word.level = inDictionary ? set_->Other() : set_->None();
      return;
    }
    word.level = static_cast<LevelId>(slot->level);
    if (!used[static_cast<size_t>(slot->entry)]) {
      used[static_cast<size_t>(slot->entry)] = true;
      ++result.levelEntriesUsed[slot->level];
    }
  };
  for (int32_t i = 0; i < result.words.Count(); ++i) relevel(result.classes[static_cast<size_t>(i)], result.words.Word(i));
  for (EntryReadings& split : result.readings) {
    for (WordReading& reading : split.readings) relevel(reading.word, result.words.Word(split.entry));
  }
  for (size_t l = 0; l < levelSizes_.size(); ++l) result.levelEntryCount[l] = levelSizes_[l];
  result.levelSet = set_;
  CountLevels(result);
}

}  // namespace lexiscoop
