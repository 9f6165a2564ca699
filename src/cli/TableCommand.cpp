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

  // Written in blocks, so the output never needs as much memory as the table.
  constexpr size_t kBlock = 1 << 16;
  std::string out;
  out.reserve(kBlock + 64);
  for (int i = 0; i < result.words.Count(); ++i) {
    out += result.words.Word(i);
    out += '\t';
    out += std::to_string(result.words.Occurrences(i));
    out += '\n';
    if (out.size() >= kBlock) {
      context.Out(out);
      out.clear();
    }
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
