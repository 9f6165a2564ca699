// A lexicon and a finished analysis are read from several threads at once:
// each thread classifies, lists and reports on its own and gets what one
// thread alone gets. Run under ThreadSanitizer by `scripts/test --tsan`.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "analysis/Analysis.h"
#include "dictionary/ConjugationDictionary.h"
#include "views/StatisticsReport.h"
#include "views/WordListBuilder.h"

namespace lexiscoop {
namespace {

// What one reader makes of a text: its own classification's counters, the
// list of the shared result, and the report of the shared result.
struct Reading {
  std::array<int32_t, kMaxLevelCount> levelOccurrences{};
  std::vector<std::string> rows;
  std::vector<std::string> report;

  bool operator==(const Reading&) const = default;
};

Reading Read(const std::shared_ptr<const Lexicon>& lexicon, const AnalysisResult& shared,
             const std::vector<std::string>& text) {
  Reading reading;
  AnalysisResult own;
  for (const std::string& w : text) {
    own.words.CountWord(w);
    ++own.tokenCount;
  }
  ClassifyWords(own, lexicon);
  reading.levelOccurrences = own.levelOccurrences;
  ShownWordList shown;
  WordListBuilder().Rebuild(shared, {kAllLevels, FormMode::Original, ProperNounChoice::All, {}}, shown);
  shown.SortBy(kSortAlphabetical, false);
  for (int r = 0; r < shown.RowCount(); ++r) reading.rows.emplace_back(shown.WordOfRow(r));
  reading.report = BuildStatisticsReport("x / text", shared, ReportForm::Memo);
  for (const HeadwordId h : lexicon->Candidates("left")) reading.rows.push_back(lexicon->At(h).spelling);
  return reading;
}

TEST(ConcurrentReadingTest, ThreadsShareOneLexiconAndOneFinishedAnalysis) {
  ConjugationDictionary dictionary(LEXISCOOP_SHIPPED_DATA_DIR, LEXISCOOP_SHIPPED_DATA_DIR);
  dictionary.ReloadDictionary(false);
  const std::shared_ptr<const Lexicon> lexicon = dictionary.CurrentLexicon();
  std::vector<std::string> text;
  for (int i = 0; i < lexicon->HeadwordCount(); i += 7) {
    const Headword& h = lexicon->At(i);
    text.push_back(h.spelling);
    if (!h.forms.empty()) text.push_back(h.forms.back());
    text.push_back("zq" + std::to_string(i % 500));
  }
  AnalysisResult shared;
  for (const std::string& w : text) {
    shared.words.CountWord(w);
    ++shared.tokenCount;
  }
  ClassifyWords(shared, lexicon);
  const Reading alone = Read(lexicon, shared, text);
  ASSERT_FALSE(alone.rows.empty());

  constexpr int kThreads = 4;
  std::vector<Reading> readings(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] { readings[static_cast<size_t>(t)] = Read(lexicon, shared, text); });
  }
  // Meanwhile the dictionary is reloaded: earlier lexicons stay as they were.
  dictionary.ReloadDictionary(false);
  for (std::thread& thread : threads) thread.join();
  for (const Reading& r : readings) EXPECT_TRUE(r == alone);
}

}  // namespace
}  // namespace lexiscoop
