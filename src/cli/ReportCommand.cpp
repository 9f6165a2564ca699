#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/DictionarySession.h"
#include "cli/ListSession.h"
#include "views/StatisticsReport.h"

namespace lexiscoop {

int RunReportCommand(CliContext& context) {
  ReportForm form = ReportForm::Memo;
  std::vector<std::string> files;
  std::string setName;
  const std::vector<std::string>& args = context.args;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string value;
    if (args[i] == "--clipboard-form") {
      form = ReportForm::Clipboard;
    } else if (TakeOption(args, i, "--levels-set", value)) {
      setName = ArgumentText(context, value);
    } else if (args[i].size() > 1 && args[i][0] == '-') {
      throw UsageError{"report: unknown option '" + args[i] + "'"};
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 1) throw UsageError{"report needs exactly one FILE"};

  auto dictionary = LoadDictionary(context);
  AnalysedText text = AnalyseFile(context, files[0], *dictionary);
  ApplyLevelSet(context, setName, text.result);
  const std::vector<std::string> lines = BuildStatisticsReport(text.caption, text.result, form);
  std::string out;
  for (const std::string& line : lines) {
    out += line;
    out += '\n';
  }
  context.Out(out);
  return kExitOk;
}

}  // namespace lexiscoop
