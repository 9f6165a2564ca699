#include <unistd.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/DictionarySession.h"
#include "cli/ListSession.h"
#include "lists/LevelSetIndex.h"
#include "export/ExportFile.h"
#include "export/ProfileExport.h"
#include "platform/Cp932.h"
#include "platform/OutputPath.h"
#include "profile/LevelLookup.h"
#include "profile/ProfileRun.h"

namespace lexiscoop {
namespace {

// The progress line on a terminal: a bar, files done, speed, time left.
void DrawProgress(const ProfileProgress& progress, int64_t files, int64_t bytes, double seconds) {
  const int64_t doneFiles = progress.filesDone.load();
  const int64_t doneBytes = progress.bytesDone.load();
  constexpr int kWidth = 30;
  const double part = bytes > 0 ? static_cast<double>(doneBytes) / bytes
                                : (files > 0 ? static_cast<double>(doneFiles) / files : 1.0);
  const int filled = static_cast<int>(part * kWidth);
  const double rate = seconds > 0 ? doneBytes / seconds / 1e6 : 0.0;
  std::string left = "--:--";
  if (rate > 0 && bytes > doneBytes) {
    const auto s = static_cast<int64_t>((bytes - doneBytes) / 1e6 / rate);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%lld:%02lld", static_cast<long long>(s / 60), static_cast<long long>(s % 60));
    left = buffer;
  }
  std::fprintf(stderr, "\r[%s%s] %lld/%lld files  %.1f MB/s  %s left ", std::string(static_cast<size_t>(filled), '#').c_str(),
               std::string(static_cast<size_t>(kWidth - filled), ' ').c_str(), static_cast<long long>(doneFiles),
               static_cast<long long>(files), rate, left.c_str());
  std::fflush(stderr);
}

}  // namespace

int RunProfileCommand(CliContext& context) {
  bool recursive = false;
  bool descending = false;
  int threads = DefaultProfileThreads();
  std::optional<ExportFormat> format;
  std::string outputPath;
  std::string sortColumn;
  std::string setName;
  std::vector<std::string> paths;
  const std::vector<std::string>& args = context.args;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string value;
    if (args[i] == "-r" || args[i] == "--recursive") {
      recursive = true;
    } else if (args[i] == "--desc") {
      descending = true;
    } else if (TakeOption(args, i, "--format", value)) {
      format = ExportFormatFromName(value);
      if (!format) throw UsageError{"unknown format '" + value + "' (use tsv, csv, json or xlsx)"};
    } else if (TakeOption(args, i, "-o", value) || TakeOption(args, i, "--output", value)) {
      outputPath = value;
    } else if (TakeOption(args, i, "--levels-set", value)) {
      setName = ArgumentText(context, value);
    } else if (TakeOption(args, i, "--sort", value)) {
      sortColumn = value;
    } else if (TakeOption(args, i, "--threads", value)) {
      try {
        size_t used = 0;
        threads = std::stoi(value, &used);
        if (used != value.size() || threads < 1 || threads > 1024) throw std::invalid_argument(value);
      } catch (const std::logic_error&) {
        throw UsageError{"--threads needs a number from 1 to 1024"};
      }
    } else if (args[i].size() > 1 && args[i][0] == '-') {
      throw UsageError{"profile: unknown option '" + args[i] + "'"};
    } else {
      paths.push_back(args[i]);
    }
  }
  if (paths.empty()) throw UsageError{"profile needs at least one FILE or FOLDER"};
  // The set's columns name its levels: read it before the sort key is checked.
  const auto index = std::make_shared<const LevelSetIndex>(
      setName.empty() ? LevelSetIndex() : LevelSetIndex(LoadLevelSet(context, setName)));
  if (!sortColumn.empty()) {
    std::vector<TextProfile> none;
    if (!SortProfiles(none, sortColumn, false, index->Levels())) {
      throw UsageError{"profile: no column '" + sortColumn + "' to sort by"};
    }
  }
  if (!outputPath.empty() && !format) {
    format = ExportFormatFromPath(outputPath);
    if (!format) throw UsageError{"profile: cannot tell the format of '" + outputPath + "' (give --format)"};
  }
  if (!format) format = ExportFormat::Tsv;
  if (format == ExportFormat::Xlsx && outputPath.empty()) throw UsageError{"profile: --format xlsx needs -o FILE"};

  auto dictionary = LoadDictionary(context);
  const std::shared_ptr<const Lexicon> lexicon = dictionary->CurrentLexicon();
  LevelLookup levels =
      setName.empty() ? LevelLookup(lexicon)
                      : LevelLookup(lexicon, index->SharedSet(), [index, lexicon](const WordClass& word, std::string_view spelling) {
                          return index->LevelOfWord(*lexicon, word, spelling);
                        });
  levels.SetContextModel(LoadContextModel(context));
  const ProfileFiles files = CollectProfileFiles(paths, recursive);
  if (!outputPath.empty() && outputPath != "-") {
    if (const Status usable = CheckOutputPath(outputPath, files.paths); !usable.ok()) {
      context.Error(Cp932FromUtf8(usable.message()));
      return kExitFailure;
    }
  }

  ProfileProgress progress;
  std::vector<TextProfile> profiles;
  if (isatty(STDERR_FILENO)) {
    std::atomic<bool> finished{false};
    const auto start = std::chrono::steady_clock::now();
    std::thread run([&] {
      profiles = RunProfiles(files, levels, threads, &progress);
      finished = true;
    });
    const auto total = static_cast<int64_t>(files.paths.size());
    while (!finished) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      DrawProgress(progress, total, files.TotalBytes(),
                   std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    run.join();
    std::fprintf(stderr, "\r%*s\r", 80, "");
  } else {
    profiles = RunProfiles(files, levels, threads, &progress);
  }

  bool failed = false;
  for (const TextProfile& p : profiles) {
    if (!p.notice.empty()) context.Error(Cp932FromUtf8(p.path + ": " + p.notice));
    if (p.status == ProfileStatus::Done) continue;
    failed = failed || p.status == ProfileStatus::Failed;
    context.Error(Cp932FromUtf8(p.path + (p.status == ProfileStatus::Skipped ? ": skipped: " : ": ") + p.error));
  }
  if (!sortColumn.empty()) SortProfiles(profiles, sortColumn, descending, index->Levels());
  const ExportTable table = ProfileTable(profiles, index->Levels());
  if (outputPath.empty() || outputPath == "-") {
    const std::string bytes = ExportText(table, *format);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  } else {
    const Status failure = WriteExportFile(table, *format, outputPath);
    if (!failure.ok()) {
      context.Error(Cp932FromUtf8(outputPath + ": cannot write (" + failure.ToString() + ")"));
      return kExitFailure;
    }
  }
  return failed ? kExitFailure : kExitOk;
}

}  // namespace lexiscoop
