// The shipped level lists imported as a set of one's own classify every
// word as the shipped levels do: the property that makes a user's set a
// true replacement of the shipped one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "dictionary/CompressStringList.h"
#include "dictionary/ConjugationDictionary.h"
#include "dictionary/DictionaryFiles.h"
#include "lists/LevelSetIndex.h"
#include "lists/ListFile.h"
#include "lists/ListResolution.h"
#include "views/Coverage.h"
#include "views/SetCoverage.h"
#include "views/WordLevels.h"

namespace lexiscoop {
namespace {

TEST(ShippedSetTest, ShippedListsImportedAsAUserSetClassifyEveryWordAlike) {
  ConjugationDictionary dictionary(LEXISCOOP_SHIPPED_DATA_DIR, LEXISCOOP_SHIPPED_DATA_DIR, "/nonexistent");
  dictionary.ReloadDictionary(false);
  const auto lexicon = dictionary.CurrentLexicon();
  ASSERT_GT(lexicon->HeadwordCount(), 10000);

  // Each shipped list as a plain text file, through the importer.
  std::vector<ListReading> files;
  std::vector<std::string> names;
  for (int level = 1; level <= kLevelCount; ++level) {
    TCompressStringList list;
    ASSERT_EQ(list.LoadFromFile(dictionary.ShippedLevelPath(level)), 0);
    std::string text;
    for (int i = 0; i < list.Count(); ++i) text += list[i] + "\r\n";
    files.push_back(ReadListBytes(LevelFiles(level).shipped, text, ListFormat::PlainText));
    names.push_back(LevelName(level));
  }
  const auto import = BuildLevelSet("shipped", files, names, *lexicon, UnknownWords::Drop);
  ASSERT_EQ(import.list.levels.size(), static_cast<size_t>(kListedLevelCount));
  const LevelSetIndex index(import.list);

  // A run holding every spelling of the dictionary, names and words it lacks.
  AnalysisResult result;
  for (HeadwordId id = 0; id < lexicon->HeadwordCount(); ++id) {
    for (const std::string& spelling : lexicon->SpellingsOf(id)) {
      result.words.CountWord(spelling);
      ++result.tokenCount;
    }
  }
  for (const char* other : {"Smith", "zork", "Osaka", "qwertyuiop"}) result.words.CountWord(other);
  ClassifyWords(result, lexicon);

  const std::vector<int8_t> levels = index.EntryLevels(result);
  ASSERT_EQ(levels.size(), result.classes.size());
  int differences = 0;
  for (size_t i = 0; i < levels.size(); ++i) {
    const WordLevel shipped = result.classes[i].level;
    const int8_t expected = shipped == WordLevel::Other  ? LevelSetIndex::kOther
                            : shipped == WordLevel::None ? LevelSetIndex::kNotInDictionary
                                                         : static_cast<int8_t>(LevelIndex(shipped));
    if (levels[i] != expected && ++differences <= 10) {
      ADD_FAILURE() << result.words.Word(static_cast<int>(i)) << ": shipped " << LevelIndex(shipped) << ", set "
                    << int{levels[i]};
    }
  }
  EXPECT_EQ(differences, 0);
  // The figures per level agree too.
  const LevelSetIndex::Counts counts = index.CountLevels(result, levels);
  for (int level = 0; level < kWordLevelCount; ++level) {
    EXPECT_EQ(counts.occurrences[static_cast<size_t>(level)], result.levelOccurrences[static_cast<size_t>(level)])
        << level;
    EXPECT_EQ(counts.distinct[static_cast<size_t>(level)], result.levelDistinct[static_cast<size_t>(level)]) << level;
  }
  // And so does the coverage by stage, names included.
  const CoverageFigures shipped = ComputeCoverage(result.words, WordLevelsOf(result));
  const SetCoverage own = ComputeSetCoverage(result.words, levels, index.LevelCount());
  ASSERT_EQ(own.known.size(), static_cast<size_t>(kCoverageStageCount));
  EXPECT_EQ(own.runningWords, shipped.runningWords);
  for (int stage = 0; stage < kCoverageStageCount; ++stage) {
    EXPECT_EQ(own.known[static_cast<size_t>(stage)], shipped.known[static_cast<size_t>(stage)]) << stage;
  }
}

}  // namespace
}  // namespace lexiscoop
