// Times the export of a 100,000-row word list to .xlsx and .csv against the
// targets (1 s and 200 ms): the table made from the shown list of a run (its
// cells read through the column table, text converted to UTF-8) and written
// to a file, median of five runs. Wall time and the
// thread's CPU time are both shown; the targets are judged on CPU time, which
// other programs on a busy machine do not inflate (on an idle machine the two
// agree). Prints one PASS or FAIL line per format; exit status 0 when both pass.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <string>
#include <vector>

#include "export/ExportFile.h"
#include "export/WordListExport.h"
#include "analysis/Analysis.h"
#include "analysis/MyParser.h"
#include "views/ShownWordList.h"
#include "views/WordListBuilder.h"

namespace {

using namespace lexiscoop;

// A run over a text of `count` distinct words, each in a sentence of its own,
// classified without a dictionary, and its shown list.
struct ListedText {
  TMyParser parser;
  AnalysisResult result;
  ShownWordList shown;
};

void MakeList(int count, ListedText& listed) {
  const std::string sentence = "And the LORD said unto Moses, Stretch out thine hand toward heaven, that there may be";
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += sentence.substr(0, static_cast<size_t>(i % 40));
    text += " word" + std::to_string(i) + ' ';
    text += sentence.substr(static_cast<size_t>(i % 40));
    text += ".\r\n";
  }
  listed.parser.AssignText(text);
  ScanText(listed.parser, listed.result);
  ClassifyWords(listed.result, nullptr);
  WordListBuilder().Rebuild(listed.result, WordListFilter{}, listed.shown);
}

double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Timing {
  double wall = 1e9;
  double cpu = 1e9;
};

// Median wall and CPU time of five exports.
Timing Median(const ListedText& listed, ExportFormat format, const std::string& path) {
  std::vector<double> walls, cpus;
  for (int run = 0; run < 5; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ThreadCpuSeconds();
    const Status failure = WriteExportFile(ShownWordListTable(listed.shown, listed.result, listed.parser.FullText(), format), format, path);
    cpus.push_back(ThreadCpuSeconds() - cpuStart);
    walls.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    if (!failure.ok()) {
      std::fprintf(stderr, "export_timing: %s: %s\n", path.c_str(), failure.ToString().c_str());
      return {};
    }
  }
  std::sort(walls.begin(), walls.end());
  std::sort(cpus.begin(), cpus.end());
  return {walls[2], cpus[2]};
}

}  // namespace

int main() {
  constexpr int kRows = 100000;
  ListedText listed;
  MakeList(kRows, listed);
  char folder[] = "/tmp/lexiscoop-export-XXXXXX";
  if (mkdtemp(folder) == nullptr) return 1;
  const std::string base = folder;
  struct Target {
    ExportFormat format;
    const char* name;
    double limit;
  } targets[] = {{ExportFormat::Xlsx, "xlsx", 1.0}, {ExportFormat::Csv, "csv", 0.2}};
  bool ok = true;
  for (const Target& t : targets) {
    const std::string path = base + "/words." + t.name;
    const Timing timing = Median(listed, t.format, path);
    const bool pass = timing.cpu <= t.limit;
    ok = ok && pass;
    std::printf("%s  export of %d rows to .%s: %.0f ms CPU, %.0f ms wall (target <= %.0f ms)\n",
                pass ? "PASS" : "FAIL", listed.shown.RowCount(), t.name, timing.cpu * 1000, timing.wall * 1000, t.limit * 1000);
    unlink(path.c_str());
  }
  rmdir(folder);
  return ok ? 0 : 1;
}
