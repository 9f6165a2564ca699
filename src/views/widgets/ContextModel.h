#pragma once

#include <QAbstractTableModel>
#include <QTimer>
#include <memory>
#include <vector>

#include "views/ContextSearch.h"

namespace lexiscoop {

// Words in context: every line where the searched words occur, as rows of
// line number, the text before the word, the word and the text after it.
// The text is searched lazily: a screenful of hits first, more as the view
// scrolls, and lines without hits are read on in short slices of the event
// loop, so a search of a long text never blocks the window.
class ContextModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kLineColumn, kLeftColumn, kWordColumn, kRightColumn, kColumnCount };
  // Bytes of context on each side of the word.
  static constexpr size_t kContextBytes = 60;
  // Rows found at once when the view asks for more.
  static constexpr size_t kBatchRows = 1000;

  explicit ContextModel(QObject* parent = nullptr);

  // Starts a new search over `lines` (which must outlive it, or until Clear)
  // for the words `matches` accepts.
  void Search(const TextLineIndex& lines, ContextSearch::Matcher matches);
  void Clear();
  // True once the whole text has been read.
  bool SearchDone() const { return !search_ || search_->AtEnd(); }
  const ContextHit& Hit(int row) const { return hits_[static_cast<size_t>(row)]; }
  // The rows as copied text (CP932), one line per row, each ended by CR LF.
  std::string RowsText(const std::vector<int>& rows) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

 signals:
  // Emitted when the search has read the whole text.
  void searchFinished();

 private:
  // Reads on for at most `sliceMs` milliseconds or until `wantRows` rows
  // have been added.
  void ReadOn(size_t wantRows, int sliceMs);
  void ContinueInBackground();

  const TextLineIndex* lines_ = nullptr;
  std::unique_ptr<ContextSearch> search_;
  std::vector<ContextHit> hits_;
  int shownRows_ = 0;
  QTimer background_;
};

}  // namespace lexiscoop
