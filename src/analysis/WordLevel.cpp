#include "analysis/WordLevel.h"

namespace lexiscoop {

const std::string& LevelButtonName(WordLevel level) { return ShippedLevels().Name(level); }

}  // namespace lexiscoop
