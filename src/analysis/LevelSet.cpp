#include "analysis/LevelSet.h"

#include "platform/Cp932.h"

namespace lexiscoop {

LevelSet::LevelSet(std::span<const LevelInfo> levels) : levels_(levels) {
  names_.reserve(levels_.size());
  for (const LevelInfo& level : levels_) names_.push_back(Cp932FromUtf8(std::string(level.name)));
}

const LevelInfo* LevelSet::FindKey(std::string_view key) const {
  for (const LevelInfo& level : levels_) {
    if (level.key == key) return &level;
  }
  return nullptr;
}

const LevelInfo* LevelSet::FindFilterBit(int bit) const {
  for (const LevelInfo& level : levels_) {
    if (level.filterBit == bit) return &level;
  }
  return nullptr;
}

LevelId LevelSet::FromDictionaryNumber(int number) const {
  return number >= 1 && number <= ListedCount() ? static_cast<LevelId>(number - 1) : Other();
}

const LevelSet& ShippedLevels() {
  static const LevelSet kShipped(kShippedLevelTable);
  return kShipped;
}

}  // namespace lexiscoop
