// Speed of the part-of-speech tagger (tokens per second) on held-out corpus
// sentences, and of loading its model.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tagging/Tagger.h"
#include "tagging/TaggerModel.h"

namespace {

using namespace lexiscoop::tagging;

const std::string kModel = std::string(LEXISCOOP_SHIPPED_DATA_DIR) + "/LxTagger.dat";
const std::string kSlice = std::string(LEXISCOOP_SHIPPED_DATA_DIR) + "/../tests/data/tagger_slice.txt";

// The slice's sentences, tags dropped.
std::vector<std::vector<std::string>> Sentences() {
  std::vector<std::vector<std::string>> sentences;
  std::ifstream in(kSlice);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream tokens(line);
    sentences.emplace_back();
    for (std::string token; tokens >> token;) sentences.back().push_back(token.substr(0, token.rfind('/')));
  }
  return sentences;
}

void BM_TagSentences(benchmark::State& state) {
  const auto load = TaggerModel::Load(kModel);
  if (!load.model) {
    state.SkipWithError(load.error.c_str());
    return;
  }
  const auto sentences = Sentences();
  std::vector<std::vector<std::string_view>> views;
  size_t tokens = 0;
  for (const auto& s : sentences) {
    views.emplace_back(s.begin(), s.end());
    tokens += s.size();
  }
  Tagger tagger(load.model);
  for (auto _ : state) {
    for (const auto& words : views) benchmark::DoNotOptimize(tagger.TagSentence(words).data());
  }
  state.counters["tokens/s"] = benchmark::Counter(static_cast<double>(tokens * state.iterations()),
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TagSentences)->Unit(benchmark::kMillisecond);

void BM_LoadModel(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(TaggerModel::Load(kModel).model.get());
}
BENCHMARK(BM_LoadModel)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
