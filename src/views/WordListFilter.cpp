#include "views/WordListFilter.h"

#include "platform/Cp932.h"

namespace lexiscoop {

std::optional<LevelMask> MaskAfterLevelClick(LevelMask mask, int bit, LevelClickModifier modifier, LevelMask all) {
  switch (modifier) {
    case LevelClickModifier::Shift:
      return static_cast<LevelMask>(mask ^ LevelBit(bit));
    case LevelClickModifier::Ctrl:
      return LevelBit(bit);
    case LevelClickModifier::Alt:
      return all;
    case LevelClickModifier::None:
      break;
  }
  return std::nullopt;
}

LevelMask MaskAfterLevelMenu(LevelMask mask, int bit, LevelMenuItem item, LevelMask all) {
  switch (item) {
    case LevelMenuItem::Include:
      return static_cast<LevelMask>(mask | LevelBit(bit));
    case LevelMenuItem::Exclude:
      return static_cast<LevelMask>(mask & ~LevelBit(bit));
    case LevelMenuItem::Only:
      return LevelBit(bit);
    case LevelMenuItem::All:
      break;
  }
  return all;
}

const std::string& EmptyLevelMaskMessage() {
  static const Cp932Text kMessage("どれかひとつは選択する必要があります");
  return kMessage.str();
}

}  // namespace lexiscoop
