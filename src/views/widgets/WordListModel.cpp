#include "views/widgets/WordListModel.h"

namespace lexiscoop {

WordListModel::WordListModel(QObject* parent) : QAbstractTableModel(parent) {}

void WordListModel::SetRowCount(int rows) {
  beginResetModel();
  rows_ = rows < 0 ? 0 : rows;
  endResetModel();
}

int WordListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int WordListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant WordListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_ || index.column() >= kColumnCount) return {};
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue((index.column() >= 2 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  }
  if (role != Qt::DisplayRole) return {};
  if (index.column() == 0) return QStringLiteral("%1").arg(index.row() + 1, 5);
  return {};
}

QVariant WordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) return {};
  if (role == Qt::DisplayRole) {
    static const char* const captions[kColumnCount] = {"No", "Word", "Number", "per cent"};
    return QString::fromLatin1(captions[section]);
  }
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue((section >= 2 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  }
  return {};
}

}  // namespace lexiscoop
