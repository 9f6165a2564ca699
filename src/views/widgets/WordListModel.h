#pragma once

#include <QAbstractTableModel>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace lexiscoop {

class ShownWordList;

// The rows of the word list view lvWords: "No", "Word", "Number",
// "per cent", "レベル" (in the level's colour) and "訳語" (the Japanese
// glosses of the word's headword), formatted from the shown word list when
// the view paints them. Columns are only ever added at the end, so the
// column widths kept in the settings by position stay valid; the view moves
// a new column to its place (レベル shows after Word, 訳語 after レベル).
// Like a virtual list view it keeps only an item count of its own: the
// window empties the view for a new text while the shown list stays.
class WordListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kLevelColumn = 4;
  static constexpr int kGlossColumn = 5;
  static constexpr int kColumnCount = 6;
  // The row's count (Number column) or its shown form, unformatted.
  static constexpr int kRawValueRole = Qt::UserRole + 1;

  // `shown` and `tokenCount` must outlive the model; the per-cent column
  // divides by `*tokenCount`.
  WordListModel(const ShownWordList& shown, const int32_t& tokenCount, QObject* parent = nullptr);

  // Where the 訳語 column takes the glosses of a row (CP932); none: the
  // column stays empty. Asked only for the rows painted.
  void SetGlossSource(std::function<std::string_view(int row)> glossOf);
  // The glosses changed (an edit): repaints the 訳語 column.
  void GlossesChanged();

  // Replaces the whole list by `rows` rows (at most the shown list's rows).
  void SetRowCount(int rows);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  const ShownWordList& shown_;
  const int32_t& tokenCount_;
  int rows_ = 0;
  std::function<std::string_view(int row)> glossOf_;
};

}  // namespace lexiscoop
