#include "cli/CliCommands.h"

namespace lexiscoop {

int RunTableCommand(CliContext& context) {
  if (context.args.size() != 1) throw UsageError{"table needs exactly one FILE"};
  context.Error("table: the analysis core is not built yet");
  return kExitFailure;
}

int RunSummaryCommand(CliContext& context) {
  if (context.args.size() != 1) throw UsageError{"summary needs exactly one FILE"};
  context.Error("summary: the analysis core is not built yet");
  return kExitFailure;
}

}  // namespace lexiscoop
