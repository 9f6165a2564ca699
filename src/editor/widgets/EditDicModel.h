#pragma once

#include <QAbstractTableModel>
#include <cstdint>
#include <vector>

namespace lexiscoop {

class TStringList;

// The rows of the editor's list lvDic: the row number, the level name
// ("class") and the headword ("word") of every HeadwordList entry, formatted
// when the view paints them. It reads the dictionary's list and the editor's
// RowLevels; it holds no copy of either.
class EditDicModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kNumberColumn, kClassColumn, kWordColumn, kColumnCount };

  // Neither list is owned; both must outlive the model.
  EditDicModel(const TStringList& headwordList, const std::vector<uint8_t>& rowLevels,
               QObject* parent = nullptr);

  // Takes the row count from the lists as they are now. Call after the
  // lists have been rebuilt.
  void Reset();

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  const TStringList& headwords_;
  const std::vector<uint8_t>& rowLevels_;
  int rows_ = 0;
};

}  // namespace lexiscoop
