#pragma once

#include <string>

namespace lexiscoop {

// Level numbers: 0 none, 1 Basic, 2 Junior high, 3 University entrance,
// 4 General. The levels are always tried in the order 1 to 4.
inline constexpr int kLevelCount = 4;

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
// "大学へ", "一般"), CP932.
const std::string& LevelName(int level);

// The hint of a level's tool button for a list of `count` headwords (level
// 1..4), CP932: "基本の単語 1,234 個登録" and so on.
std::string LevelHint(int level, int count);

}  // namespace lexiscoop
