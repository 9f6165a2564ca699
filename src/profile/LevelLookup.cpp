#include "profile/LevelLookup.h"

#include <array>
#include <memory>

#include "analysis/Analysis.h"
#include "views/FoldedLookup.h"

namespace lexiscoop {
namespace {

constexpr char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool EqualFolded(std::string_view folded, std::string_view word) {
  if (folded.size() != word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (folded[i] != Fold(word[i])) return false;
  }
  return true;
}

}  // namespace

uint64_t LevelLookup::Hash(std::string_view word) {
  uint64_t h = 1469598103934665603ull;
  for (const char c : word) h = (h ^ static_cast<unsigned char>(Fold(c))) * 1099511628211ull;
  return h ^ (h >> 29);
}

size_t LevelLookup::Probe(std::string_view word, uint64_t hash) const {
  size_t i = hash & mask_;
  while (slots_[i].used) {
    const Slot& slot = slots_[i];
    if (EqualFolded(std::string_view(keys_).substr(slot.offset, slot.length), word)) return i;
    i = (i + 1) & mask_;
  }
  return i;
}

LevelLookup::LevelLookup(const DictionaryLists& lists) {
  const TStringList& index = lists.inflectionIndex;
  size_t capacity = 16;
  while (capacity < static_cast<size_t>(index.Count()) * 2) capacity *= 2;
  slots_.resize(capacity);
  mask_ = capacity - 1;

  std::array<std::unique_ptr<FoldedLookup>, kListedLevelCount> levels;
  for (size_t l = 0; l < levels.size(); ++l) {
    if (lists.levelLists[l] != nullptr) levels[l] = std::make_unique<FoldedLookup>(*lists.levelLists[l]);
  }
  for (int i = 0; i < index.Count(); ++i) {
    const std::string_view spelling = index[i];
    if (spelling.empty() || spelling.size() > UINT16_MAX) continue;
    const uint64_t hash = Hash(spelling);
    const size_t at = Probe(spelling, hash);
    if (slots_[at].used) continue;
    WordLevel level = WordLevel::None;
    const int headword = ChooseHeadwordForLevel(spelling, index, lists.headwordList);
    if (headword >= 0) {
      level = WordLevel::Other;
      const std::string_view name =
          headword < lists.headwordList.Count() ? std::string_view(lists.headwordList[headword]) : std::string_view();
      for (size_t l = 0; l < levels.size(); ++l) {
        if (levels[l] && levels[l]->Contains(name)) {
          level = static_cast<WordLevel>(l);
          break;
        }
      }
    }
    Slot& slot = slots_[at];
    slot.offset = static_cast<uint32_t>(keys_.size());
    slot.length = static_cast<uint16_t>(spelling.size());
    slot.level = static_cast<uint8_t>(level);
    slot.used = 1;
    for (const char c : spelling) keys_ += Fold(c);
    ++count_;
  }
  keys_.shrink_to_fit();
}

WordLevel LevelLookup::LevelOf(std::string_view word) const {
  const Slot& slot = slots_[Probe(word, Hash(word))];
  return slot.used ? static_cast<WordLevel>(slot.level) : WordLevel::None;
}

}  // namespace lexiscoop
