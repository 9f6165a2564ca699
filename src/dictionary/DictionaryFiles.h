#pragma once

#include <string>

#include "analysis/WordLevel.h"

namespace lexiscoop {

// Dictionary level numbers: 0 none, then 1 .. kLevelCount for the shipped
// set's listed levels in their order (LevelSet::DictionaryNumber), 1 Basic
// to 4 General. The levels are always tried in the order 1 to 4.
inline constexpr int kLevelCount = kListedLevelCount;

// The conjugation dictionary files, in the program folder. The user's file,
// when it exists, replaces the shipped one completely.
inline constexpr const char* kShippedDictionaryFile = "LxScoop.dat";
inline constexpr const char* kUserDictionaryFile = "myLxScoop.dat";

// The bare file names of one level list.
struct LevelFileNames {
  const char* shipped;  // delivered with the program, never written
  const char* user;     // the user's copy, written by every change
};

// The file names of level 1..4. Level numbers out of range raise
// std::out_of_range here and in LevelName and LevelHint.
const LevelFileNames& LevelFiles(int level);

// LevelNames: the editor's name of level number 0..4 ("なし", "基本", "中学",
// "大学へ", "一般": the set's editor names, Other's for 0), CP932.
const std::string& LevelName(int level);

// The hint of a level's tool button for a list of `count` headwords (level
// 1..4), CP932: "基本の単語 1,234 個登録" and so on.
std::string LevelHint(int level, int count);

}  // namespace lexiscoop
