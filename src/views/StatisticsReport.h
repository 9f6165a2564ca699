#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/Analysis.h"
#include "analysis/StringList.h"
#include "analysis/WordLevel.h"

namespace lexiscoop {

// The two outputs of the report differ only in the separator line.
enum class ReportForm {
  Memo,       // 34 hyphens, for the details page
  Clipboard,  // "---"
};

constexpr int kReportLineCount = 37;

// One counted line (CP932): "%-8S %15S %S  %3D %S" with the name padded to
// 8 bytes, `count` formatted "#,##0" right-aligned in 15, the unit, and
// count × 100 ÷ base truncated (0 when base is 0) right-aligned in 3, then " %".
std::string ReportLine(std::string_view name, int32_t count, int32_t base, std::string_view unit);

// A ReportLine of the level list's use: entries with a non-zero use count
// (object slot) of all entries, unit "種". A null list counts as empty.
std::string LevelUsageLine(std::string_view name, const TStringList* list);

// The 37 lines of the statistics report, without line ends: the title (the
// part of `caption` after its first "/", leading blank included; empty
// without "/"), then occurrences per level, written forms per level and the
// use of each level list (their use counts as the last classification left them).
std::vector<std::string> BuildStatisticsReport(
    std::string_view caption, const AnalysisResult& result,
    const std::array<const TStringList*, kListedLevelCount>& levelLists, ReportForm form);

// The lines joined, each followed by CR LF: the clipboard text.
std::string JoinCrLf(const std::vector<std::string>& lines);

}  // namespace lexiscoop
