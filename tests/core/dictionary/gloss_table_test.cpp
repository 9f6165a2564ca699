// The gloss files: the shipped glosses, the user's edits over them (per
// headword), edits that survive a reload and a restart, and a damaged user
// file that is never written over.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "dictionary/CompressStringList.h"
#include "dictionary/ConjugationDictionary.h"
#include "dictionary/DictionaryFiles.h"
#include "dictionary/Lexicon.h"
#include "views/WordGloss.h"
#include "dictionary/GlossTable.h"
#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "TestFolder.h"

namespace lexiscoop {
namespace {

using testing_support::TestFolder;

std::string Sj(const char* utf8) { return Cp932FromUtf8(utf8); }

void WriteList(const std::string& path, const std::string& text) {
  TCompressStringList list;
  list.LoadText(text);
  ASSERT_TRUE(list.SaveToFile(path).ok());
}

std::string ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

class GlossTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteList(folder_ / kShippedGlossFile,
              Sj("apple\tりんご\r\nborrow\t借りる\r\nMonday\t月曜日\r\nrun\t走る; 駆ける\r\n"));
  }
  TestFolder folder_;
};

TEST_F(GlossTableTest, LooksUpShippedGlossesWithLetterCaseIgnoredExactSpellingFirst) {
  GlossTable table(folder_.path());
  table.Reload();
  EXPECT_TRUE(table.ShippedLoadStatus().ok());
  EXPECT_EQ(table.Lookup("apple"), Sj("りんご"));
  EXPECT_EQ(table.Lookup("Apple"), Sj("りんご"));
  EXPECT_EQ(table.Lookup("monday"), Sj("月曜日"));
  EXPECT_EQ(table.Lookup("run"), Sj("走る; 駆ける"));
  EXPECT_EQ(table.Lookup("pear"), "");
  EXPECT_EQ(table.Lookup(""), "");
}

// Lines whose headwords differ only in letter case: an exact spelling wins,
// and a case-blind lookup finds the first of them in the file, whichever of
// them has capitals.
TEST(GlossTableCaseTest, ACaseBlindLookupFindsTheFirstLineOfItsSpellings) {
  TestFolder folder;
  WriteList(folder / kShippedGlossFile,
            Sj("May\t五月\r\nmay\tかもしれない\r\nmarch\t行進する\r\nMarch\t三月\r\nJUNE\t六月\r\nJune\t6月\r\n"));
  GlossTable table(folder.path());
  table.Reload();
  EXPECT_EQ(table.Lookup("May"), Sj("五月"));
  EXPECT_EQ(table.Lookup("may"), Sj("かもしれない"));
  EXPECT_EQ(table.Lookup("MAY"), Sj("五月"));
  EXPECT_EQ(table.Lookup("MARCH"), Sj("行進する"));
  EXPECT_EQ(table.Lookup("March"), Sj("三月"));
  EXPECT_EQ(table.Lookup("june"), Sj("六月"));
  EXPECT_EQ(table.Lookup("June"), Sj("6月"));
  EXPECT_EQ(table.LookupExact("june"), "");
  EXPECT_EQ(table.LookupExact("MARCH"), "");
}

TEST_F(GlossTableTest, AnEditedGlossWinsAndSurvivesReloadAndRestart) {
  {
    GlossTable table(folder_.path());
    table.Reload();
    ASSERT_EQ(table.Record("apple", Sj("林檎、アップル")), GlossRecordStatus::Recorded);
    EXPECT_EQ(table.Lookup("apple"), Sj("林檎; アップル"));
    EXPECT_TRUE(table.IsEdited("apple"));
    // The other headwords keep the shipped glosses.
    EXPECT_EQ(table.Lookup("borrow"), Sj("借りる"));
    EXPECT_FALSE(table.IsEdited("borrow"));
    table.Reload();
    EXPECT_EQ(table.Lookup("apple"), Sj("林檎; アップル"));
  }
  // A new program start reads the user's file again.
  GlossTable restarted(folder_.path());
  restarted.Reload();
  EXPECT_EQ(restarted.Lookup("apple"), Sj("林檎; アップル"));
  EXPECT_EQ(restarted.UserCount(), 1u);
  // The shipped file is never written.
  TCompressStringList shipped;
  ASSERT_TRUE(shipped.LoadFromFile(folder_ / kShippedGlossFile).ok());
  EXPECT_EQ(shipped[0], Sj("apple\tりんご"));
}

TEST_F(GlossTableTest, RevertAndEmptyEditsRestoreOrHideTheShippedGloss) {
  GlossTable table(folder_.path());
  table.Reload();
  ASSERT_EQ(table.Record("run", ""), GlossRecordStatus::Recorded);
  EXPECT_EQ(table.Lookup("run"), "") << "an emptied gloss hides the shipped one";
  ASSERT_EQ(table.Revert("run"), GlossRecordStatus::Recorded);
  EXPECT_EQ(table.Lookup("run"), Sj("走る; 駆ける"));
  EXPECT_FALSE(table.IsEdited("run"));

  // A new headword gets a gloss; emptying it removes the line again.
  ASSERT_EQ(table.Record("kiwi", Sj("キウイ")), GlossRecordStatus::Recorded);
  EXPECT_EQ(table.Lookup("kiwi"), Sj("キウイ"));
  ASSERT_EQ(table.Record("kiwi", "  "), GlossRecordStatus::Recorded);
  EXPECT_FALSE(table.IsEdited("kiwi"));
  // Reverting what was never edited writes nothing.
  ASSERT_EQ(table.Revert("borrow"), GlossRecordStatus::Recorded);
  EXPECT_EQ(table.UserCount(), 0u);
}

TEST_F(GlossTableTest, KeepsEditsAnotherProgramSavedMeanwhile) {
  GlossTable first(folder_.path());
  GlossTable second(folder_.path());
  first.Reload();
  second.Reload();
  ASSERT_EQ(first.Record("apple", Sj("林檎")), GlossRecordStatus::Recorded);
  ASSERT_EQ(second.Record("borrow", Sj("拝借する")), GlossRecordStatus::Recorded);
  EXPECT_EQ(second.Lookup("apple"), Sj("林檎"));
  EXPECT_EQ(second.Lookup("borrow"), Sj("拝借する"));
}

TEST_F(GlossTableTest, RefusesBadHeadwordsAndNeverOverwritesADamagedUserFile) {
  GlossTable table(folder_.path());
  table.Reload();
  EXPECT_EQ(table.Record("", "x"), GlossRecordStatus::InvalidText);
  EXPECT_EQ(table.Record("a\tb", "x"), GlossRecordStatus::InvalidText);
  EXPECT_EQ(table.Record("a\nb", "x"), GlossRecordStatus::InvalidText);

  {
    std::ofstream damaged(folder_ / kUserGlossFile, std::ios::binary);
    damaged << "not a compressed list";
  }
  const std::string before = ReadBytes(folder_ / kUserGlossFile);
  table.Reload();
  EXPECT_FALSE(table.UserLoadStatus().ok());
  EXPECT_EQ(table.Lookup("apple"), Sj("りんご")) << "the shipped glosses still show";
  EXPECT_EQ(table.Record("apple", Sj("林檎")), GlossRecordStatus::UserFileUnreadable);
  EXPECT_EQ(ReadBytes(folder_ / kUserGlossFile), before);
}

// The writer refuses every line the reader would refuse, so the user's
// glosses never become a file that reads as damaged.
TEST_F(GlossTableTest, TheWriterKeepsToTheReadersLineBound) {
  const size_t room = GlossTable::kMaxLineBytes - std::string("cat\t").size();
  struct Row {
    size_t glossBytes;
    GlossRecordStatus status;
  } rows[] = {
      {room, GlossRecordStatus::Recorded},
      {room + 1, GlossRecordStatus::TooLong},
      {70 * 1024, GlossRecordStatus::TooLong},
      {32767 * 2, GlossRecordStatus::TooLong},  // 32,767 kanji pasted, 2 bytes each
      {16 * 1024 * 2, GlossRecordStatus::Recorded},
  };
  GlossTable table(folder_.path());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.glossBytes);
    std::string gloss;
    while (gloss.size() < row.glossBytes) gloss += Sj("字");
    gloss.resize(row.glossBytes);
    table.Reload();
    const std::string before = ReadBytes(folder_ / kUserGlossFile);
    EXPECT_EQ(table.Record("cat", gloss), row.status);
    if (row.status != GlossRecordStatus::Recorded) { EXPECT_EQ(ReadBytes(folder_ / kUserGlossFile), before); }
    // Whatever was written reads back.
    GlossTable reader(folder_.path());
    reader.Reload();
    EXPECT_TRUE(reader.UserLoadStatus().ok());
    if (row.status == GlossRecordStatus::Recorded) { EXPECT_EQ(reader.Lookup("cat").size(), row.glossBytes); }
  }
}

// The editor's 登録 with a 訳語: the headword, its level and its glosses
// are one change, so a failure at any step of it leaves all three out.
TEST_F(GlossTableTest, AHeadwordAndItsGlossesAreRecordedTogetherOrNotAtAll) {
  WriteList(folder_ / kShippedDictionaryFile, "apple\ts\r\nrun\tran,ning,s\r\n");
  WriteList(folder_ / "LXBasics.dat", "apple\r\n");
  ConjugationDictionary dictionary(folder_.path(), folder_.path());
  dictionary.ReloadDictionary(false);
  // The files the change stages: the dictionary, the level list the
  // headword joins, the glosses, then the intent record.
  for (int passing = 0; passing < 4; ++passing) {
    SCOPED_TRACE(passing);
    SetWriteFaultForTesting(WriteStep::Open, passing);
    const RecordStatus status = dictionary.RecordHeadword("zebra", "zebras", 1, std::string_view(Sj("縞馬")));
    SetWriteFaultForTesting(std::nullopt);
    EXPECT_EQ(status, RecordStatus::NotSaved);
    ConjugationDictionary reader(folder_.path(), folder_.path());
    reader.ReloadDictionary(false);
    EXPECT_EQ(reader.LevelOf("zebra"), 0);
    EXPECT_EQ(reader.Glosses().Lookup("zebra"), "");
  }
  ASSERT_EQ(dictionary.RecordHeadword("zebra", "zebras", 1, std::string_view(Sj("縞馬"))), RecordStatus::Recorded);
  ConjugationDictionary reader(folder_.path(), folder_.path());
  reader.ReloadDictionary(false);
  EXPECT_EQ(reader.LevelOf("zebra"), 1);
  EXPECT_EQ(GlossOfWord("zebras", *reader.CurrentLexicon()), Sj("縞馬"));
  // A gloss too long for the file: nothing of the change is written.
  EXPECT_EQ(dictionary.RecordHeadword("yak", "yaks", 1, std::string(70 * 1024, 'x')), RecordStatus::GlossTooLong);
  reader.ReloadDictionary(false);
  EXPECT_EQ(reader.LevelOf("yak"), 0);
}

TEST_F(GlossTableTest, MissingFilesGiveAnEmptyTableWithoutComplaint) {
  TestFolder empty;
  GlossTable table(empty.path());
  table.Reload();
  EXPECT_TRUE(table.ShippedLoadStatus().ok());
  EXPECT_EQ(table.ShippedCount(), 0u);
  EXPECT_EQ(table.Lookup("apple"), "");
}

TEST_F(GlossTableTest, TheLexiconCarriesTheGlossesOfTheHeadwordAWordCountsFor) {
  WriteList(folder_ / kShippedDictionaryFile,
            "apple\ts\r\nborrow\ted,ing,s\r\nMay\t\r\nmay\t\r\nrun\tran,ning,s\r\n");
  WriteList(folder_ / kShippedGlossFile, Sj("apple\tりんご\r\nborrow\t借りる\r\nmay\tかもしれない\r\n"));
  ConjugationDictionary dictionary(folder_.path(), folder_.path());
  dictionary.ReloadDictionary(false);
  std::shared_ptr<const Lexicon> lexicon = dictionary.CurrentLexicon();
  EXPECT_EQ(GlossOfWord("borrowed", *lexicon), Sj("借りる"));
  EXPECT_EQ(GlossOfWord("Apples", *lexicon), Sj("りんご"));
  EXPECT_EQ(GlossOfWord("pear", *lexicon), "");
  // «May» has no line of its own: it does not borrow the glosses of «may».
  int seen = 0;
  for (HeadwordId id = 0; id < lexicon->HeadwordCount(); ++id) {
    const Headword& h = lexicon->At(id);
    if (h.spelling == "may") {
      EXPECT_EQ(h.gloss, Sj("かもしれない"));
      ++seen;
    }
    if (h.spelling == "May") {
      EXPECT_EQ(h.gloss, "");
      ++seen;
    }
  }
  EXPECT_EQ(seen, 2);
  EXPECT_EQ(GlossLine(GlossOfWord("runs", *lexicon)), "");
  EXPECT_EQ(GlossLine(Sj("借りる")), Sj("訳語: 借りる\r\n"));

  // An edit makes a new lexicon that carries it; the old one stays as it was.
  ASSERT_EQ(dictionary.RecordGloss("run", Sj("走る")), GlossRecordStatus::Recorded);
  EXPECT_EQ(GlossOfWord("runs", *dictionary.CurrentLexicon()), Sj("走る"));
  EXPECT_EQ(GlossOfWord("runs", *lexicon), "");
  // A reload (a restart) reads it back from the user's file.
  ConjugationDictionary restarted(folder_.path(), folder_.path());
  restarted.ReloadDictionary(false);
  EXPECT_EQ(GlossOfWord("running", *restarted.CurrentLexicon()), Sj("走る"));
}

// A lexicon's glosses point into the gloss files' texts: it must keep them
// readable after both files are read again, for as long as a result that
// was classified by it lives.
TEST_F(GlossTableTest, AnOldLexiconKeepsItsGlossesAfterBothFilesAreReadAgain) {
  WriteList(folder_ / kShippedDictionaryFile, "apple\ts\r\nborrow\ted,ing,s\r\nrun\tran,ning,s\r\n");
  ConjugationDictionary dictionary(folder_.path(), folder_.path());
  dictionary.ReloadDictionary(false);
  ASSERT_EQ(dictionary.RecordGloss("apple", Sj("林檎")), GlossRecordStatus::Recorded);
  std::shared_ptr<const Lexicon> old = dictionary.CurrentLexicon();
  ASSERT_EQ(GlossOfWord("apples", *old), Sj("林檎"));

  // Another program replaces the shipped file; this one edits the user's.
  WriteList(folder_ / kShippedGlossFile, Sj("borrow\t借用する\r\nrun\t走行する\r\n"));
  ASSERT_EQ(dictionary.RecordGloss("apple", Sj("アップル")), GlossRecordStatus::Recorded);
  dictionary.ReloadDictionary(false);
  std::shared_ptr<const Lexicon> now = dictionary.CurrentLexicon();
  EXPECT_EQ(GlossOfWord("borrowed", *now), Sj("借用する"));
  EXPECT_EQ(GlossOfWord("apple", *now), Sj("アップル"));

  EXPECT_EQ(GlossOfWord("apples", *old), Sj("林檎"));
  EXPECT_EQ(GlossOfWord("borrowing", *old), Sj("借りる"));
  EXPECT_EQ(GlossOfWord("runs", *old), Sj("走る; 駆ける"));
}

TEST(GlossTextTest, NormalisesTypedGlosses) {
  EXPECT_EQ(GlossTable::NormalizeGlossText(Sj(" りんご ;林檎 ")), Sj("りんご; 林檎"));
  EXPECT_EQ(GlossTable::NormalizeGlossText(Sj("りんご；林檎、アップル")), Sj("りんご; 林檎; アップル"));
  EXPECT_EQ(GlossTable::NormalizeGlossText(Sj("りんご\r\n\r\n林檎\t(果物)")),
            Sj("りんご; 林檎 (果物)"));
  EXPECT_EQ(GlossTable::NormalizeGlossText(Sj("　りんご　")), Sj("りんご"));
  EXPECT_EQ(GlossTable::NormalizeGlossText(" ; ,"), "");
  // A trail byte equal to «;» or «,» (0x3B is not a trail byte, but 0x5C
  // and 0x7C are) stays inside its character.
  EXPECT_EQ(GlossTable::NormalizeGlossText(Sj("表示; 能力")), Sj("表示; 能力"));
}

}  // namespace
}  // namespace lexiscoop
