#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "export/ExportTable.h"
#include "profile/TextProfile.h"

namespace lexiscoop {

// The profiles of the compare-texts window as a table: one row per file, the
// total row last, the columns of the profile export. Sorting by any column
// keeps the total last.
class ProfileModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit ProfileModel(QObject* parent = nullptr);

  // Replaces the rows (files skipped as binary are left out).
  void SetProfiles(std::vector<TextProfile> profiles);
  const std::vector<TextProfile>& Profiles() const { return profiles_; }
  // The table as shown, total row included, for an export.
  const ExportTable& Table() const { return table_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  // The caption of a column: Japanese for the window, the export's name as
  // its tool tip.
  static QString ColumnCaption(const std::string& name);
  // A text cell of column `column` as the window shows it: the total row's
  // name and the stages in Japanese.
  static QString DisplayText(const std::string& column, const std::string& text);

 private:
  std::vector<TextProfile> profiles_;
  ExportTable table_;
};

}  // namespace lexiscoop
