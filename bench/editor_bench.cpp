// The dictionary editor on the shipped dictionary: opening it (every row's
// level and the first entry), the look-ups behind each change of the
// headword box, the list's search, and a record or delete with its reload.
//
// The shipped files are copied from beside the executable into a temporary
// folder, which the records and deletes write.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "dictionary/ConjugationDictionary.h"
#include "dictionary/DictionaryFiles.h"
#include "editor/EditorChecks.h"
#include "editor/IncrementalSearch.h"
#include "platform/FileSystem.h"

namespace lexiscoop {
namespace {

constexpr const char* kShippedFiles[] = {"LxScoop.dat", "LXBasics.dat", "LXJunior.dat", "LXToUnuvercity.dat",
                                         "LXGeneral.dat"};

// A program folder holding a copy of the shipped files.
const std::string& Folder() {
  static const std::string folder = [] {
    char tmpl[] = "/tmp/lexiscoop-editor-bench-XXXXXX";
    std::string path = mkdtemp(tmpl);
    for (const char* name : kShippedFiles) {
      std::filesystem::copy_file(JoinPath(ExecutableFolder(), name), JoinPath(path, name));
    }
    return path;
  }();
  return folder;
}

void RemoveUserFiles() {
  std::filesystem::remove(JoinPath(Folder(), kUserDictionaryFile));
  for (int level = 1; level <= kLevelCount; ++level) std::filesystem::remove(JoinPath(Folder(), LevelFiles(level).user));
}

// RefreshList and loading the first row, without the view's reset.
void OpenEditor(const ConjugationDictionary& dictionary) {
  benchmark::DoNotOptimize(BuildRowLevels(dictionary).data());
  const std::shared_ptr<const Lexicon> lexicon = dictionary.CurrentLexicon();
  std::string lines;
  for (const std::string& line : InflectionLines(*lexicon, 0, lexicon->At(0).spelling)) {
    lines += line;
    lines += "\r\n";
  }
  benchmark::DoNotOptimize(NormalizeLines(lines));
}

void BM_OpenEditor(benchmark::State& state) {
  RemoveUserFiles();
  ConjugationDictionary dictionary(Folder(), Folder());
  dictionary.ReloadDictionary(false);
  for (auto _ : state) OpenEditor(dictionary);
  state.counters["headwords"] = dictionary.CurrentLexicon()->HeadwordCount();
  state.counters["forms"] = dictionary.CurrentLexicon()->FormCount();
}
BENCHMARK(BM_OpenEditor)->Unit(benchmark::kMillisecond);

// A headword box change for a word that is nowhere.
void BM_HeadwordBoxLookups(benchmark::State& state) {
  RemoveUserFiles();
  ConjugationDictionary dictionary(Folder(), Folder());
  dictionary.ReloadDictionary(false);
  for (auto _ : state) {
    benchmark::DoNotOptimize(FindHeadword(*dictionary.CurrentLexicon(), "zzzzqx"));
    benchmark::DoNotOptimize(FindSpelling(*dictionary.CurrentLexicon(), "zzzzqx"));
  }
}
BENCHMARK(BM_HeadwordBoxLookups)->Unit(benchmark::kMicrosecond);

// A key in the list that matches nothing: the search runs to the last row.
void BM_ListSearchMiss(benchmark::State& state) {
  RemoveUserFiles();
  ConjugationDictionary dictionary(Folder(), Folder());
  dictionary.ReloadDictionary(false);
  IncrementalSearch search;
  uint32_t now = 3000000000u;
  for (auto _ : state) {
    benchmark::DoNotOptimize(search.KeyPress(dictionary.CurrentLexicon()->Headwords(), "~", now, 0));
    now += 2000;
  }
}
BENCHMARK(BM_ListSearchMiss)->Unit(benchmark::kMicrosecond);

// What the editor does for one record: the write and full reload, the
// save check, and RefreshList.
void BM_RecordAndRefresh(benchmark::State& state) {
  RemoveUserFiles();
  ConjugationDictionary dictionary(Folder(), Folder());
  dictionary.ReloadDictionary(false);
  int round = 0;
  for (auto _ : state) {
    const char* inflections = round % 2 ? "zebraed\r\nzebraing\r\nzebras\r\n" : "zebras\r\n";
    if (dictionary.RecordHeadword("zebra", inflections, 1 + round % 4) != RecordStatus::Recorded ||
        !dictionary.LastSaveStatus().ok()) {
      state.SkipWithError("record failed");
      break;
    }
    OpenEditor(dictionary);
    ++round;
  }
  RemoveUserFiles();
}
BENCHMARK(BM_RecordAndRefresh)->Unit(benchmark::kMillisecond);

// One delete with its dictionary-only reload and RefreshList; the headword
// is recorded again outside the timing.
void BM_DeleteAndRefresh(benchmark::State& state) {
  RemoveUserFiles();
  ConjugationDictionary dictionary(Folder(), Folder());
  dictionary.ReloadDictionary(false);
  for (auto _ : state) {
    state.PauseTiming();
    dictionary.RecordHeadword("zebra", "zebras\r\n", 0);
    state.ResumeTiming();
    if (!dictionary.DeleteHeadword("zebra")) {
      state.SkipWithError("delete failed");
      break;
    }
    OpenEditor(dictionary);
  }
  RemoveUserFiles();
}
BENCHMARK(BM_DeleteAndRefresh)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lexiscoop

BENCHMARK_MAIN();
