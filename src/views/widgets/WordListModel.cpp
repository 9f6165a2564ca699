#include "views/widgets/WordListModel.h"

#include <algorithm>

#include <QGuiApplication>

#include "platform/Cp932.h"
#include "ui/Cp932Strings.h"
#include "ui/LevelColours.h"
#include "views/ShownWordList.h"

namespace lexiscoop {
namespace {

QVariant Alignment(int column) {
  const bool right = column == 2 || column == 3;
  return QVariant::fromValue((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

}  // namespace

WordListModel::WordListModel(const ShownWordList& shown, const int32_t& tokenCount, QObject* parent)
    : QAbstractTableModel(parent), shown_(shown), tokenCount_(tokenCount) {}

void WordListModel::SetRowCount(int rows) {
  beginResetModel();
  rows_ = std::clamp(rows, 0, shown_.RowCount());
  endResetModel();
}

void WordListModel::SetGlossSource(std::function<std::string_view(int row)> glossOf) {
  glossOf_ = std::move(glossOf);
  GlossesChanged();
}

void WordListModel::GlossesChanged() {
  if (rows_ > 0) emit dataChanged(index(0, kGlossColumn), index(rows_ - 1, kGlossColumn));
}

int WordListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int WordListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant WordListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() < 0 || index.row() >= rows_ || index.column() < 0 ||
      index.column() >= kColumnCount) {
    return {};
  }
  if (role == Qt::TextAlignmentRole) return Alignment(index.column());
  if (index.column() == kGlossColumn) {
    if ((role != Qt::DisplayRole && role != kRawValueRole && role != Qt::ToolTipRole) || !glossOf_ ||
        index.row() >= shown_.RowCount()) {
      return {};
    }
    return FromCp932(glossOf_(index.row()));
  }
  if (role == kRawValueRole) {
    if (index.row() >= shown_.RowCount()) return {};
    if (index.column() == 1) return FromCp932(shown_.WordOfRow(index.row()));
    if (index.column() == kLevelColumn) return LevelIndex(shown_.LevelOfRow(index.row()));
    if (index.column() == 2 || index.column() == 3) return shown_.CountOfRow(index.row());
    return index.row() + 1;
  }
  if (index.column() == kLevelColumn && index.row() < shown_.RowCount()) {
    const WordLevel level = shown_.LevelOfRow(index.row());
    if (role == Qt::ForegroundRole) return LevelColour(level, QGuiApplication::palette());
    if (role == Qt::DisplayRole) return FromCp932(LevelButtonName(level));
    return {};
  }
  if (role != Qt::DisplayRole) return {};
  RowTexts texts;
  if (!shown_.TextsOfRow(index.row(), tokenCount_, texts)) return {};
  switch (index.column()) {
    case 0:
      return QString::fromStdString(texts.number);
    case 1:
      return FromCp932(texts.word);
    case 2:
      return QString::fromStdString(texts.count);
    default:
      return QString::fromStdString(texts.perCent);
  }
}

QVariant WordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) return {};
  if (role == Qt::DisplayRole) {
    static const char* const captions[kColumnCount] = {"No", "Word", "Number", "per cent", "レベル", "訳語"};
    return QString::fromUtf8(captions[section]);
  }
  if (role == Qt::TextAlignmentRole) return Alignment(section);
  return {};
}

}  // namespace lexiscoop
