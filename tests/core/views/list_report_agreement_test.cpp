// The word list and the statistics report read one classification: the list
// filtered to one level adds up to the report's figures of that level, for
// every form, on random texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "analysis/MyParser.h"
#include "dictionary/ConjugationDictionary.h"
#include "tagging/TaggerModel.h"
#include "views/ContextReading.h"
#include "test_dictionary.h"
#include "views/WordForms.h"
#include "views/WordListBuilder.h"

namespace lexiscoop {
namespace {

using testing::TestDictionary;

// Every spelling of the lexicon, each in the case it is stored in.
std::vector<std::string> AllSpellings(const Lexicon& lexicon) {
  std::vector<std::string> spellings;
  for (const Headword& h : lexicon.Headwords()) {
    if (!h.spelling.empty()) spellings.push_back(h.spelling);
    spellings.insert(spellings.end(), h.forms.begin(), h.forms.end());
  }
  return spellings;
}

// A text of `tokens` words: mostly dictionary spellings, some capitalised or
// in upper case, some made-up words, with skewed counts.
AnalysisResult RandomText(const std::vector<std::string>& spellings, int tokens, uint32_t seed) {
  std::mt19937 rng(seed);
  AnalysisResult result;
  std::vector<std::string> vocabulary;
  for (int i = 0; i < tokens / 3 + 1; ++i) {
    std::string w;
    if (rng() % 5 == 0 || spellings.empty()) {
      w = "zq" + std::to_string(rng() % 1000);
    } else {
      w = spellings[rng() % spellings.size()];
    }
    if (!w.empty() && rng() % 6 == 0) w[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(w[0])));
    if (rng() % 15 == 0) {
      for (char& c : w) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    vocabulary.push_back(w);
  }
  for (int t = 0; t < tokens; ++t) {
    // Squaring a uniform draw favours the first words, as texts do.
    const double u = std::uniform_real_distribution<double>(0, 1)(rng);
    result.words.CountWord(vocabulary[static_cast<size_t>(u * u * static_cast<double>(vocabulary.size()))]);
    ++result.tokenCount;
  }
  return result;
}

int64_t SumOfRows(const ShownWordList& shown) {
  int64_t sum = 0;
  for (int r = 0; r < shown.RowCount(); ++r) sum += shown.CountOfRow(r);
  return sum;
}

// Per level: the occurrences of the entries whose row is at that level, and
// how many readings (an entry's class when it has none) are at that level.
struct EntryLevels {
  std::array<int64_t, kMaxLevelCount> rowOccurrences{};
  std::array<int32_t, kMaxLevelCount> readAt{};
};

EntryLevels CountEntryLevels(const AnalysisResult& result) {
  EntryLevels counted;
  for (int i = 0; i < result.words.Count(); ++i) {
    const auto row = static_cast<size_t>(LevelIndex(result.classes[static_cast<size_t>(i)].level));
    counted.rowOccurrences[row] += result.words.Occurrences(i);
    const auto split = std::find_if(result.readings.begin(), result.readings.end(),
                                    [i](const EntryReadings& r) { return r.entry == i; });
    if (split == result.readings.end()) {
      ++counted.readAt[row];
      continue;
    }
    for (const WordReading& r : split->readings) ++counted.readAt[static_cast<size_t>(LevelIndex(r.word.level))];
  }
  return counted;
}

// Checks the agreement for every level and form on one classified text: in
// the 原形 and 見出し語 forms the list filtered to one level adds up to the
// report's occurrences of that level; in the written form it has exactly the
// report's written forms of that level, each with all its occurrences.
void ExpectListAddsUpToReport(const AnalysisResult& result, const std::string& label) {
  const WordListBuilder builder;
  ShownWordList shown;
  int64_t everything = 0;
  int64_t distinct = 0;
  for (int l = 0; l < kWordLevelCount; ++l) {
    everything += result.levelOccurrences[static_cast<size_t>(l)];
    distinct += result.levelDistinct[static_cast<size_t>(l)];
  }
  ASSERT_EQ(everything, result.tokenCount) << label;
  ASSERT_EQ(distinct, result.words.Count()) << label;
  const EntryLevels entries = CountEntryLevels(result);
  if (result.readings.empty()) {
    for (int l = 0; l < kWordLevelCount; ++l) {
      EXPECT_EQ(entries.rowOccurrences[static_cast<size_t>(l)], result.levelOccurrences[static_cast<size_t>(l)]) << label;
    }
  }
  for (const FormMode form : {FormMode::Written, FormMode::Headword, FormMode::Original}) {
    for (int l = 0; l < kWordLevelCount; ++l) {
      const auto level = static_cast<WordLevel>(l);
      const WordListFilter filter{LevelBit(LevelBitOf(level)), form, ProperNounChoice::All, {}};
      ASSERT_TRUE(builder.Rebuild(result, filter, shown));
      if (form == FormMode::Written) {
        EXPECT_EQ(shown.RowCount(), result.levelDistinct[static_cast<size_t>(l)]) << label << ": level " << l;
        EXPECT_EQ(SumOfRows(shown), entries.rowOccurrences[static_cast<size_t>(l)]) << label << ": level " << l;
        continue;
      }
      EXPECT_EQ(SumOfRows(shown), result.levelOccurrences[static_cast<size_t>(l)])
          << label << ": level " << l << ", form " << static_cast<int>(form);
      // Merged rows never outnumber the words they came from.
      EXPECT_LE(shown.RowCount(), entries.readAt[static_cast<size_t>(l)]) << label << ": level " << l;
    }
    ASSERT_TRUE(builder.Rebuild(result, {kAllLevels, form, ProperNounChoice::All, {}}, shown));
    EXPECT_EQ(SumOfRows(shown), result.tokenCount) << label << ": all levels, form " << static_cast<int>(form);
    // The status line's share of the distinct words never passes 100 %.
    EXPECT_LE(shown.RowCount(), DistinctWordsOf(result, form)) << label << ": form " << static_cast<int>(form);
    if (form == FormMode::Written) {
      EXPECT_EQ(shown.RowCount(), result.words.Count()) << label;
    }
  }
}

TEST(ListReportAgreementTest, SmallAmbiguousDictionaryEveryFormEveryLevel) {
  TestDictionary dict;
  dict.Line("see", {"sees", "saw", "seen"});
  dict.Line("saw", {"saws", "sawed", "sawn"});
  dict.Line("find", {"finds", "found"});
  dict.Line("found", {"founds", "founded"});
  dict.Line("sing", {"sings", "sang", "singing"});
  dict.Line("singe", {"singes", "singing"});
  dict.Line("leave", {"leaves", "left"});
  dict.Line("left", {});
  dict.Line("leaf", {"leaves"});
  dict.Line("Bass", {});
  dict.Line("bass", {"basses"});
  dict.Line("china", {"chinas"});
  dict.Line("China", {"Chinese"});
  dict.Line("", {"sees", "gone"});  // a line with nothing before its tab
  dict.Line("go", {"goes", "went", "gone"});
  dict.Level(0, {"see", "find", "sing", "go"});
  dict.Level(1, {"saw", "leaf", "leave", "China"});
  dict.Level(2, {"bass", "see"});
  dict.Level(3, {"found", "chinas"});
  const auto lexicon = dict.MakeLexicon();
  const std::vector<std::string> spellings = AllSpellings(*lexicon);
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    AnalysisResult result = RandomText(spellings, 60, seed);
    ClassifyWords(result, lexicon);
    ExpectListAddsUpToReport(result, "seed " + std::to_string(seed));
  }
}

TEST(ListReportAgreementTest, ShippedDataEveryFormEveryLevel) {
  ConjugationDictionary dictionary(LEXISCOOP_SHIPPED_DATA_DIR, LEXISCOOP_SHIPPED_DATA_DIR);
  dictionary.ReloadDictionary(false);
  const auto lexicon = dictionary.CurrentLexicon();
  ASSERT_GT(lexicon->HeadwordCount(), 0);
  const std::vector<std::string> spellings = AllSpellings(*lexicon);
  for (uint32_t seed = 1; seed <= 5; ++seed) {
    AnalysisResult result = RandomText(spellings, 20000, seed);
    ClassifyWords(result, lexicon);
    ExpectListAddsUpToReport(result, "seed " + std::to_string(seed));
  }
}

// With words read in their sentences, a spelling counts for several
// headwords, and the list still adds up to the report.
TEST(ListReportAgreementTest, ShippedDataReadInContextEveryFormEveryLevel) {
  ConjugationDictionary dictionary(LEXISCOOP_SHIPPED_DATA_DIR, LEXISCOOP_SHIPPED_DATA_DIR);
  dictionary.ReloadDictionary(false);
  const auto lexicon = dictionary.CurrentLexicon();
  const auto model = tagging::TaggerModel::Load(std::string(LEXISCOOP_SHIPPED_DATA_DIR) + "/LxTagger.dat");
  ASSERT_TRUE(model.model) << model.error;
  const char* const ambiguous[] = {"lives", "saw", "left", "found", "leaves", "wound", "bound", "rose",
                                   "lay", "felt", "fell", "tears", "better", "means", "halves", "Saw"};
  const char* const others[] = {"the", "she", "a", "he", "they", "my", "in", "at", "to", "of", "was",
                                "house", "door", "with", "zqx", "run", "quickly", "green", "and"};
  size_t splitEntries = 0;
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    std::mt19937 rng(seed);
    std::string text;
    for (int sentence = 0; sentence < 60; ++sentence) {
      const int length = 3 + static_cast<int>(rng() % 8);
      for (int w = 0; w < length; ++w) {
        text += rng() % 3 == 0 ? ambiguous[rng() % std::size(ambiguous)] : others[rng() % std::size(others)];
        text += w + 1 < length ? " " : ". ";
      }
      if (rng() % 4 == 0) text += "\r\n";
    }
    TMyParser parser;
    parser.AssignText(text);
    AnalysisResult result;
    AnalyseText(parser, result, lexicon, model.model);
    for (const EntryReadings& split : result.readings) splitEntries += split.readings.size() > 1;
    ExpectListAddsUpToReport(result, "seed " + std::to_string(seed));
  }
  EXPECT_GT(splitEntries, 20u);  // the texts did split spellings among headwords
}

TEST(ListReportAgreementTest, ResultKeepsTheLexiconItWasClassifiedWith) {
  // A reload after the run must not change what the run's list shows.
  auto dict = std::make_unique<TestDictionary>();
  dict->Line("see", {"saw"});
  dict->Level(0, {"see"});
  AnalysisResult result;
  result.words.CountWord("saw");
  ClassifyWords(result, dict->MakeLexicon());
  dict.reset();  // the dictionary is gone; the result still holds its lexicon
  ShownWordList shown;
  ASSERT_TRUE(WordListBuilder().Rebuild(result, {}, shown));
  ASSERT_EQ(shown.RowCount(), 1);
  EXPECT_EQ(shown.WordOfRow(0), "see");
}

}  // namespace
}  // namespace lexiscoop
