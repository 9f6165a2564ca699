#pragma once

#include "cli/CliApp.h"

namespace lexiscoop {

// One function per command of lexiscoop-cli; each returns the exit status.
int RunTableCommand(CliContext& context);
int RunSummaryCommand(CliContext& context);
int RunWordsCommand(CliContext& context);
int RunReportCommand(CliContext& context);
int RunCoverageCommand(CliContext& context);
int RunDictCommand(CliContext& context);
int RunMergeCommand(CliContext& context);
int RunProfileCommand(CliContext& context);
int RunSetsCommand(CliContext& context);
int RunKnownCommand(CliContext& context);

}  // namespace lexiscoop
