#pragma once

#include <string>

namespace lexiscoop {

// The learner level of a word. Levels are always tried and reported in this
// order; Other is "in the dictionary, in no level list", None "not in the
// dictionary".
enum class WordLevel { Basic, Junior, ToUniversity, General, Other, None };

constexpr int kWordLevelCount = 6;
// The four levels that have a level list, Basic to General.
constexpr int kListedLevelCount = 4;

constexpr int LevelIndex(WordLevel level) { return static_cast<int>(level); }

// The level's name on its level button (CP932): "基本", "中学", "大学受験",
// "一般", "その他", "未登録".
const std::string& LevelButtonName(WordLevel level);

}  // namespace lexiscoop
