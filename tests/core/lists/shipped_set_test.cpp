// The shipped level lists imported as a set of one's own classify every
// word as the shipped levels do, and every output shows it alike: the
// property that makes a user's set a true replacement of the shipped one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "dictionary/CompressStringList.h"
#include "dictionary/ConjugationDictionary.h"
#include "dictionary/DictionaryFiles.h"
#include "analysis/MyParser.h"
#include "lists/KnownWords.h"
#include "lists/LevelSetIndex.h"
#include "tagging/TaggerModel.h"
#include "views/ContextReading.h"
#include "lists/ListFile.h"
#include "lists/ListResolution.h"
#include "platform/Cp932.h"
#include "views/Coverage.h"
#include "export/ExportFile.h"
#include "export/WordListExport.h"
#include "views/ShownWordList.h"
#include "views/StatisticsReport.h"
#include "views/WordLevels.h"
#include "views/WordListBuilder.h"
#include "views/WordListColumns.h"

namespace lexiscoop {
namespace {

// Everything a result is shown as: the report, the word list with its level
// column, the coverage by stage, the exported table.
struct Outputs {
  std::vector<std::string> report;
  std::string list;
  std::vector<int64_t> coverage;
  std::string verdict;
  std::string exported;

  bool operator==(const Outputs&) const = default;
};

void PrintTo(const Outputs& o, std::ostream* out) {
  *out << Utf8FromCp932(JoinCrLf(o.report) + o.verdict) << "\nlist " << o.list.size() << " bytes, export "
       << o.exported.size() << " bytes";
}

Outputs OutputsOf(const AnalysisResult& result) {
  Outputs out;
  out.report = BuildStatisticsReport(" title/x", result, ReportForm::Memo);
  ShownWordList shown;
  WordListBuilder().Rebuild(result, WordListFilter{}, shown);
  shown.SortBy(kSortLevel, false);
  for (int r = 0; r < shown.RowCount(); ++r) {
    out.list += CellText(*FindWordListColumn("word"), ListRow{shown, result, r, {}}) + "\t" +
                CellText(*FindWordListColumn("level"), ListRow{shown, result, r, {}}) + "\n";
  }
  const CoverageFigures coverage = ComputeCoverage(result.words, WordLevelsOf(result), result.readings, result.levelSet);
  out.coverage.assign(coverage.known.begin(), coverage.known.begin() + coverage.StageCount());
  out.verdict = CoverageVerdict(coverage);
  out.exported = ExportText(ShownWordListTable(shown, result, {}, ExportFormat::Tsv), ExportFormat::Tsv);
  return out;
}

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
    ASSERT_TRUE(list.LoadFromFile(dictionary.ShippedLevelPath(level)).ok());
    std::string text;
    for (int i = 0; i < list.Count(); ++i) text += list[i] + "\r\n";
    files.push_back(ReadListBytes(LevelFiles(level).shipped, text, ListFormat::PlainText));
    names.push_back(ShippedLevels().Name(static_cast<LevelId>(level - 1)));
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
  const Outputs shipped = OutputsOf(result);

  index.Apply(result);
  ASSERT_FALSE(result.Levels().Shipped());
  EXPECT_EQ(OutputsOf(result), shipped);
  // And back to the shipped set, as the window switches.
  LevelSetIndex().Apply(result);
  EXPECT_TRUE(result.Levels().Shipped());
  EXPECT_EQ(OutputsOf(result), shipped);
}

// A spelling read as two headwords in its sentences is known only when
// both are: a class that knows life has not met the lives read as live.
TEST(ShippedSetTest, ASpellingReadAsTwoHeadwordsIsKnownOnlyWhenBothAre) {
  ConjugationDictionary dictionary(LEXISCOOP_SHIPPED_DATA_DIR, LEXISCOOP_SHIPPED_DATA_DIR, "/nonexistent");
  dictionary.ReloadDictionary(false);
  const auto model = tagging::TaggerModel::Load(std::string(LEXISCOOP_SHIPPED_DATA_DIR) + "/LxTagger.dat");
  ASSERT_TRUE(model.model) << model.error;
  TMyParser parser;
  parser.AssignText("My friend lives in China. Cats have nine lives. The cat sat.\r\n");
  AnalysisResult result;
  AnalyseText(parser, result, dictionary.CurrentLexicon(), model.model);
  ASSERT_EQ(result.readings.size(), 1u);
  const int lives = result.words.IndexOf("lives");
  const int cat = result.words.IndexOf("cat");
  ASSERT_GE(lives, 0);
  ASSERT_GE(cat, 0);
  const struct {
    std::vector<std::string> known;
    uint8_t lives, cat;
  } rows[] = {
      {{"life"}, 0, 0}, {{"live"}, 0, 0}, {{"live", "life"}, 1, 0}, {{"cat", "life"}, 0, 1}, {{}, 0, 0},
  };
  for (const auto& row : rows) {
    const std::vector<uint8_t> known = KnownWords(row.known).KnownEntries(result);
    EXPECT_EQ(known[static_cast<size_t>(lives)], row.lives) << row.known.size();
    EXPECT_EQ(known[static_cast<size_t>(cat)], row.cat) << row.known.size();
  }
}

}  // namespace
}  // namespace lexiscoop
