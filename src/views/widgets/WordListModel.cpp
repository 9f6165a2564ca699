#include "views/widgets/WordListModel.h"

#include <algorithm>

#include <QGuiApplication>

#include "analysis/Analysis.h"
#include "ui/Cp932Strings.h"
#include "ui/LevelColours.h"
#include "views/ShownWordList.h"

namespace lexiscoop {
namespace {

QVariant Alignment(const WordListColumn& column) {
  const bool right = column.alignment == CellAlignment::Right;
  return QVariant::fromValue((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

int WindowColumnCount() { return static_cast<int>(WindowColumns().size()); }

// The row number is shown right-aligned in five characters ("%5D").
constexpr std::string_view kRowNumberColumn = "no";
constexpr size_t kRowNumberWidth = 5;

}  // namespace

WordListModel::WordListModel(const ShownWordList& shown, const AnalysisResult& result, QObject* parent)
    : QAbstractTableModel(parent), shown_(shown), result_(result) {}

void WordListModel::SetRowCount(int rows) {
  beginResetModel();
  rows_ = std::clamp(rows, 0, shown_.RowCount());
  endResetModel();
}

void WordListModel::ClassificationChanged() {
  if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, WindowColumnCount() - 1));
}

int WordListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int WordListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : WindowColumnCount(); }

QVariant WordListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() < 0 || index.row() >= rows_ || index.row() >= shown_.RowCount() ||
      index.column() < 0 || index.column() >= WindowColumnCount()) {
    return {};
  }
  const WordListColumn& column = *WindowColumns()[static_cast<size_t>(index.column())];
  const ListRow row{shown_, result_, index.row(), {}, known_};
  switch (role) {
    case Qt::TextAlignmentRole:
      return Alignment(column);
    case Qt::ForegroundRole:
      if (!column.levelColour) return {};
      return LevelColour(shown_.LevelOfRow(index.row()), IsDarkPalette(QGuiApplication::palette()), result_.Levels());
    case kRawValueRole:
      if (column.number != nullptr) return column.number(row);
      return FromCp932(CellText(column, row));
    case Qt::ToolTipRole:
      // A text that is no sort key may be long (the glosses) and elided, or
      // shown short (the glosses' first group): its tooltip holds it whole.
      if (column.kind != CellKind::Text || column.sortKey >= 0) return {};
      return FromCp932(CellText(column, row));
    case Qt::DisplayRole: {
      std::string text = ShortCellText(column, row);
      if (column.id == kRowNumberColumn && text.size() < kRowNumberWidth) {
        text.insert(0, kRowNumberWidth - text.size(), ' ');
      }
      return FromCp932(text);
    }
    default:
      return {};
  }
}

QVariant WordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= WindowColumnCount()) return {};
  const WordListColumn& column = *WindowColumns()[static_cast<size_t>(section)];
  if (role == Qt::DisplayRole) return QString::fromUtf8(column.caption);
  if (role == Qt::TextAlignmentRole) return Alignment(column);
  return {};
}

}  // namespace lexiscoop
