#include "dictionary/DictionaryFiles.h"

#include <stdexcept>

#include "analysis/NumberFormat.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

void CheckLevel(int level, int lowest) {
  if (level < lowest || level > kLevelCount) throw std::out_of_range("level number " + std::to_string(level));
}

}  // namespace

const LevelFileNames& LevelFiles(int level) {
  static const LevelFileNames kFiles[kLevelCount] = {
      {"LXBasics.dat", "myLXBasics.dat"},
      {"LXJunior.dat", "myLXJunior.dat"},
      {"LXToUnuvercity.dat", "myLXToUnuvercity.dat"},
      {"LXGeneral.dat", "myLXGeneral.dat"},
  };
  CheckLevel(level, 1);
  return kFiles[level - 1];
}

const std::string& LevelName(int level) {
  static const Cp932Text kNames[kLevelCount + 1] = {
      Cp932Text{"なし"}, Cp932Text{"基本"}, Cp932Text{"中学"}, Cp932Text{"大学へ"}, Cp932Text{"一般"},
  };
  CheckLevel(level, 0);
  return kNames[level].str();
}

std::string LevelHint(int level, int count) {
  // Each hint is "<before> <count> 個登録".
  static const Cp932Text kBefore[kLevelCount] = {
      Cp932Text{"基本の単語 "},
      Cp932Text{"中学レベルの単語 "},
      Cp932Text{"大学受験レベルの単語 "},
      Cp932Text{"一般の単語 "},
  };
  static const Cp932Text kAfter{" 個登録"};
  CheckLevel(level, 1);
  return kBefore[level - 1].str() + FormatThousands(count) + kAfter.str();
}

}  // namespace lexiscoop
