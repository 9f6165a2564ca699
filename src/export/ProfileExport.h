#pragma once

#include <string>
#include <vector>

#include "export/ExportTable.h"
#include "profile/TextProfile.h"

namespace lexiscoop {

// The columns of a profile table, in order: file, tokens, types; for each
// level (basic, junior, university, general, other, none) tokens_LEVEL,
// tokens_LEVEL_pct, types_LEVEL, types_LEVEL_pct (shares of the text's
// tokens and types in per cent, one decimal); coverage_STAGE for the stages
// basic, junior, university, general (per cent of running words known up to
// that stage, one decimal, truncated); stage_95 and stage_98 (the first stage
// that reaches the share, empty if none); bytes; error. A set of one's own
// gives its levels' keys and stages instead.
std::vector<std::string> ProfileColumnNames(const LevelSet& levels = ShippedLevels());

// Sorts the profiles by the named column (numbers by value, texts by their
// bytes, stages in their order), ascending or descending; equal rows keep
// their order, and rows of failed files go last. False, changing nothing, for
// a name that is not a column.
bool SortProfiles(std::vector<TextProfile>& profiles, const std::string& column, bool descending,
                  const LevelSet& levels = ShippedLevels());

// The table: one row per profile (a failed file with its error and blank
// figures; skipped files are left out), then the total row, file "(total)",
// summing the analysed files; the columns those of `levels`, the set the
// profiles were made by.
ExportTable ProfileTable(const std::vector<TextProfile>& profiles, const LevelSet& levels = ShippedLevels());

// The file cell of the total row.
inline constexpr const char* kProfileTotalName = "(total)";

}  // namespace lexiscoop
