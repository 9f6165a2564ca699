#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/DictionarySession.h"
#include "views/StatisticsReport.h"

namespace lexiscoop {

int RunReportCommand(CliContext& context) {
  ReportForm form = ReportForm::Memo;
  std::vector<std::string> files;
  for (const std::string& arg : context.args) {
    if (arg == "--clipboard-form") {
      form = ReportForm::Clipboard;
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw UsageError{"report: unknown option '" + arg + "'"};
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 1) throw UsageError{"report needs exactly one FILE"};

  auto dictionary = LoadDictionary(context);
  const AnalysedText text = AnalyseFile(context, files[0], *dictionary);
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
