// The user's own lists: loading a known-word list of 20,000 headwords
// (target: under 50 ms), and importing a list file of 10,000 lines against
// the shipped dictionary, from the bytes to the resolved level set (target:
// 0.5 s at most). The lists are the shipped dictionary's own headwords and
// spellings, so that resolution does its real work.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dictionary/ConjugationDictionary.h"
#include "dictionary/Lexicon.h"
#include "lists/ListFile.h"
#include "lists/ListResolution.h"
#include "lists/ListStore.h"
#include "platform/MessageHook.h"

namespace lexiscoop {
namespace {

struct BenchData {
  std::string folder;
  std::shared_ptr<const Lexicon> lexicon;
  std::string importText;  // 10,000 lines, one spelling each, CR LF

  BenchData() {
    char tmpl[] = "/tmp/lexiscoop-lists-bench-XXXXXX";
    folder = mkdtemp(tmpl);
    SetMessageHandler([](std::string_view) {});
    ConjugationDictionary dictionary(LEXISCOOP_SHIPPED_DATA_DIR, LEXISCOOP_SHIPPED_DATA_DIR, folder);
    dictionary.ReloadDictionary(false);
    lexicon = dictionary.CurrentLexicon();
    std::vector<std::string> known;
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

}  // namespace
}  // namespace lexiscoop

BENCHMARK_MAIN();
