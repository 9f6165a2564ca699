#pragma once

#include <string>

#include "analysis/Analysis.h"
#include "cli/CliApp.h"
#include "lists/ListStore.h"
#include "lists/UserLevelSet.h"

namespace lexiscoop {

// Returns when `outcome` is good; else throws std::runtime_error with the
// store's message (CP932), naming the list `name` or the file concerned.
void CheckListOutcome(const Status& outcome, const std::string& name);

// The known-word list `name` (CP932) of the user's data folder; throws as
// CheckListOutcome when it is missing, damaged or unreadable.
KnownWordList LoadKnownList(const CliContext& context, const std::string& name);

// The level set `name` of one's own, likewise.
UserLevelSet LoadLevelSet(const CliContext& context, const std::string& name);

// Classifies `result` again by the level set `name` of one's own (throws as
// LoadLevelSet); an empty name leaves the shipped set.
void ApplyLevelSet(const CliContext& context, const std::string& name, AnalysisResult& result);

}  // namespace lexiscoop
