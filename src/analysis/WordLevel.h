#pragma once

#include <iterator>
#include <string>

#include "analysis/LevelSet.h"

namespace lexiscoop {

// The learner level of a word: a level of the shipped set (LevelSet.h).
// Levels are always tried and reported in the set's order; Other is "in the
// dictionary, in no level list", None "not in the dictionary".
using WordLevel = LevelId;

constexpr int kWordLevelCount = static_cast<int>(std::size(kShippedLevelTable));
// The levels that have a level list, Basic to General.
constexpr int kListedLevelCount = kWordLevelCount - 2;

constexpr int LevelIndex(WordLevel level) { return static_cast<int>(level); }

// The level's name on its level button (CP932): "基本", "中学", "大学受験",
// "一般", "その他", "未登録".
const std::string& LevelButtonName(WordLevel level);

}  // namespace lexiscoop
