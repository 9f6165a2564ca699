// Glosses grouped by part of speech: how a stored gloss text decodes, what
// the short form shows, and that files of both versions read through the
// gloss table, the user's free text over the shipped groups.
#include <gtest/gtest.h>

#include <string>

#include "dictionary/CompressStringList.h"
#include "dictionary/GlossGroups.h"
#include "dictionary/GlossTable.h"
#include "platform/Cp932.h"
#include "TestFolder.h"

namespace lexiscoop {
namespace {

using testing_support::TestFolder;

std::string Sj(const char* utf8) { return Cp932FromUtf8(utf8); }

// The groups as «label:gloss,gloss|label:gloss» (UTF-8) for comparing.
std::string Dump(std::string_view text) {
  std::string out;
  for (const GlossGroup& group : DecodeGlossGroups(text)) {
    if (!out.empty()) out += '|';
    out += Utf8FromCp932(std::string(group.label)) + ':';
    for (size_t i = 0; i < group.glosses.size(); ++i) {
      if (i) out += ',';
      out += Utf8FromCp932(std::string(group.glosses[i]));
    }
  }
  return out;
}

TEST(GlossGroupsTest, DecodesGroupsAndShowsTheFirstWithItsLabel) {
  struct Row {
    const char* stored;
    const char* groups;
    const char* first;
  };
  const Row rows[] = {
      {"動 閉じる; 閉める / 形 近い", "動:閉じる,閉める|形:近い", "動 閉じる; 閉める"},
      {"名 光; 明かり / 形 明るい; 軽い / 動 火をつける", "名:光,明かり|形:明るい,軽い|動:火をつける",
       "名 光; 明かり"},
      {"前 ～について / 副 約; およそ", "前:～について|副:約,およそ", "前 ～について"},
      {"間 こんにちは", "間:こんにちは", "間 こんにちは"},
      // Without a leading label: one group of free text, « / » and all.
      {"りんご", ":りんご", "りんご"},
      {"走る; 駆ける", ":走る,駆ける", "走る; 駆ける"},
      {"光 / 明かり", ":光 / 明かり", "光 / 明かり"},
      {"21", ":21", "21"},
      {"名詞 本", ":名詞 本", "名詞 本"},  // a word, not a label
      {"名本", ":名本", "名本"},
      {"", "", ""},
      // A later group without a label keeps its glosses.
      {"名 本 / 書物", "名:本|:書物", "名 本"},
  };
  for (const Row& row : rows) {
    const std::string stored = Sj(row.stored);
    EXPECT_EQ(Dump(stored), row.groups) << row.stored;
    EXPECT_EQ(std::string(FirstGlossGroup(stored)), Sj(row.first)) << row.stored;
  }
}

TEST(GlossGroupsTest, ReadsAVersionTwoShippedFileUnderAnOlderUserFile) {
  TestFolder folder;
  TCompressStringList shipped;
  shipped.LoadText(Sj("#LxGloss 2\nclose\t動 閉じる; 閉める / 形 近い\nlight\t名 光 / 形 明るい\n"));
  ASSERT_TRUE(shipped.SaveToFile(folder / kShippedGlossFile).ok());
  // A user's file of the first version: free text, no version line.
  TCompressStringList user;
  user.LoadText(Sj("light\tライト; 明かり / 灯\n"));
  ASSERT_TRUE(user.SaveToFile(folder / kUserGlossFile).ok());

  GlossTable table(folder.path());
  table.Reload();
  EXPECT_TRUE(table.ShippedLoadStatus().ok());
  EXPECT_TRUE(table.UserLoadStatus().ok());
  EXPECT_EQ(table.ShippedCount(), 2u) << "the version line is no headword";
  EXPECT_EQ(table.Lookup("#LxGloss 2"), "");
  EXPECT_EQ(Dump(table.Lookup("close")), "動:閉じる,閉める|形:近い");
  EXPECT_EQ(Dump(table.Lookup("light")), ":ライト,明かり / 灯");
  EXPECT_EQ(std::string(FirstGlossGroup(table.Lookup("light"))), Sj("ライト; 明かり / 灯"));

  // An edit stays the user's free text.
  ASSERT_EQ(table.Record("close", Sj("閉める、しめる")), GlossRecordStatus::Recorded);
  EXPECT_EQ(Dump(table.Lookup("close")), ":閉める,しめる");
  ASSERT_EQ(table.Revert("close"), GlossRecordStatus::Recorded);
  EXPECT_EQ(std::string(FirstGlossGroup(table.Lookup("close"))), Sj("動 閉じる; 閉める"));
}

}  // namespace
}  // namespace lexiscoop
