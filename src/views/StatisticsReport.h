#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/Analysis.h"
#include "analysis/WordLevel.h"

namespace lexiscoop {

// The two outputs of the report differ only in the separator line.
enum class ReportForm {
  Memo,       // 34 hyphens, for the details page
  Clipboard,  // "---"
};

constexpr int kReportLineCount = 37;

// The report's line count for `levels`: 37 for the shipped set. Another set
// keeps the layout with one line per level in each block: a line per level
// (Other and None included) in both counted blocks, one per listed level in
// the block of the lists' use.
inline int ReportLineCount(const LevelSet& levels) { return 21 + 2 * levels.Count() + levels.ListedCount(); }

// One counted line (CP932): "%-8S %15S %S  %3D %S" with the name padded to
// 8 bytes, `count` formatted "#,##0" right-aligned in 15, the unit, and
// count × 100 ÷ base truncated (0 when base is 0) right-aligned in 3, then " %".
std::string ReportLine(std::string_view name, int32_t count, int32_t base, std::string_view unit);

// A ReportLine of a level list's use: `used` of its `entries` entries met by
// the run, unit "種".
std::string LevelUsageLine(std::string_view name, int32_t used, int32_t entries);

// The 37 lines of the statistics report, without line ends: the title (the
// part of `caption` after its first "/", leading blank included; empty
// without "/"), then occurrences per level, written forms per level and the
// use of each level list, all as the run's classification counted them.
// A result classified by another level set has a line per level of that set
// in each block (ReportLineCount lines).
std::vector<std::string> BuildStatisticsReport(std::string_view caption, const AnalysisResult& result,
                                               ReportForm form);

// The lines joined, each followed by CR LF: the clipboard text.
std::string JoinCrLf(const std::vector<std::string>& lines);

}  // namespace lexiscoop
