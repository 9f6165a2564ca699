#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/Cp932.h"
#include "views/WindowCaption.h"
#include "views/WordListFilter.h"

namespace lexiscoop {
namespace {

std::string Sjis(const char* utf8) { return Cp932FromUtf8(utf8); }

TEST(WindowCaptionTest, NamesAFileByTheLastPartOfItsPath) {
  struct Case {
    const char* path;
    const char* name;
  } cases[] = {
      {"C:\\texts\\a.txt", "a.txt"}, {"/home/u/texts/b.txt", "b.txt"}, {"c:a.txt", "a.txt"},
      {"plain.txt", "plain.txt"},     {"dir/", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FileNamePart(c.path), c.name) << c.path;
    EXPECT_EQ(CaptionForFile(c.path), Sjis("レキシスクープ 単語拾い / ") + c.name);
  }
  // 0x5C as the trail byte of «表» is not a separator.
  const std::string japanese = Sjis("文書\\表.txt");
  EXPECT_EQ(FileNamePart(japanese), Sjis("表.txt"));
}

TEST(WindowCaptionTest, NamesATextByItsFirstNonBlankLine) {
  EXPECT_EQ(CaptionForText(Sjis("以下は、単語抽出の例文集です。\r\nsecond")),
            Sjis("レキシスクープ 単語拾い / 以下は、単語抽出の例文集です。"));
  EXPECT_EQ(CaptionForText("\r\n   Hello world\r\n"), Sjis("レキシスクープ 単語拾い /    Hello world"));
  EXPECT_EQ(CaptionForText("\n\t \r\r\nlast"), Sjis("レキシスクープ 単語拾い / last"));
  EXPECT_FALSE(CaptionForText(" \r\n\t\n").has_value());
  // A paragraph on one line is named by its first 200 bytes, never half a
  // double-byte character.
  const std::string base = Sjis("レキシスクープ 単語拾い / ");
  EXPECT_EQ(CaptionForText(std::string(200, 'a') + "\r\nnext"), base + std::string(200, 'a'));
  EXPECT_EQ(CaptionForText(std::string(50000, 'b')), base + std::string(200, 'b') + Sjis("…"));
  std::string wide = "x";
  for (int i = 0; i < 150; ++i) wide += Sjis("語");
  EXPECT_EQ(CaptionForText(wide), base + wide.substr(0, 199) + Sjis("…"));
  EXPECT_FALSE(CaptionForText("").has_value());
}

TEST(LevelMaskTest, ClicksAndMenuItemsChangeTheMask) {
  struct Case {
    LevelMask mask;
    int bit;
    LevelClickModifier modifier;
    std::optional<LevelMask> result;
  } cases[] = {
      {127, kLevelBitBasic, LevelClickModifier::Shift, 125},
      {125, kLevelBitBasic, LevelClickModifier::Shift, 127},
      {127, kLevelBitGeneral, LevelClickModifier::Ctrl, 32},
      {2, kLevelBitJunior, LevelClickModifier::Alt, 127},
      {127, kLevelBitOther, LevelClickModifier::None, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MaskAfterLevelClick(c.mask, c.bit, c.modifier), c.result) << int(c.mask) << " bit " << c.bit;
  }
  // Shift-clicking every level button off from 127 leaves bit 4 alone.
  LevelMask mask = kAllLevels;
  for (int bit : {kLevelBitBasic, kLevelBitJunior, kLevelBitToUniversity, kLevelBitGeneral, kLevelBitOther,
                  kLevelBitNone}) {
    mask = *MaskAfterLevelClick(mask, bit, LevelClickModifier::Shift);
  }
  EXPECT_EQ(mask, 16);
  // Ctrl and then Shift on the same button empties the mask.
  mask = *MaskAfterLevelClick(kAllLevels, kLevelBitJunior, LevelClickModifier::Ctrl);
  EXPECT_EQ(*MaskAfterLevelClick(mask, kLevelBitJunior, LevelClickModifier::Shift), 0);

  EXPECT_EQ(MaskAfterLevelMenu(0x04, kLevelBitBasic, LevelMenuItem::Include), 0x06);
  EXPECT_EQ(MaskAfterLevelMenu(0x06, kLevelBitBasic, LevelMenuItem::Exclude), 0x04);
  EXPECT_EQ(MaskAfterLevelMenu(0x06, kLevelBitOther, LevelMenuItem::Only), 0x40);
  EXPECT_EQ(MaskAfterLevelMenu(0x06, kLevelBitOther, LevelMenuItem::All), 127);
  EXPECT_EQ(MaskAfterNoEntryToggle(127), 126);
  EXPECT_EQ(MaskAfterNoEntryToggle(0x41), 126);
  EXPECT_EQ(MaskAfterNoEntryToggle(126), 127);
  EXPECT_EQ(MaskAfterNoEntryToggle(0x04), 127);
  EXPECT_EQ(FormAfterToggle(FormMode::Original, FormMode::Original), FormMode::None);
  EXPECT_EQ(FormAfterToggle(FormMode::Original, FormMode::Written), FormMode::Written);
}

}  // namespace
}  // namespace lexiscoop
