// Loading a large text file into the text holder: as the command line and a
// small file load it (at once), and as the window's background load does
// (with progress steps, read in slices and converted in pieces), for a
// Shift-JIS file, which needs no conversion, and a UTF-8 one.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "analysis/MyParser.h"

namespace {

// A file of about 48 MB of English lines with a Japanese word in each, in
// CP932 or UTF-8; made once, removed at exit.
const std::string& TextFile(bool utf8) {
  static std::string paths[2];
  std::string& path = paths[utf8 ? 1 : 0];
  if (!path.empty()) return path;
  char name[] = "/tmp/lexiscoop_load_benchXXXXXX";
  const int fd = mkstemp(name);
  if (fd < 0) std::abort();
  close(fd);
  path = name;
  const std::string japanese = utf8 ? "\xE7\x8C\xAB" : "\x94\x4C";  // 猫
  const std::string line = "The cat " + japanese + " wrote a long letter to his wife in Japan, every day.\r\n";
  std::string text;
  text.reserve((size_t{48} << 20) + line.size());
  while (text.size() < (size_t{48} << 20)) text += line;
  std::ofstream(path, std::ios::binary) << text;
  std::atexit([] {
    for (const std::string& p : paths) {
      if (!p.empty()) std::remove(p.c_str());
    }
  });
  return path;
}

void Load(benchmark::State& state, bool utf8, bool withProgress) {
  const std::string& path = TextFile(utf8);
  int64_t steps = 0;
  const lexiscoop::LoadProgress progress = [&steps](int64_t, int64_t) {
    ++steps;
    return true;
  };
  for (auto _ : state) {
    lexiscoop::TMyParser parser;
    parser.LoadFile(path, withProgress ? progress : lexiscoop::LoadProgress{});
    benchmark::DoNotOptimize(parser.ByteCount());
  }
  state.SetBytesProcessed(state.iterations() * (int64_t{48} << 20));
  state.counters["steps"] = static_cast<double>(steps) / static_cast<double>(state.iterations());
}

void BM_LoadShiftJis(benchmark::State& state) { Load(state, false, false); }
void BM_LoadShiftJisWithProgress(benchmark::State& state) { Load(state, false, true); }
void BM_LoadUtf8(benchmark::State& state) { Load(state, true, false); }
void BM_LoadUtf8WithProgress(benchmark::State& state) { Load(state, true, true); }

BENCHMARK(BM_LoadShiftJis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadShiftJisWithProgress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadUtf8WithProgress)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
