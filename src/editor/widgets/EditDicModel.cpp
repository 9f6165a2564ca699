#include "editor/widgets/EditDicModel.h"

#include <algorithm>

#include "dictionary/DictionaryFiles.h"
#include "platform/Cp932.h"
#include "ui/Cp932Strings.h"

namespace lexiscoop {
namespace {

const QString& LevelCaption(int level) {
  static const QString kNames[] = {
      FromCp932(LevelName(0)), FromCp932(LevelName(1)),
      FromCp932(LevelName(2)), FromCp932(LevelName(3)),
      FromCp932(LevelName(4)),
  };
  return kNames[level >= 0 && level <= kLevelCount ? level : 0];
}

}  // namespace

EditDicModel::EditDicModel(const std::vector<uint8_t>& rowLevels, QObject* parent)
    : QAbstractTableModel(parent), rowLevels_(rowLevels) {}

void EditDicModel::Reset(std::shared_ptr<const Lexicon> lexicon) {
  beginResetModel();
  lexicon_ = std::move(lexicon);
  endResetModel();
}

int EditDicModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : lexicon_->HeadwordCount();
}

int EditDicModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant EditDicModel::data(const QModelIndex& index, int role) const {
  const int row = index.row();
  if (!index.isValid() || row >= lexicon_->HeadwordCount() || index.column() >= kColumnCount) {
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
      return FromCp932(lexicon_->At(row).spelling);
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
