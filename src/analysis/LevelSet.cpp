#include "analysis/LevelSet.h"

#include <algorithm>

#include "platform/Cp932.h"

namespace lexiscoop {

// The texts and table of a set made at run time.
struct LevelSet::Storage {
  std::vector<LevelSpec> specs;
  std::vector<LevelInfo> table;
};

namespace {

// The colour half-way to white: the level's colour on a dark background.
uint32_t Lightened(uint32_t rgb) {
  uint32_t out = 0xFF000000;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t c = (rgb >> shift) & 0xFF;
    out |= (c + (255 - c) / 2) << shift;
  }
  return out;
}

constexpr int kMadeFilterBits[LevelSet::kMaxListedLevels] = {1, 2, 3, 5, 7, 8, 9, 10, 11};

}  // namespace

LevelSet LevelSet::Made(std::string name, std::span<const LevelSpec> listed) {
  auto storage = std::make_shared<Storage>();
  const size_t count = std::min<size_t>(listed.size(), kMaxListedLevels);
  storage->specs.assign(listed.begin(), listed.begin() + static_cast<std::ptrdiff_t>(count));
  for (size_t i = 0; i < count; ++i) {
    const LevelSpec& spec = storage->specs[i];
    LevelInfo info{static_cast<LevelId>(i), spec.key, spec.name, "", spec.name, spec.name,
                   0xFF000000 | spec.colour, Lightened(spec.colour), kMadeFilterBits[i], nullptr, nullptr};
    storage->table.push_back(info);
  }
  for (LevelId shipped : {LevelId::Other, LevelId::None}) {
    LevelInfo info = kShippedLevelTable[static_cast<size_t>(shipped)];
    info.id = static_cast<LevelId>(storage->table.size());
    storage->table.push_back(info);
  }
  LevelSet set(storage->table);
  set.setName_ = std::move(name);
  set.storage_ = std::move(storage);
  return set;
}

bool LevelSet::Shipped() const { return levels_.data() == kShippedLevelTable; }

uint32_t LevelSet::AllFilterBits() const {
  uint32_t bits = 1u << 4;
  for (const LevelInfo& level : levels_) bits |= 1u << level.filterBit;
  return bits;
}

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
