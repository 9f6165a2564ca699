// Dictionary and level-list files damaged on disk: cut at every length,
// single bytes flipped. A file that does not decode is refused without a
// message and never overwritten; one that still decodes loads whole.
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <random>
#include <string>

#include "DictionaryFixture.h"
#include "dictionary/DeltaCode.h"

namespace lexiscoop {
namespace {

using testing_support::DictionaryTest;
using testing_support::HeadwordRow;
using testing_support::Lines;
using testing_support::LinesOf;
using testing_support::ReadBytes;
using testing_support::WriteList;
using testing_support::ReadList;

class DamagedFilesTest : public DictionaryTest {
 protected:
  void SetUp() override {
    DictionaryTest::SetUp();
    WriteUserDictionary({"go\tes,ing,ne,2went", "run\tning,s,2an", "zoo\ts"});
    WriteList(LevelFile("LXBasics.dat"), {"go", "run"});
    WriteList(LevelFile("myLXJunior.dat"), {"school", "zoo"});
    goodDictionary_ = ReadBytes(ProgramFile("myLxScoop.dat"));
    goodJunior_ = ReadBytes(LevelFile("myLXJunior.dat"));
  }

  // Plain writes: damage needs no flush to disk.
  static void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  }
  void PutDictionary(const std::string& bytes) { Put(ProgramFile("myLxScoop.dat"), bytes); }

  // One headword record per line, and every spelling resolves into them.
  void ExpectConsistent(const ConjugationDictionary& d, int lines) {
    const std::shared_ptr<const Lexicon> lexicon = d.CurrentLexicon();
    EXPECT_EQ(lexicon->HeadwordCount(), lines);
    for (const Headword& h : lexicon->Headwords()) {
      for (const std::string& form : h.forms) {
        if (form.empty()) continue;  // an empty spelling is never looked up
        const HeadwordId id = lexicon->Resolve(form);
        ASSERT_GE(id, 0) << form;
        ASSERT_LT(id, lines) << form;
      }
    }
  }

  std::string goodDictionary_;
  std::string goodJunior_;
};

TEST_F(DamagedFilesTest, EveryCutOfTheDictionaryIsRefusedAndNeverOverwritten) {
  std::vector<std::string> damaged;
  for (size_t length = 0; length < goodDictionary_.size(); ++length) damaged.push_back(goodDictionary_.substr(0, length));
  damaged.push_back(goodDictionary_ + '\0');  // one byte too many
  for (const std::string& bytes : damaged) {
    SCOPED_TRACE("file of " + std::to_string(bytes.size()) + " bytes");
    PutDictionary(bytes);
    ConjugationDictionary dictionary(programFolder_, levelFolder_);
    dictionary.ReloadDictionary(false);
    EXPECT_EQ(dictionary.DictionaryLoadStatus().systemError(), EBADMSG);
    EXPECT_EQ(dictionary.CurrentLexicon()->HeadwordCount(), 0);
    EXPECT_EQ(dictionary.CurrentLexicon()->FormCount(), 0);
    EXPECT_EQ(dictionary.LevelOf("go"), 1);  // the level lists load all the same

    EXPECT_EQ(dictionary.RecordHeadword("go", "went", 2), RecordStatus::DictionaryUnreadable);
    EXPECT_FALSE(dictionary.DeleteHeadword("go"));
    EXPECT_EQ(ReadBytes(ProgramFile("myLxScoop.dat")), bytes);
    EXPECT_EQ(ReadBytes(LevelFile("myLXJunior.dat")), goodJunior_);
  }
}

TEST_F(DamagedFilesTest, FlippedBytesLoadWholeOrNotAtAll) {
  std::mt19937 random(20240611);
  int refused = 0;
  for (int trial = 0; trial < 200; ++trial) {
    std::string bytes = goodDictionary_;
    const size_t at = random() % bytes.size();
    bytes[at] = static_cast<char>(bytes[at] ^ (1 + random() % 255));
    SCOPED_TRACE("byte " + std::to_string(at) + " flipped");
    PutDictionary(bytes);
    TDeltaCode coder;
    const bool decodes = coder.Decode(bytes);
    TStringList lines;
    if (decodes) lines.SetText(coder.PlainData());

    ConjugationDictionary dictionary(programFolder_, levelFolder_);
    dictionary.ReloadDictionary(false);
    EXPECT_EQ(dictionary.DictionaryLoadStatus().systemError(), decodes ? 0 : EBADMSG);
    ExpectConsistent(dictionary, lines.Count());

    if (trial % 4 != 0 && decodes) continue;  // saves are slow; a sample does
    const RecordStatus status = dictionary.RecordHeadword("new", "news", 0);
    if (!decodes) {
      ++refused;
      EXPECT_EQ(status, RecordStatus::DictionaryUnreadable);
      EXPECT_EQ(ReadBytes(ProgramFile("myLxScoop.dat")), bytes);
    } else if (status == RecordStatus::Recorded) {
      EXPECT_TRUE(dictionary.LastSaveStatus().ok());
      EXPECT_GE(HeadwordRow(dictionary, "new"), 0);
    }
  }
  // Flips in the header are refused; most flips in the code words decode.
  EXPECT_GT(refused, 0);
  EXPECT_LT(refused, 200);
}

TEST_F(DamagedFilesTest, DamagedLevelListKeepsItsLinesAndIsNotOverwritten) {
  Loaded();
  const Lines junior = LinesOf(dictionary_.LevelList(2));
  ASSERT_EQ(junior, (Lines{"school", "zoo"}));
  const bool hadUserDictionary = FileExists(ProgramFile("myLxScoop.dat"));
  const std::string userDictionary = hadUserDictionary ? ReadBytes(ProgramFile("myLxScoop.dat")) : "";
  for (size_t length = 0; length < goodJunior_.size(); ++length) {
    SCOPED_TRACE("level file of " + std::to_string(length) + " bytes");
    const std::string bytes = goodJunior_.substr(0, length);
    Put(LevelFile("myLXJunior.dat"), bytes);
    dictionary_.ReloadDictionary(false);
    EXPECT_EQ(dictionary_.LevelLoadStatus(2).systemError(), EBADMSG);
    EXPECT_EQ(LinesOf(dictionary_.LevelList(2)), junior);  // as before the reload

    // A change that must read that level is refused whole: the damaged
    // file is named and kept, and no other file takes the change.
    EXPECT_EQ(dictionary_.RecordHeadword("run", "ran", 2), RecordStatus::DictionaryUnreadable);
    EXPECT_EQ(dictionary_.LastSaveStatus().systemError(), EBADMSG);
    EXPECT_EQ(dictionary_.DamagedFile(), LevelFile("myLXJunior.dat"));
    EXPECT_EQ(ReadBytes(LevelFile("myLXJunior.dat")), bytes);
    EXPECT_EQ(FileExists(ProgramFile("myLxScoop.dat")), hadUserDictionary);
    if (hadUserDictionary) {
      EXPECT_EQ(ReadBytes(ProgramFile("myLxScoop.dat")), userDictionary);
    }

    // A new dictionary object starts with the level empty and disabled.
    ConjugationDictionary fresh(programFolder_, levelFolder_);
    testing_support::RecordingObserver observer;
    fresh.SetObserver(&observer);
    fresh.ReloadDictionary(false);
    EXPECT_EQ(fresh.LevelList(2).Count(), 0);
    ASSERT_EQ(observer.levels.size(), 4u);
    EXPECT_FALSE(observer.levels[1].enabled);
    EXPECT_EQ(fresh.CurrentLexicon()->HeadwordCount(), 3);
  }
  // No other list took the change: run is still in Basic.
  EXPECT_FALSE(FileExists(LevelFile("myLXBasics.dat")));
}

}  // namespace
}  // namespace lexiscoop
