#include "editor/widgets/EditDicModel.h"

#include <algorithm>

#include "analysis/StringList.h"
#include "dictionary/DictionaryFiles.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

const QString& LevelCaption(int level) {
  static const QString kNames[] = {
      QString::fromStdString(Utf8FromCp932(LevelName(0))), QString::fromStdString(Utf8FromCp932(LevelName(1))),
      QString::fromStdString(Utf8FromCp932(LevelName(2))), QString::fromStdString(Utf8FromCp932(LevelName(3))),
      QString::fromStdString(Utf8FromCp932(LevelName(4))),
  };
  return kNames[level >= 0 && level <= kLevelCount ? level : 0];
}

}  // namespace

EditDicModel::EditDicModel(const TStringList& headwordList, const std::vector<uint8_t>& rowLevels,
                           QObject* parent)
    : QAbstractTableModel(parent), headwords_(headwordList), rowLevels_(rowLevels) {}

void EditDicModel::Reset() {
  beginResetModel();
  rows_ = headwords_.Count();
  endResetModel();
}

int EditDicModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int EditDicModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant EditDicModel::data(const QModelIndex& index, int role) const {
  // The lists may change under the view (a record reloads them) before the
  // next Reset: rows beyond them are empty.
  const int row = index.row();
  if (!index.isValid() || row >= std::min(rows_, headwords_.Count()) || index.column() >= kColumnCount) {
    return {};
  }
  if (role == Qt::TextAlignmentRole && index.column() == kNumberColumn) {
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  }
  if (role != Qt::DisplayRole) return {};
  switch (index.column()) {
    case kNumberColumn:
      return QString::number(row + 1);
    case kClassColumn: {
      const size_t r = static_cast<size_t>(row);
      return LevelCaption(r < rowLevels_.size() ? rowLevels_[r] : 0);
    }
    default:
      return QString::fromStdString(Utf8FromCp932(headwords_[row]));
  }
}

QVariant EditDicModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case kClassColumn:
      return QStringLiteral("class");
    case kWordColumn:
      return QStringLiteral("word");
    default:
      return QString();
  }
}

}  // namespace lexiscoop
