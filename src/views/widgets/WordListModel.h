#pragma once

#include <QAbstractTableModel>
#include <cstdint>
#include <span>

#include "views/WordListColumns.h"

namespace lexiscoop {

class ShownWordList;
struct AnalysisResult;

// The rows of the word list view lvWords, one column per window column of
// the column table (WordListColumns: "No", "Word", "Number", "per cent",
// "レベル" in the level's colour, "訳語" the glosses of the row's headword,
// "文字数" hidden at first), formatted from the shown word list and the
// run's classification when the view paints them. Columns are only ever
// added at the end, so the column widths kept in the settings by position
// stay valid. Like a virtual list view it keeps only an item count of its
// own: the window empties the view for a new text while the shown list stays.
class WordListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The window model's index of the column called `id` ("level", "gloss", …).
  static int ColumnOf(std::string_view id) { return WindowColumnIndex(id); }
  static inline const int kLevelColumn = ColumnOf("level");
  static inline const int kGlossColumn = ColumnOf("gloss");
  // The row's value as its column sorts it (a number), or its text.
  static constexpr int kRawValueRole = Qt::UserRole + 1;

  // `shown` and `result` must outlive the model.
  WordListModel(const ShownWordList& shown, const AnalysisResult& result, QObject* parent = nullptr);

  // The classification the rows read changed (an edit): repaints the rows.
  void ClassificationChanged();

  // The word-table entries the class knows (entry i when known[i] is not
  // 0; not owned, alive until the next call), for the 既習 column.
  void SetKnown(std::span<const uint8_t> known) { known_ = known; }

  // Replaces the whole list by `rows` rows (at most the shown list's rows).
  void SetRowCount(int rows);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  const ShownWordList& shown_;
  const AnalysisResult& result_;
  int rows_ = 0;
  std::span<const uint8_t> known_;
};

}  // namespace lexiscoop
