#include "views/widgets/ContextModel.h"

#include <QBrush>
#include <QElapsedTimer>
#include <QFont>
#include <QPalette>
#include <QGuiApplication>

#include "platform/Cp932.h"
#include "ui/Cp932Strings.h"

namespace lexiscoop {
namespace {

// Lines read between two looks at the clock.
constexpr size_t kLinesPerCheck = 2000;

}  // namespace

ContextModel::ContextModel(QObject* parent) : QAbstractTableModel(parent) {
  background_.setSingleShot(true);
  background_.setInterval(0);
  connect(&background_, &QTimer::timeout, this, &ContextModel::ContinueInBackground);
}

void ContextModel::Search(const TextLineIndex& lines, ContextSearch::Matcher matches) {
  beginResetModel();
  lines_ = &lines;
  search_ = std::make_unique<ContextSearch>(lines, std::move(matches));
  hits_.clear();
  shownRows_ = 0;
  endResetModel();
  fetchMore(QModelIndex());
}

void ContextModel::Clear() {
  background_.stop();
  beginResetModel();
  lines_ = nullptr;
  search_.reset();
  hits_.clear();
  shownRows_ = 0;
  endResetModel();
}

void ContextModel::ReadOn(size_t wantRows, int sliceMs) {
  QElapsedTimer clock;
  clock.start();
  while (search_ && !search_->AtEnd() && hits_.size() < static_cast<size_t>(shownRows_) + wantRows) {
    const size_t need = static_cast<size_t>(shownRows_) + wantRows - hits_.size();
    search_->FindMore(hits_, need, kLinesPerCheck);
    if (clock.elapsed() >= sliceMs) break;
  }
  const int rows = static_cast<int>(std::min(hits_.size(), static_cast<size_t>(shownRows_) + wantRows));
  if (rows > shownRows_) {
    beginInsertRows(QModelIndex(), shownRows_, rows - 1);
    shownRows_ = rows;
    endInsertRows();
  }
  if (search_ && search_->AtEnd() && static_cast<size_t>(shownRows_) == hits_.size()) {
    emit searchFinished();
  } else if (search_ && static_cast<size_t>(shownRows_) < kBatchRows && !search_->AtEnd()) {
    // Fewer hits than a screenful so far: read on without waiting for the view.
    background_.start();
  }
}

void ContextModel::ContinueInBackground() { ReadOn(kBatchRows - static_cast<size_t>(shownRows_), 20); }

bool ContextModel::canFetchMore(const QModelIndex& parent) const {
  if (parent.isValid() || !search_) return false;
  return static_cast<size_t>(shownRows_) < hits_.size() || !search_->AtEnd();
}

void ContextModel::fetchMore(const QModelIndex& parent) {
  if (parent.isValid() || !search_) return;
  ReadOn(kBatchRows, 50);
}

int ContextModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shownRows_; }

int ContextModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant ContextModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() < 0 || index.row() >= shownRows_ || index.column() < 0 ||
      index.column() >= kColumnCount || lines_ == nullptr) {
    return {};
  }
  const ContextHit& hit = hits_[static_cast<size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole: {
      if (index.column() == kLineColumn) return hit.line + 1;
      const ContextParts parts = ContextPartsOf(lines_->Line(hit.line), hit, kContextBytes);
      if (index.column() == kLeftColumn) return FromCp932(parts.left);
      if (index.column() == kWordColumn) return FromCp932(parts.keyword);
      return FromCp932(parts.right);
    }
    case Qt::TextAlignmentRole:
      if (index.column() == kLineColumn || index.column() == kLeftColumn) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
      }
      return QVariant::fromValue((index.column() == kWordColumn ? Qt::AlignHCenter : Qt::AlignLeft) |
                                 Qt::AlignVCenter);
    case Qt::FontRole:
      if (index.column() == kWordColumn) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      return {};
    case Qt::BackgroundRole:
      if (index.column() == kWordColumn) {
        QColor fill = QGuiApplication::palette().color(QPalette::Highlight);
        fill.setAlpha(60);
        return QBrush(fill);
      }
      return {};
    default:
      return {};
  }
}

QVariant ContextModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumnCount) return {};
  static const char* const kCaptions[kColumnCount] = {"行", "前", "単語", "後"};
  return QString::fromUtf8(kCaptions[section]);
}

std::string ContextModel::RowsText(const std::vector<int>& rows) const {
  std::string text;
  if (lines_ == nullptr) return text;
  for (const int row : rows) {
    if (row < 0 || row >= shownRows_) continue;
    const ContextHit& hit = hits_[static_cast<size_t>(row)];
    text += ContextLineText(lines_->Line(hit.line), hit, kContextBytes);
    text += "\r\n";
  }
  return text;
}

}  // namespace lexiscoop
