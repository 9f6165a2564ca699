#include <optional>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/DictionarySession.h"
#include "cli/ListSession.h"
#include "lists/KnownWords.h"
#include "views/Coverage.h"
#include "views/KnownShare.h"
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
int PrintSetCoverage(CliContext& context, const CoverageFigures& coverage, const std::optional<KnownShare>& known,
                     bool json) {
  const LevelSet& levels = coverage.Levels();
  std::string out;
  if (json) {
    out = "{\"words\":" + std::to_string(coverage.runningWords) + ",\"set\":" + JsonString(levels.SetName()) +
          ",\"stages\":[";
  }
  for (int s = 0; s < coverage.StageCount(); ++s) {
    const auto stage = static_cast<CoverageStage>(s);
    const LevelInfo& level = levels.Listed()[static_cast<size_t>(s)];
    if (json) {
      out += std::string(s > 0 ? "," : "") + "{\"key\":" + JsonString(level.key) + ",\"name\":" +
             JsonString(levels.Name(level.id)) + ",\"percent\":" + coverage.PercentText(stage) +
             ",\"known\":" + std::to_string(coverage.known[static_cast<size_t>(s)]) + "}";
    } else {
      out += std::string(level.key) + "\t" + coverage.PercentText(stage) + "\n";
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
  AnalysedText text = AnalyseFile(context, files[0], *dictionary);
  ApplyLevelSet(context, setName, text.result);
  const std::vector<WordLevel> levels = WordLevelsOf(text.result);
  const CoverageFigures figures =
      ComputeCoverage(text.result.words, levels, text.result.readings, text.result.levelSet);
  std::optional<KnownShare> known;
  if (!knownList.empty()) {
    const KnownWords words(LoadKnownList(context, knownList).headwords);
    known = ComputeKnownShare(text.result.words, levels, words.KnownEntries(text.result), text.result.Levels().None());
  }

  if (!setName.empty()) return PrintSetCoverage(context, figures, known, json);
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
