#include "analysis/WordLevel.h"

#include "platform/Cp932.h"

namespace lexiscoop {

const std::string& LevelButtonName(WordLevel level) {
  static const Cp932Text kNames[kWordLevelCount] = {
      Cp932Text("基本"), Cp932Text("中学"), Cp932Text("大学受験"),
      Cp932Text("一般"), Cp932Text("その他"), Cp932Text("未登録"),
  };
  return kNames[LevelIndex(level)].str();
}

}  // namespace lexiscoop
