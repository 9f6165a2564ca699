#include "app/ProfileModel.h"

#include <algorithm>

#include <QFileInfo>

#include "app/AppTexts.h"
#include "platform/Cp932.h"
#include "views/Coverage.h"
#include "export/ProfileExport.h"
#include "export/TableText.h"

namespace lexiscoop {

ProfileModel::ProfileModel(QObject* parent) : QAbstractTableModel(parent) { table_ = ProfileTable({}); }

void ProfileModel::SetProfiles(std::vector<TextProfile> profiles) {
  beginResetModel();
  profiles.erase(std::remove_if(profiles.begin(), profiles.end(),
                                [](const TextProfile& p) { return p.status == ProfileStatus::Skipped; }),
                 profiles.end());
  profiles_ = std::move(profiles);
  table_ = ProfileTable(profiles_);
  endResetModel();
}

int ProfileModel::rowCount(const QModelIndex& parent) const {
  // Before any file the table is empty, its total row too.
  return parent.isValid() || profiles_.empty() ? 0 : static_cast<int>(table_.rows.size());
}

int ProfileModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.columns.size());
}

QVariant ProfileModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  const ExportColumn& column = table_.columns[static_cast<size_t>(index.column())];
  const ExportValue& cell = table_.rows[static_cast<size_t>(index.row())][static_cast<size_t>(index.column())];
  switch (role) {
    case Qt::DisplayRole:
      if (const auto* text = std::get_if<std::string>(&cell)) return DisplayText(column.name, *text);
      if (const auto* i = std::get_if<int64_t>(&cell)) return QString::number(*i);
      return QString::fromStdString(DecimalText(std::get<double>(cell), column.decimals));
    case Qt::TextAlignmentRole:
      return column.kind == ColumnKind::Text ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                             : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ToolTipRole:
      if (column.name == "file" || column.name == "error") {
        if (const auto* text = std::get_if<std::string>(&cell)) return QString::fromStdString(*text);
      }
      return {};
    default:
      return {};
  }
}

QString ProfileModel::DisplayText(const std::string& column, const std::string& text) {
  // The export keeps the command line's words; the window speaks Japanese.
  if (column == "file" && text == kProfileTotalName) return Qs("(合計)");
  if (column.rfind("stage_", 0) == 0) {
    for (int s = 0; s < kCoverageStageCount; ++s) {
      const auto stage = static_cast<CoverageStage>(s);
      if (text == CoverageStageKey(stage)) return QString::fromStdString(Utf8FromCp932(CoverageStageName(stage)));
    }
  }
  return QString::fromStdString(text);
}

QVariant ProfileModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical && section >= 0 && section < rowCount()) {
    // The row's file name, frozen at the left; its whole path in the tooltip.
    const ExportValue& cell = table_.rows[static_cast<size_t>(section)][0];
    const auto* path = std::get_if<std::string>(&cell);
    if (path == nullptr) return {};
    if (role == Qt::ToolTipRole) return DisplayText("file", *path);
    if (role == Qt::DisplayRole) {
      const QString shown = DisplayText("file", *path);
      return *path == kProfileTotalName ? shown : QFileInfo(shown).fileName();
    }
    return {};
  }
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  const std::string& name = table_.columns[static_cast<size_t>(section)].name;
  if (role == Qt::DisplayRole) return ColumnCaption(name);
  if (role == Qt::ToolTipRole) return QString::fromStdString(name);
  return {};
}

void ProfileModel::sort(int column, Qt::SortOrder order) {
  if (column < 0 || column >= columnCount()) return;
  beginResetModel();
  SortProfiles(profiles_, table_.columns[static_cast<size_t>(column)].name, order == Qt::DescendingOrder);
  table_ = ProfileTable(profiles_);
  endResetModel();
}

QString ProfileModel::ColumnCaption(const std::string& name) {
  struct Part {
    const char* key;
    const char* caption;
  };
  static const Part kFixed[] = {
      {"file", "ファイル"},      {"tokens", "語数"},        {"types", "種類数"},
      {"stage_95", "95%到達"},   {"stage_98", "98%到達"},   {"bytes", "バイト"},
      {"error", "エラー"},
  };
  for (const Part& p : kFixed) {
    if (name == p.key) return Qs(p.caption);
  }
  static const Part kLevels[] = {{"basic", "基本"},   {"junior", "中学"}, {"university", "大学受験"},
                                 {"general", "一般"}, {"other", "その他"}, {"none", "未登録"}};
  for (const Part& level : kLevels) {
    const std::string key = level.key;
    const QString l = Qs(level.caption);
    if (name == "tokens_" + key) return l + Qs(" 語数");
    if (name == "tokens_" + key + "_pct") return l + Qs(" 語%");
    if (name == "types_" + key) return l + Qs(" 種類");
    if (name == "types_" + key + "_pct") return l + Qs(" 種類%");
    if (name == "coverage_" + key) return Qs("カバー率 ") + l;
  }
  return QString::fromStdString(name);
}

}  // namespace lexiscoop
