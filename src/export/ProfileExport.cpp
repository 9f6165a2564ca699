#include "export/ProfileExport.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

namespace lexiscoop {
namespace {

double Share(int64_t part, int64_t whole) { return whole > 0 ? static_cast<double>(part) * 100.0 / whole : 0.0; }

// One column: how its cell is made and how it sorts.
struct ProfileColumn {
  ExportColumn column;
  std::function<ExportValue(const TextProfile&)> cell;
  // The sort key of a number or a stage; empty for text columns.
  std::function<double(const TextProfile&)> key;
};

std::string StageKey(const TextProfile& p, std::optional<CoverageStage> stage) {
  return stage ? std::string(p.coverage.Levels().Listed()[static_cast<size_t>(*stage)].key) : std::string();
}

// The columns for the levels of `levels`.
std::vector<ProfileColumn> MakeColumns(const LevelSet& levels) {
    std::vector<ProfileColumn> c;
    auto add = [&c](std::string name, ColumnKind kind, std::function<ExportValue(const TextProfile&)> cell,
                    std::function<double(const TextProfile&)> key) {
      ProfileColumn column;
      column.column.name = std::move(name);
      column.column.kind = kind;
      column.column.decimals = kind == ColumnKind::Decimal ? 1 : 0;
      column.cell = std::move(cell);
      column.key = std::move(key);
      c.push_back(std::move(column));
    };
    auto integer = [&add](std::string name, std::function<int64_t(const TextProfile&)> value) {
      add(std::move(name), ColumnKind::Integer, [value](const TextProfile& p) { return ExportValue(value(p)); },
          [value](const TextProfile& p) { return static_cast<double>(value(p)); });
    };
    auto decimal = [&add](std::string name, std::function<double(const TextProfile&)> value) {
      add(std::move(name), ColumnKind::Decimal, [value](const TextProfile& p) { return ExportValue(value(p)); }, value);
    };
    add("file", ColumnKind::Text, [](const TextProfile& p) { return ExportValue(p.path); }, nullptr);
    integer("tokens", [](const TextProfile& p) { return p.tokens; });
    integer("types", [](const TextProfile& p) { return p.types; });
    for (size_t l = 0; l < levels.Levels().size(); ++l) {
      const std::string key(levels.Levels()[l].key);
      integer("tokens_" + key, [l](const TextProfile& p) { return p.levelTokens[l]; });
      decimal("tokens_" + key + "_pct", [l](const TextProfile& p) { return Share(p.levelTokens[l], p.tokens); });
      integer("types_" + key, [l](const TextProfile& p) { return p.levelTypes[l]; });
      decimal("types_" + key + "_pct", [l](const TextProfile& p) { return Share(p.levelTypes[l], p.types); });
    }
    for (int s = 0; s < levels.ListedCount(); ++s) {
      const auto stage = static_cast<CoverageStage>(s);
      decimal("coverage_" + std::string(levels.Listed()[static_cast<size_t>(s)].key),
              [stage](const TextProfile& p) { return p.coverage.PerMille(stage) / 10.0; });
    }
    for (const int percent : {kSupportedReadingPercent, kIndependentReadingPercent}) {
      add("stage_" + std::to_string(percent), ColumnKind::Text,
          [percent](const TextProfile& p) { return ExportValue(StageKey(p, p.coverage.StageReaching(percent))); },
          [percent](const TextProfile& p) {
            const auto stage = p.coverage.StageReaching(percent);
            return stage ? static_cast<double>(*stage) : static_cast<double>(p.coverage.StageCount());
          });
    }
    integer("bytes", [](const TextProfile& p) { return p.bytes; });
    add("error", ColumnKind::Text, [](const TextProfile& p) { return ExportValue(p.error); }, nullptr);
    return c;
}

// The columns of `levels`: those of the shipped set made once.
std::shared_ptr<const std::vector<ProfileColumn>> Columns(const LevelSet& levels) {
  static const auto kShipped = std::make_shared<const std::vector<ProfileColumn>>(MakeColumns(ShippedLevels()));
  return levels.Shipped() ? kShipped : std::make_shared<const std::vector<ProfileColumn>>(MakeColumns(levels));
}

}  // namespace

std::vector<std::string> ProfileColumnNames(const LevelSet& levels) {
  std::vector<std::string> names;
  for (const ProfileColumn& c : *Columns(levels)) names.push_back(c.column.name);
  return names;
}

bool SortProfiles(std::vector<TextProfile>& profiles, const std::string& column, bool descending,
                  const LevelSet& levels) {
  const auto held = Columns(levels);
  const auto& columns = *held;
  const auto it = std::find_if(columns.begin(), columns.end(),
                               [&](const ProfileColumn& c) { return c.column.name == column; });
  if (it == columns.end()) return false;
  const ProfileColumn& c = *it;
  std::stable_sort(profiles.begin(), profiles.end(), [&](const TextProfile& a, const TextProfile& b) {
    const bool aFailed = a.status != ProfileStatus::Done;
    const bool bFailed = b.status != ProfileStatus::Done;
    if (aFailed != bFailed) return bFailed;
    if (aFailed) return false;
    if (c.key) {
      const double ka = c.key(a), kb = c.key(b);
      return descending ? kb < ka : ka < kb;
    }
    const std::string ta = std::get<std::string>(c.cell(a)), tb = std::get<std::string>(c.cell(b));
    return descending ? tb < ta : ta < tb;
  });
  return true;
}

ExportTable ProfileTable(const std::vector<TextProfile>& profiles, const LevelSet& levels) {
  const auto held = Columns(levels);
  const auto& columns = *held;
  ExportTable table;
  table.sheetName = "profile";
  for (const ProfileColumn& c : columns) table.columns.push_back(c.column);
  auto add = [&](const TextProfile& p) {
    std::vector<ExportValue> row;
    row.reserve(columns.size());
    for (const ProfileColumn& c : columns) {
      const bool blank = p.status != ProfileStatus::Done && c.column.kind != ColumnKind::Text;
      row.push_back(blank ? ExportValue(std::string()) : c.cell(p));
    }
    table.rows.push_back(std::move(row));
  };
  for (const TextProfile& p : profiles) {
    if (p.status != ProfileStatus::Skipped) add(p);
  }
  TextProfile total = SumProfiles(profiles);
  total.path = kProfileTotalName;
  add(total);
  return table;
}

}  // namespace lexiscoop
