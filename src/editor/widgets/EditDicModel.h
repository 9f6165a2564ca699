#pragma once

#include <QAbstractTableModel>
#include <cstdint>
#include <memory>
#include <vector>

#include "dictionary/Lexicon.h"

namespace lexiscoop {

// The rows of the editor's list lvDic: the row number, the level name
// ("class") and the headword ("word") of every headword of a lexicon, in
// dictionary line order, formatted when the view paints them. It shares the
// lexicon it was last reset with and reads the editor's RowLevels.
class EditDicModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kNumberColumn, kClassColumn, kWordColumn, kColumnCount };

  // `rowLevels` is not owned and must outlive the model.
  explicit EditDicModel(const std::vector<uint8_t>& rowLevels, QObject* parent = nullptr);

  // Shows the headwords of `lexicon`. Call after every load.
  void Reset(std::shared_ptr<const Lexicon> lexicon);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  std::shared_ptr<const Lexicon> lexicon_ = Lexicon::Empty();
  const std::vector<uint8_t>& rowLevels_;
};

}  // namespace lexiscoop
