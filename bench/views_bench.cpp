// Result presentation: the rebuild of the shown word list and its sorts.
//
// Synthetic data built at start-up: a dictionary of 30,000 headwords with
// 3 or 4 inflected spellings each, four level lists of 12,000 headwords in
// all, and a word table of 100,000 distinct words: 60,000 dictionary
// spellings (headwords and inflections, some capitalised) and 40,000 words
// the dictionary lacks, with Zipf-like counts.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "dictionary/CompressStringList.h"
#include "dictionary/ConjugationDictionary.h"
#include "dictionary/DictionaryFiles.h"
#include "platform/FileSystem.h"
#include "views/ShownWordList.h"
#include "views/WordListBuilder.h"

namespace lexiscoop {
namespace {

constexpr int kHeadwords = 30000;
constexpr int kKnownWords = 60000;
constexpr int kUnknownWords = 40000;
constexpr int kLevelHeadwords[4] = {1500, 2500, 3000, 5000};

std::string RandomWord(std::mt19937& rng, int minLength, int spread) {
  std::string word;
  const int length = minLength + static_cast<int>(rng() % static_cast<unsigned>(spread));
  for (int i = 0; i < length; ++i) word.push_back(static_cast<char>('a' + rng() % 26));
  return word;
}

// A temporary folder for the dictionary files, removed at exit.
std::string MakeFolder() {
  char pattern[] = "/tmp/lexiscoop-views-bench-XXXXXX";
  return mkdtemp(pattern);
}

struct BenchData {
  std::string folder = MakeFolder();
  ConjugationDictionary dictionary{folder, folder};
  AnalysisResult result;  // the word table, classified

  ~BenchData() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  BenchData() {
    std::mt19937 rng(7);
    std::set<std::string> unique;
    while (static_cast<int>(unique.size()) < kHeadwords) unique.insert(RandomWord(rng, 3, 9));
    std::vector<std::string> headwords(unique.begin(), unique.end());
    std::shuffle(headwords.begin(), headwords.end(), rng);

    std::vector<std::string> spellings;
    TCompressStringList lines;
    for (size_t i = 0; i < headwords.size(); ++i) {
      const std::string& w = headwords[i];
      std::string line = w + "\ts,ed,ing";
      spellings.insert(spellings.end(), {w, w + "s", w + "ed", w + "ing"});
      if (i % 4 != 0) {
        line += ",1ies";
        spellings.push_back(w.substr(0, w.size() - 1) + "ies");
      }
      lines.Add(line);
    }
    lines.SaveToFile(JoinPath(folder, kShippedDictionaryFile));
    size_t next = 0;
    for (int level = 1; level <= 4; ++level) {
      TCompressStringList list;
      for (int i = 0; i < kLevelHeadwords[level - 1]; ++i) list.Add(headwords[next++]);
      list.SaveToFile(JoinPath(folder, LevelFiles(level).shipped));
    }
    dictionary.ReloadDictionary(false);

    std::shuffle(spellings.begin(), spellings.end(), rng);
    std::vector<std::string> table;
    std::set<std::string> seen;
    for (const std::string& s : spellings) {
      if (static_cast<int>(table.size()) == kKnownWords) break;
      if (seen.insert(s).second) table.push_back(s);
    }
    while (static_cast<int>(table.size()) < kKnownWords + kUnknownWords) {
      std::string w = RandomWord(rng, 4, 10) + "q";
      if (seen.insert(w).second) table.push_back(w);
    }
    std::shuffle(table.begin(), table.end(), rng);
    for (size_t i = 0; i < table.size(); ++i) {
      std::string w = table[i];
      if (i % 17 == 0) w[0] = static_cast<char>(w[0] - 32);  // a capital at a sentence start
      const int count = 1 + static_cast<int>(20000 / (i + 1)) + static_cast<int>(rng() % 3);
      for (int c = 0; c < count; ++c) result.words.CountWord(w);
    }
    ClassifyWords(result, dictionary.CurrentLexicon());
  }
};

const BenchData& Data() {
  static const BenchData data;
  return data;
}

// Classifies the 100,000 words against the lexicon: one hash probe each.
void BM_ClassifyWords(benchmark::State& state) {
  BenchData& data = const_cast<BenchData&>(Data());
  const auto lexicon = data.dictionary.CurrentLexicon();
  for (auto _ : state) {
    ClassifyWords(data.result, lexicon);
    benchmark::DoNotOptimize(data.result.levelDistinct.data());
  }
  state.counters["words"] = data.result.words.Count();
}
BENCHMARK(BM_ClassifyWords)->Unit(benchmark::kMillisecond);

void BM_RebuildWordList(benchmark::State& state) {
  const BenchData& data = Data();
  const WordListBuilder builder;
  WordListFilter filter;
  filter.formMode = static_cast<FormMode>(state.range(0));
  ShownWordList shown;
  int pumps = 0;
  RebuildControl control;
  control.pump = [&pumps](int) { ++pumps; };
  for (auto _ : state) {
    builder.Rebuild(data.result, filter, shown, control);
    benchmark::DoNotOptimize(shown.RowCount());
  }
  state.counters["words"] = data.result.words.Count();
  state.counters["rows"] = shown.RowCount();
}
BENCHMARK(BM_RebuildWordList)->Arg(3)->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_RebuildWordListFiltered(benchmark::State& state) {
  const BenchData& data = Data();
  const WordListBuilder builder;
  const WordListFilter filter{LevelBit(kLevelBitJunior), FormMode::Original, ProperNounChoice::CommonOnly};
  ShownWordList shown;
  for (auto _ : state) {
    builder.Rebuild(data.result, filter, shown);
    benchmark::DoNotOptimize(shown.RowCount());
  }
  state.counters["rows"] = shown.RowCount();
}
BENCHMARK(BM_RebuildWordListFiltered)->Unit(benchmark::kMillisecond);

// Sorts the list of all 100,000 words (form 表記, so every word is a row);
// every request flips the direction, as the window's do.
void BM_SortList(benchmark::State& state) {
  const BenchData& data = Data();
  ShownWordList shown;
  WordListBuilder().Rebuild(data.result, {kAllLevels, FormMode::Written, ProperNounChoice::All}, shown);
  std::vector<int> selected = {0, 10, 100, 1000, 10000};
  for (auto _ : state) {
    shown.SortList(static_cast<int>(state.range(0)), &selected);
    benchmark::DoNotOptimize(shown.ViewIndex().data());
  }
  state.counters["rows"] = shown.RowCount();
}
BENCHMARK(BM_SortList)->Arg(kSortFirstAppearance)->Arg(kSortAlphabetical)->Arg(kSortCount)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lexiscoop

BENCHMARK_MAIN();
