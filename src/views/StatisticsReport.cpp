#include "views/StatisticsReport.h"

#include <cstdio>

#include "analysis/NumberFormat.h"
#include "analysis/WordLevel.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

void PadRight(std::string& s, size_t width) {
  if (s.size() < width) s.append(width - s.size(), ' ');
}

void PadLeftInto(std::string& out, std::string_view s, size_t width) {
  if (s.size() < width) out.append(width - s.size(), ' ');
  out += s;
}

// Lines 2-7 and 8-13 (or 16-27) of one counted block: separator, two heading
// lines, separator, the total, an empty line and one line per level.
void AppendCountedBlock(std::vector<std::string>& lines, const std::string& separator,
                        const std::string& heading, const std::string& note,
                        const std::array<int32_t, kMaxLevelCount>& counts, const LevelSet& levels,
                        const std::string& unit) {
  static const Cp932Text kTotal("総数");
  int64_t sum = 0;
  for (int32_t c : counts) sum += c;
  const auto total = static_cast<int32_t>(sum);
  lines.push_back(separator);
  lines.push_back(heading);
  lines.push_back(note);
  lines.push_back(separator);
  lines.push_back(ReportLine(kTotal.str(), total, total, unit));
  lines.emplace_back();
  for (const LevelInfo& level : levels.Levels()) {
    lines.push_back(ReportLine(levels.Name(level.id), counts[static_cast<size_t>(LevelIndex(level.id))], total,
                               unit));
  }
}

}  // namespace

std::string ReportLine(std::string_view name, int32_t count, int32_t base, std::string_view unit) {
  // 64-bit product: counts above 21 million would overflow 32 bits.
  const int64_t percent = base == 0 ? 0 : static_cast<int64_t>(count) * 100 / base;
  std::string line(name);
  PadRight(line, 8);
  line += ' ';
  PadLeftInto(line, FormatThousands(count), 15);
  line += ' ';
  line += unit;
  line += "  ";
  PadLeftInto(line, std::to_string(percent), 3);
  line += " %";
  return line;
}

std::string LevelUsageLine(std::string_view name, int32_t used, int32_t entries) {
  static const Cp932Text kKinds("種");
  return ReportLine(name, used, entries, kKinds.str());
}

std::vector<std::string> BuildStatisticsReport(std::string_view caption, const AnalysisResult& result,
                                               ReportForm form) {
  static const Cp932Text kOccurrenceHeading("単語の出現頻度(個数)");
  static const Cp932Text kOccurrenceNote("（単語の累計数です）");
  static const Cp932Text kFormHeading("単語表記の出現頻度(種類)");
  static const Cp932Text kFormNote("（文に表記されている形の種類数です）");
  static const Cp932Text kUsageHeading("レベル別単語の利用状況");
  static const Cp932Text kUsageNote("（各レベルのうちで使われている割合です）");
  static const Cp932Text kPieces("個");
  static const Cp932Text kForms("形");
  const std::string separator = form == ReportForm::Memo ? std::string(34, '-') : "---";

  std::vector<std::string> lines;
  lines.reserve(ReportLineCount(result.Levels()));
  // '/' (0x2F) is never the trail byte of a double-byte character.
  const size_t slash = caption.find('/');
  lines.emplace_back(slash == std::string_view::npos ? std::string_view() : caption.substr(slash + 1));

  AppendCountedBlock(lines, separator, kOccurrenceHeading, kOccurrenceNote, result.levelOccurrences,
                     result.Levels(), kPieces);
  lines.emplace_back();
  lines.emplace_back();
  AppendCountedBlock(lines, separator, kFormHeading, kFormNote, result.levelDistinct, result.Levels(), kForms);
  lines.emplace_back();
  lines.emplace_back();
  lines.push_back(separator);
  lines.push_back(kUsageHeading);
  lines.push_back(kUsageNote);
  lines.push_back(separator);
  for (const LevelInfo& level : result.Levels().Listed()) {
    const auto l = static_cast<size_t>(LevelIndex(level.id));
    lines.push_back(LevelUsageLine(result.Levels().Name(level.id), result.levelEntriesUsed[l], result.levelEntryCount[l]));
  }
  return lines;
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
  size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace lexiscoop
