#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "analysis/LevelSet.h"

namespace lexiscoop {

// The levels the word list shows: one bit per level button (a set of one's
// own uses bits up to 11).
using LevelMask = uint16_t;

// The bit of each level is the level set's (LevelInfo::filterBit).
constexpr int ShippedLevelBit(LevelId level) { return kShippedLevelTable[static_cast<int>(level)].filterBit; }
constexpr int kLevelBitNone = ShippedLevelBit(LevelId::None);                  // 未登録: not in the dictionary
constexpr int kLevelBitBasic = ShippedLevelBit(LevelId::Basic);                // 基本
constexpr int kLevelBitJunior = ShippedLevelBit(LevelId::Junior);              // 中学
constexpr int kLevelBitToUniversity = ShippedLevelBit(LevelId::ToUniversity);  // 大学受験
constexpr int kLevelBitUnused = 4;  // no level; keeps a mask non-empty
constexpr int kLevelBitGeneral = ShippedLevelBit(LevelId::General);            // 一般
constexpr int kLevelBitOther = ShippedLevelBit(LevelId::Other);                // その他: in the dictionary, in no level list

// Every level of the shipped set; LevelSet::AllFilterBits gives any set's.
constexpr LevelMask kAllLevels = 127;
constexpr LevelMask kAllLevelsButNone = 126;

constexpr LevelMask LevelBit(int bit) { return static_cast<LevelMask>(1u << bit); }
constexpr bool HasLevelBit(LevelMask mask, int bit) { return (mask & LevelBit(bit)) != 0; }

// The form in which a dictionary word is shown.
enum class FormMode : uint8_t {
  None = 0,       // nothing: only the 未登録 route adds words
  Written = 1,    // 表記: the spelling as stored in the dictionary
  Headword = 2,   // 見出し語: the word's own spelling if it is a headword, else its headword
  Original = 3,   // 原形: the preferred headword
};

// The proper-noun choice (items of the drop-down list, in order).
enum class ProperNounChoice : uint8_t {
  All = 0,         // すべて
  CommonOnly = 1,  // 普通名詞だけ: drop forms that begin with A-Z
  ProperOnly = 2,  // 固有名詞だけ: keep only forms that begin with A-Z
};

// The choice for a selected item index of the drop-down list; no selection
// (-1) and anything out of range act as All.
constexpr ProperNounChoice ProperNounChoiceFromIndex(int index) {
  return index == 1 ? ProperNounChoice::CommonOnly
         : index == 2 ? ProperNounChoice::ProperOnly
                      : ProperNounChoice::All;
}

// The three settings that shape the shown word list.
struct WordListFilter {
  LevelMask levelMask = kAllLevels;
  FormMode formMode = FormMode::Original;
  ProperNounChoice properNoun = ProperNounChoice::All;
  // Word-table entries left out whatever their level (the known words, when
  // only the new ones are wanted): entry i when leaveOut[i] is not 0. Not owned.
  std::span<const uint8_t> leaveOut;
};

// The modifier key held while a level button is clicked.
enum class LevelClickModifier { None, Shift, Ctrl, Alt };

// The mask after a click on the level button of `bit`: Shift toggles the bit,
// Ctrl keeps the bit alone, Alt selects all. nullopt for a plain click, which
// opens the level menu instead. The result may be empty; SetLevelMask refuses it.
// `all` is the mask of every level of the set shown.
std::optional<LevelMask> MaskAfterLevelClick(LevelMask mask, int bit, LevelClickModifier modifier,
                                             LevelMask all = kAllLevels);

// The items of the level menu, acting on the bit of the button clicked last.
enum class LevelMenuItem { Include, Exclude, Only, All };
LevelMask MaskAfterLevelMenu(LevelMask mask, int bit, LevelMenuItem item, LevelMask all = kAllLevels);

// 未登録 on the form tool bar: 126 while the None bit is set, else 127 (for
// the shipped set; `all` less the None bit, else `all`, for another).
constexpr LevelMask MaskAfterNoEntryToggle(LevelMask mask, LevelMask all = kAllLevels) {
  return HasLevelBit(mask, kLevelBitNone) ? static_cast<LevelMask>(all & ~LevelBit(kLevelBitNone)) : all;
}

// The message for a level set left empty (CP932): "どれかひとつは選択する必要があります".
const std::string& EmptyLevelMaskMessage();

// A click on a form button: the active form switches off, another switches on.
constexpr FormMode FormAfterToggle(FormMode current, FormMode clicked) {
  return current == clicked ? FormMode::None : clicked;
}

}  // namespace lexiscoop
