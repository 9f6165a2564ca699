// Dictionary storage: loading the conjugation dictionary and the level lists,
// recording a headword, and the compressed list file's coder.
//
// The data are synthetic and built at start-up in a temporary folder: 40,000
// headwords with 150,000 inflected spellings (3 or 4 each) and four level
// lists of 15,000 headwords in all, in the shapes of the shipped files.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "dictionary/CommaText.h"
#include "dictionary/CompressStringList.h"
#include "dictionary/ConjugationDictionary.h"
#include "dictionary/DeltaCode.h"
#include "dictionary/InflectionItem.h"
#include "platform/FileSystem.h"

namespace lexiscoop {
namespace {

constexpr int kHeadwords = 40000;
constexpr int kLevelHeadwords[4] = {1500, 2500, 4000, 7000};

struct BenchData {
  std::string folder;
  std::vector<std::string> headwords;

  BenchData() {
    char tmpl[] = "/tmp/lexiscoop-bench-XXXXXX";
    folder = mkdtemp(tmpl);
    std::mt19937 rng(1);
    std::set<std::string> unique;
    while (static_cast<int>(unique.size()) < kHeadwords) {
      std::string word;
      const int length = 3 + static_cast<int>(rng() % 9);
      for (int i = 0; i < length; ++i) word.push_back(static_cast<char>('a' + rng() % 26));
      unique.insert(word);
    }
    headwords.assign(unique.begin(), unique.end());

    TCompressStringList dictionary;
    int spellings = 0;
    for (size_t i = 0; i < headwords.size(); ++i) {
      const std::string& w = headwords[i];
      std::vector<std::string> forms = {w + "s", w + "ed", w + "ing"};
      if (i % 4 != 0) forms.push_back(w.substr(0, w.size() - 1) + "ies");  // 3 of 4 lines: four forms
      std::vector<std::string> items;
      for (const std::string& form : forms) items.push_back(EncodeInflectionItem(w, form));
      spellings += static_cast<int>(forms.size());
      dictionary.Add(w + "\t" + WriteCommaText(items));
    }
    dictionary.Sort();
    dictionary.SaveToFile(JoinPath(folder, "LxScoop.dat"));
    if (spellings != 150000) std::abort();

    for (int level = 1; level <= 4; ++level) {
      TCompressStringList list;
      for (int i = 0; i < kLevelHeadwords[level - 1]; ++i) list.Add(headwords[(rng() % kHeadwords)]);
      list.Sort();
      list.SaveToFile(JoinPath(folder, LevelFiles(level).shipped));
    }
  }
  ~BenchData() { std::filesystem::remove_all(folder); }
};

const BenchData& Data() {
  static const BenchData data;
  return data;
}

// A 10 MB text of dictionary lines, the kind of text these files hold.
const std::string& TenMegabyteText() {
  static const std::string text = [] {
    TCompressStringList lines;
    lines.LoadFromFile(JoinPath(Data().folder, "LxScoop.dat"));
    const std::string one = lines.Text();
    std::string all;
    while (all.size() < 10'000'000) all += one;
    all.resize(10'000'000);
    return all;
  }();
  return text;
}

void BM_LoadDictionaryAndLevelLists(benchmark::State& state) {
  const BenchData& data = Data();
  for (auto _ : state) {
    ConjugationDictionary dictionary(data.folder, data.folder);
    dictionary.ReloadDictionary(false);
    benchmark::DoNotOptimize(dictionary.CurrentLexicon()->HeadwordCount());
  }
}
BENCHMARK(BM_LoadDictionaryAndLevelLists)->Unit(benchmark::kMillisecond);

// Building the lexicon from decoded lines, in file order and shuffled (the
// files are written sorted); the headword rule must not care.
TStringList DictionaryLines(bool shuffled, int count) {
  static const std::vector<std::string> fileOrder = [] {
    TCompressStringList file;
    file.LoadFromFile(JoinPath(Data().folder, "LxScoop.dat"));
    std::vector<std::string> lines;
    for (int i = 0; i < file.Count(); ++i) lines.push_back(file[i]);
    return lines;
  }();
  std::vector<std::string> order = fileOrder;
  if (shuffled) std::shuffle(order.begin(), order.end(), std::mt19937(3));
  TStringList lines;
  for (int i = 0; i < count; ++i) lines.Add(order[static_cast<size_t>(i)]);
  return lines;
}

void BM_BuildLexiconFromLines(benchmark::State& state) {
  const TStringList lines = DictionaryLines(state.range(0) != 0, static_cast<int>(state.range(1)));
  for (auto _ : state) {
    ConjugationDictionary dictionary(Data().folder, Data().folder);
    dictionary.LoadDictionaryLines(lines);
    benchmark::DoNotOptimize(dictionary.CurrentLexicon()->HeadwordCount());
  }
}
BENCHMARK(BM_BuildLexiconFromLines)
    ->ArgNames({"shuffled", "lines"})
    ->Args({0, kHeadwords})
    ->Args({1, kHeadwords})
    ->Args({1, 10000})
    ->Unit(benchmark::kMillisecond);

void BM_RecordHeadword(benchmark::State& state) {
  const BenchData& data = Data();
  ConjugationDictionary dictionary(data.folder, data.folder);
  dictionary.ReloadDictionary(false);
  int round = 0;
  for (auto _ : state) {
    const int level = 1 + round % 4;
    dictionary.RecordHeadword(data.headwords[20000], round % 2 ? "goes going gone" : "went", level);
    ++round;
  }
  for (const char* name : {"myLxScoop.dat", "myLXBasics.dat", "myLXJunior.dat", "myLXToUnuvercity.dat",
                           "myLXGeneral.dat"}) {
    std::filesystem::remove(JoinPath(data.folder, name));
  }
}
BENCHMARK(BM_RecordHeadword)->Unit(benchmark::kMillisecond);

// The shipped data (data/ of the source tree), copied to a temporary folder:
// a load with its lexicon, and a record with its reload (wall time, the
// files written and renamed as the editor's 登録 does).
struct ShippedCopy {
  std::string folder;
  ShippedCopy() {
    char tmpl[] = "/tmp/lexiscoop-bench-shipped-XXXXXX";
    folder = mkdtemp(tmpl);
    for (const char* name : {"LxScoop.dat", "LXBasics.dat", "LXJunior.dat", "LXToUnuvercity.dat", "LXGeneral.dat"}) {
      std::filesystem::copy_file(JoinPath(LEXISCOOP_SHIPPED_DATA_DIR, name), JoinPath(folder, name));
    }
  }
  ~ShippedCopy() { std::filesystem::remove_all(folder); }
};

void BM_LoadShippedDictionary(benchmark::State& state) {
  const ShippedCopy copy;
  for (auto _ : state) {
    ConjugationDictionary dictionary(copy.folder, copy.folder);
    dictionary.ReloadDictionary(false);
    benchmark::DoNotOptimize(dictionary.CurrentLexicon()->HeadwordCount());
  }
}
BENCHMARK(BM_LoadShippedDictionary)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RecordShippedHeadword(benchmark::State& state) {
  const ShippedCopy copy;
  ConjugationDictionary dictionary(copy.folder, copy.folder);
  dictionary.ReloadDictionary(false);
  int round = 0;
  for (auto _ : state) {
    dictionary.RecordHeadword("zyxwv", round % 2 ? "zyxwvs" : "zyxwved", 1 + round % 4);
    ++round;
  }
}
BENCHMARK(BM_RecordShippedHeadword)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Encode(benchmark::State& state) {
  const std::string& text = TenMegabyteText();
  for (auto _ : state) {
    TDeltaCode coder;
    coder.SetPlainData(text);
    coder.Encode();
    benchmark::DoNotOptimize(coder.CodedData().size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Encode)->Unit(benchmark::kMillisecond);

void BM_Decode(benchmark::State& state) {
  const std::string& text = TenMegabyteText();
  TDeltaCode encoder;
  encoder.SetPlainData(text);
  encoder.Encode();
  const std::string image = encoder.TakeCodedData();
  for (auto _ : state) {
    TDeltaCode coder;
    if (!coder.Decode(image)) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(coder.PlainData().size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Decode)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lexiscoop

BENCHMARK_MAIN();
