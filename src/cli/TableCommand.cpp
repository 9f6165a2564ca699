#include <string>

#include "analysis/Analysis.h"
#include "analysis/MyParser.h"
#include "cli/CliCommands.h"
#include "cli/TextInput.h"

namespace lexiscoop {
namespace {

std::string TakeFileArgument(CliContext& context, const char* command) {
  if (context.args.size() != 1) throw UsageError{std::string(command) + " needs exactly one FILE"};
  return context.args[0];
}

}  // namespace

int RunTableCommand(CliContext& context) {
  const std::string path = TakeFileArgument(context, "table");
  TMyParser parser;
  LoadTextFile(parser, path);
  AnalysisResult result;
  ScanText(parser, result);

  std::string out;
  out.reserve(result.words.SpellingBytes() + static_cast<size_t>(result.words.Count()) * 8);
  for (int i = 0; i < result.words.Count(); ++i) {
    out += result.words.Word(i);
    out += '\t';
    out += std::to_string(result.words.Occurrences(i));
    out += '\n';
  }
  context.Out(out);
  return kExitOk;
}

int RunSummaryCommand(CliContext& context) {
  const std::string path = TakeFileArgument(context, "summary");
  TMyParser parser;
  LoadTextFile(parser, path);
  AnalysisResult result;
  ScanText(parser, result);
  context.Out(SummaryText(result, parser.ByteCount()) + "\n");
  return kExitOk;
}

}  // namespace lexiscoop
