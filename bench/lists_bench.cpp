// The user's own lists: loading a known-word list of 20,000 headwords
// (target: under 50 ms); importing a list file of 10,000 lines against the
// shipped dictionary, from the bytes to the resolved level set (target:
// 0.5 s at most); and classifying the run of a 42 MB text again by a set of
// one's own and by a known-word list, beside the scan and classification
// (抽出) of that text (target: 20% of it at most). The lists are the shipped dictionary's own headwords and
// spellings, so that resolution does its real work.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "analysis/MyParser.h"
#include "dictionary/ConjugationDictionary.h"
#include "dictionary/Lexicon.h"
#include "lists/KnownWords.h"
#include "lists/LevelSetIndex.h"
#include "lists/ListFile.h"
#include "lists/ListResolution.h"
#include "lists/ListStore.h"

namespace lexiscoop {
namespace {

struct BenchData {
  std::string folder;
  std::shared_ptr<const Lexicon> lexicon;
  std::string importText;  // 10,000 lines, one spelling each, CR LF
  std::vector<std::string> known;  // 20,000 headwords

  BenchData() {
    char tmpl[] = "/tmp/lexiscoop-lists-bench-XXXXXX";
    folder = mkdtemp(tmpl);
    ConjugationDictionary dictionary(LEXISCOOP_SHIPPED_DATA_DIR, LEXISCOOP_SHIPPED_DATA_DIR, folder);
    dictionary.ReloadDictionary(false);
    lexicon = dictionary.CurrentLexicon();
    int lines = 0;
    for (HeadwordId id = 0; id < lexicon->HeadwordCount(); ++id) {
      const Headword& h = lexicon->At(id);
      if (h.spelling.empty() || !IsListWord(h.spelling)) continue;
      if (known.size() < 20000) known.push_back(h.spelling);
      // Every third line an inflected spelling, resolved to its headword.
      const std::string& line = (id % 3 == 0 && !h.forms.empty()) ? h.forms.front() : h.spelling;
      if (lines < 10000 && IsListWord(line)) {
        importText += line + "\r\n";
        ++lines;
      }
    }
    ListStore store(folder);
    int changed = 0;
    store.ChangeKnownList("bench", known, {}, true, changed);
  }
  ~BenchData() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
};

BenchData& Data() {
  static BenchData data;
  return data;
}

void BM_LoadKnownList20000(benchmark::State& state) {
  ListStore store(Data().folder);
  for (auto _ : state) {
    KnownWordList list;
    store.LoadKnownList("bench", list);
    if (list.headwords.size() != 20000) state.SkipWithError("the list did not load whole");
    benchmark::DoNotOptimize(list);
  }
}
BENCHMARK(BM_LoadKnownList20000)->Unit(benchmark::kMillisecond);

void BM_ImportLevelList10000Lines(benchmark::State& state) {
  const BenchData& data = Data();
  for (auto _ : state) {
    std::vector<ListReading> files = {ReadListBytes("bench.txt", data.importText, ListFormat::PlainText)};
    const auto set = BuildLevelSet("bench", files, {"bench"}, *data.lexicon, UnknownWords::Keep);
    if (files[0].entries.size() != 10000) state.SkipWithError("not every line was read");
    benchmark::DoNotOptimize(set);
  }
}
BENCHMARK(BM_ImportLevelList10000Lines)->Unit(benchmark::kMillisecond);

// 42 MB of the dictionary's spellings in a fixed pseudo-random order, ten
// words a line, with a name or a word the dictionary lacks now and then.
const std::string& LargeText() {
  static const std::string text = [] {
    const Lexicon& lexicon = *Data().lexicon;
    std::vector<std::string> spellings;
    for (HeadwordId id = 0; id < lexicon.HeadwordCount(); ++id) {
      for (std::string& s : lexicon.SpellingsOf(id)) spellings.push_back(std::move(s));
    }
    std::string out;
    out.reserve(43u << 20);
    uint32_t seed = 7;
    for (int n = 0; out.size() < (42u << 20); ++n) {
      seed = seed * 1103515245u + 12345u;
      const uint32_t pick = (seed >> 8) % 1000;
      if (pick == 0) out += "Zorkish" + std::to_string(n % 5000);
      else out += spellings[(seed >> 4) % (pick < 500 ? 2000 : spellings.size())];
      out += n % 10 == 9 ? "\r\n" : " ";
    }
    return out;
  }();
  return text;
}

void BM_Extract42MB(benchmark::State& state) {
  TMyParser parser;
  parser.AssignText(LargeText());
  for (auto _ : state) {
    AnalysisResult result;
    ScanText(parser, result);
    ClassifyWords(result, Data().lexicon);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_Extract42MB)->Unit(benchmark::kMillisecond)->Iterations(2);

// The run classified once; each iteration classifies it again.
AnalysisResult& LargeRun() {
  static AnalysisResult result = [] {
    TMyParser parser;
    parser.AssignText(LargeText());
    AnalysisResult r;
    ScanText(parser, r);
    ClassifyWords(r, Data().lexicon);
    return r;
  }();
  return result;
}

void BM_ReclassifyBySet42MB(benchmark::State& state) {
  AnalysisResult& result = LargeRun();
  std::vector<ListReading> files = {ReadListBytes("bench.txt", Data().importText, ListFormat::PlainText)};
  const auto import = BuildLevelSet("bench", files, {"bench"}, *Data().lexicon, UnknownWords::Keep);
  const LevelSetIndex index(import.list);
  for (auto _ : state) {
    index.Apply(result);
    benchmark::DoNotOptimize(result.levelDistinct);
  }
  state.counters["distinct"] = result.words.Count();
}
BENCHMARK(BM_ReclassifyBySet42MB)->Unit(benchmark::kMillisecond);

// Back to the shipped set, as the window does when that set is chosen again.
void BM_ReclassifyByShippedSet42MB(benchmark::State& state) {
  AnalysisResult& result = LargeRun();
  const LevelSetIndex shipped;
  for (auto _ : state) {
    shipped.Apply(result);
    benchmark::DoNotOptimize(result.levelDistinct);
  }
}
BENCHMARK(BM_ReclassifyByShippedSet42MB)->Unit(benchmark::kMillisecond);

void BM_ReclassifyByKnownList42MB(benchmark::State& state) {
  const AnalysisResult& result = LargeRun();
  const KnownWords known(Data().known);
  for (auto _ : state) benchmark::DoNotOptimize(known.KnownEntries(result));
}
BENCHMARK(BM_ReclassifyByKnownList42MB)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lexiscoop

BENCHMARK_MAIN();
