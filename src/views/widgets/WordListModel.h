#pragma once

#include <QAbstractTableModel>

namespace lexiscoop {

// The rows of the word list view lvWords: "No", "Word", "Number" and
// "per cent". Rows are formatted on demand when the view paints them.
class WordListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumnCount = 4;

  explicit WordListModel(QObject* parent = nullptr);

  // Replaces the whole list by `rows` rows.
  void SetRowCount(int rows);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  int rows_ = 0;
};

}  // namespace lexiscoop
