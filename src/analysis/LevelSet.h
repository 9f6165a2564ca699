#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lexiscoop {

// A level of a level set: its place in the set's order, the most basic level
// first, then the set's Other ("in the dictionary, in no level list") and
// None ("not in the dictionary"). The names below are the places of the
// shipped set; another set asks LevelSet::Other and LevelSet::None for its
// last two.
enum class LevelId : uint8_t { Basic, Junior, ToUniversity, General, Other, None };

// What a level set says of one of its levels. Texts are UTF-8.
struct LevelInfo {
  LevelId id;
  std::string_view key;          // its name on the command line and in JSON: "basic"
  std::string_view name;         // its button and column name: "基本"
  std::string_view editorName;   // its name in the dictionary editor's choice ("大学へ"); empty: none
  std::string_view listName;     // its level list's description in hints ("基本の単語"); empty: no list
  std::string_view stageName;    // the coverage stage it ends ("中学修了"); empty: no stage
  uint32_t lightColour;          // its text colour (0xAARRGGBB) on a light background
  uint32_t darkColour;           // and on a dark one
  int filterBit;                 // its bit in the word list's level mask
  const char* shippedFile;       // its level list as shipped; null: no list
  const char* userFile;          // the user's copy of the list; null: no list
};

// A listed level of a set made at run time: its CLI key, name (UTF-8) and
// text colour on a light background (0xRRGGBB).
struct LevelSpec {
  std::string key;
  std::string name;
  uint32_t colour = 0;
};

// An ordered set of levels: the levels with a level list, most basic first
// (at most kMaxListedLevels), then Other and None. Immutable once made and
// cheap to copy; the shipped set is ShippedLevels().
class LevelSet {
 public:
  static constexpr int kMaxListedLevels = 9;

  // `levels` in order, each with its place as id; must outlive the set.
  explicit LevelSet(std::span<const LevelInfo> levels);
  // The set `name` (CP932) of `listed` (1..kMaxListedLevels levels; more are
  // left out) followed by the shipped set's Other and None. Its levels keep
  // the filter bits of the shipped levels in the same places (1, 2, 3, 5),
  // then take 7..11; Other and None keep 6 and 0.
  static LevelSet Made(std::string name, std::span<const LevelSpec> listed);

  // True for the shipped set (and every set over the shipped table).
  bool Shipped() const;
  // The name of a set made at run time (CP932); empty for the shipped set.
  const std::string& SetName() const { return setName_; }
  // Every level's filter bit, with the unused bit 4: the word list's mask
  // that shows everything (127 for the shipped set).
  uint32_t AllFilterBits() const;

  // Every level, the listed ones first, then Other and None.
  std::span<const LevelInfo> Levels() const { return levels_; }
  // The levels with a level list, most basic first.
  std::span<const LevelInfo> Listed() const { return levels_.first(levels_.size() - 2); }
  int Count() const { return static_cast<int>(levels_.size()); }
  int ListedCount() const { return Count() - 2; }
  LevelId Other() const { return static_cast<LevelId>(Count() - 2); }
  LevelId None() const { return static_cast<LevelId>(Count() - 1); }
  bool IsListed(LevelId id) const { return Index(id) < ListedCount(); }

  // The level `id`; an id outside the set gives None.
  const LevelInfo& operator[](LevelId id) const { return levels_[static_cast<size_t>(Clamped(id))]; }
  // The level whose key is `key`, or null.
  const LevelInfo* FindKey(std::string_view key) const;
  // The level whose filter bit is `bit`, or null.
  const LevelInfo* FindFilterBit(int bit) const;
  // The level's name (CP932).
  const std::string& Name(LevelId id) const { return names_[static_cast<size_t>(Clamped(id))]; }
  // The listed level of dictionary level number `number` (1 = the first), as
  // the editor and `dict record --level` number them; 0 and every number
  // outside the listed levels give Other.
  LevelId FromDictionaryNumber(int number) const;
  // The dictionary level number of `id`: 1.. for a listed level, 0 else.
  int DictionaryNumber(LevelId id) const { return IsListed(id) ? Index(id) + 1 : 0; }

  // The place of `id` in the order (0 = most basic).
  static int Index(LevelId id) { return static_cast<int>(id); }

 private:
  int Clamped(LevelId id) const { return Index(id) < Count() ? Index(id) : Count() - 1; }

  struct Storage;
  std::span<const LevelInfo> levels_;
  std::vector<std::string> names_;  // CP932
  std::string setName_;             // CP932
  std::shared_ptr<const Storage> storage_;  // what levels_ points into, for a set made at run time
};

// The most levels of any set: the listed ones, then Other and None.
inline constexpr int kMaxLevelCount = LevelSet::kMaxListedLevels + 2;

// The shipped levels: 基本, 中学, 大学受験, 一般, その他, 未登録.
// clang-format off
inline constexpr LevelInfo kShippedLevelTable[] = {
  // id                    key           name        editor    list description       stage        light       dark        bit shipped file          user file
  {LevelId::Basic,        "basic",      "基本",     "基本",   "基本の単語",          "基本語",    0xFF0072B2, 0xFF56B4E9, 1, "LXBasics.dat",       "myLXBasics.dat"},
  {LevelId::Junior,       "junior",     "中学",     "中学",   "中学レベルの単語",    "中学修了",  0xFF007A5A, 0xFF2FC79A, 2, "LXJunior.dat",       "myLXJunior.dat"},
  {LevelId::ToUniversity, "university", "大学受験", "大学へ", "大学受験レベルの単語", "大学受験", 0xFF8F5D00, 0xFFE69F00, 3, "LXToUnuvercity.dat", "myLXToUnuvercity.dat"},
  {LevelId::General,      "general",    "一般",     "一般",   "一般の単語",          "一般",      0xFFA8467E, 0xFFE08DBD, 5, "LXGeneral.dat",      "myLXGeneral.dat"},
  {LevelId::Other,        "other",      "その他",   "なし",   "",                    "",          0xFF5F5F5F, 0xFFB0B0B0, 6, nullptr,              nullptr},
  {LevelId::None,         "none",       "未登録",   "",       "",                    "",          0xFFB34700, 0xFFFF7A33, 0, nullptr,              nullptr},
};
// clang-format on

// The shipped set over kShippedLevelTable.
const LevelSet& ShippedLevels();

}  // namespace lexiscoop
