#include <optional>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/DictionarySession.h"
#include "cli/ListSession.h"
#include "lists/KnownWords.h"
#include "lists/LevelSetIndex.h"
#include "views/Coverage.h"
#include "views/KnownShare.h"
#include "views/SetCoverage.h"
#include "views/WordLevels.h"

namespace lexiscoop {
namespace {

// A JSON string literal of CP932 text (non-ASCII bytes pass as they are; the
// output encoding converts them).
std::string JsonString(std::string_view s) {
  std::string out = "\"";
  for (const char c : s) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (b < 0x20) {
      static constexpr char kHex[] = "0123456789abcdef";
      out += "\\u00";
      out += kHex[b >> 4];
      out += kHex[b & 15];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string JsonStage(std::optional<CoverageStage> stage) {
  return stage ? JsonString(CoverageStageKey(*stage)) : std::string("null");
}

std::string CoverageJson(const CoverageFigures& figures, const std::optional<KnownShare>& known) {
  std::string out = "{\"words\":" + std::to_string(figures.runningWords) +
                    ",\"names\":{\"kinds\":" + std::to_string(figures.nameKinds) +
                    ",\"occurrences\":" + std::to_string(figures.nameOccurrences) + "},\"stages\":[";
  for (int s = 0; s < kCoverageStageCount; ++s) {
    const auto stage = static_cast<CoverageStage>(s);
    if (s > 0) out += ',';
    out += "{\"key\":" + JsonString(CoverageStageKey(stage)) + ",\"percent\":" + figures.PercentText(stage) +
           ",\"known\":" + std::to_string(figures.known[static_cast<size_t>(s)]) + "}";
  }
  out += "],\"reaches95\":" + JsonStage(figures.StageReaching(kSupportedReadingPercent));
  out += ",\"reaches98\":" + JsonStage(figures.StageReaching(kIndependentReadingPercent));
  out += ",\"verdict\":" + JsonString(CoverageVerdict(figures));
  if (known) out += ",\"known\":{\"percent\":" + known->PercentText() + ",\"words\":" + std::to_string(known->known) + "}";
  out += "}\n";
  return out;
}

// The coverage by the stages of a set of one's own: a line per level of the
// set, key TAB per cent, or the same as JSON with the levels' names.
int PrintSetCoverage(CliContext& context, const AnalysedText& text, const UserLevelSet& set,
                     const std::optional<KnownShare>& known, bool json) {
  const LevelSetIndex index(set);
  const SetCoverage coverage =
      ComputeSetCoverage(text.result.words, index.EntryLevels(text.result), index.LevelCount());
  std::string out;
  if (json) {
    out = "{\"words\":" + std::to_string(coverage.runningWords) + ",\"set\":" + JsonString(set.name) +
          ",\"stages\":[";
  }
  for (size_t s = 0; s < coverage.known.size(); ++s) {
    const UserLevel& level = set.levels[s];
    if (json) {
      out += std::string(s > 0 ? "," : "") + "{\"key\":" + JsonString(level.key) + ",\"name\":" +
             JsonString(level.name) + ",\"percent\":" + coverage.PercentText(s) +
             ",\"known\":" + std::to_string(coverage.known[s]) + "}";
    } else {
      out += level.key + "\t" + coverage.PercentText(s) + "\n";
    }
  }
  if (json) {
    out += "]";
    if (known) out += ",\"known\":{\"percent\":" + known->PercentText() + ",\"words\":" + std::to_string(known->known) + "}";
    out += "}\n";
  } else if (known) {
    out += "known\t" + known->PercentText() + "\n";
  }
  context.Out(out);
  return kExitOk;
}

}  // namespace

int RunCoverageCommand(CliContext& context) {
  bool json = false;
  std::string knownList;
  std::string setName;
  std::vector<std::string> files;
  const std::vector<std::string>& args = context.args;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string value;
    if (TakeOption(args, i, "--format", value)) {
      if (value == "json") json = true;
      else if (value == "text") json = false;
      else throw UsageError{"unknown format '" + value + "' (use text or json)"};
    } else if (TakeOption(args, i, "--known", value)) {
      knownList = ArgumentText(context, value);
    } else if (TakeOption(args, i, "--levels-set", value)) {
      setName = ArgumentText(context, value);
    } else if (args[i].size() > 1 && args[i][0] == '-') {
      throw UsageError{"coverage: unknown option '" + args[i] + "'"};
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 1) throw UsageError{"coverage needs exactly one FILE"};

  auto dictionary = LoadDictionary(context);
  const AnalysedText text = AnalyseFile(context, files[0], *dictionary);
  const std::vector<WordLevel> levels = WordLevelsOf(text.result);
  const CoverageFigures figures = ComputeCoverage(text.result.words, levels, text.result.readings);
  std::optional<KnownShare> known;
  if (!knownList.empty()) {
    const KnownWords words(LoadKnownList(context, knownList).headwords);
    known = ComputeKnownShare(text.result.words, levels, words.KnownEntries(text.result));
  }

  if (!setName.empty()) return PrintSetCoverage(context, text, LoadLevelSet(context, setName), known, json);
  if (json) {
    context.Out(CoverageJson(figures, known));
    return kExitOk;
  }
  std::string out;
  for (int s = 0; s < kCoverageStageCount; ++s) {
    const auto stage = static_cast<CoverageStage>(s);
    out += CoverageStageKey(stage);
    out += '\t';
    out += figures.PercentText(stage);
    out += '\n';
  }
  if (known) out += "known\t" + known->PercentText() + "\n";
  context.Out(out);
  return kExitOk;
}

}  // namespace lexiscoop
