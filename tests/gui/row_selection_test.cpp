// The selected rows read from the selection's ranges agree with Qt's own
// row-by-row answer, whole rows or not.

#include <QItemSelectionModel>
#include <QStandardItemModel>
#include <QtTest>
#include <random>

#include "views/widgets/RowSelection.h"

using namespace lexiscoop;

class RowSelectionTest : public QObject {
  Q_OBJECT

 private:
  static std::vector<int> QtRows(const QItemSelectionModel& selection) {
    std::vector<int> rows;
    for (const QModelIndex& index : selection.selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
  }

 private slots:
  void rangesGiveTheRowsOnceInOrder() {
    QStandardItemModel model(20, 4);
    QItemSelectionModel selection(&model);
    auto rows = [&](int top, int bottom, int left = 0, int right = 3) {
      return QItemSelection(model.index(top, left), model.index(bottom, right));
    };
    selection.select(rows(10, 12), QItemSelectionModel::Select);
    selection.select(rows(2, 4), QItemSelectionModel::Select);
    selection.select(rows(4, 6), QItemSelectionModel::Select);  // overlaps
    selection.select(rows(7, 7), QItemSelectionModel::Select);  // touches
    QCOMPARE(SelectedRowNumbers(selection), (std::vector<int>{2, 3, 4, 5, 6, 7, 10, 11, 12}));
    QCOMPARE(SelectedRowCount(selection), 9);

    // A row cut out of a range.
    selection.select(rows(5, 5), QItemSelectionModel::Deselect);
    QCOMPARE(SelectedRowNumbers(selection), (std::vector<int>{2, 3, 4, 6, 7, 10, 11, 12}));

    // A single cell makes no selected row, but the other rows stay.
    selection.select(rows(15, 15, 1, 1), QItemSelectionModel::Select);
    QCOMPARE(SelectedRowNumbers(selection), QtRows(selection));
    QCOMPARE(SelectedRowCount(selection), 8);

    // A row whose columns are selected in two pieces counts.
    selection.select(rows(15, 15, 0, 0), QItemSelectionModel::Select);
    selection.select(rows(15, 15, 2, 3), QItemSelectionModel::Select);
    QCOMPARE(SelectedRowNumbers(selection), QtRows(selection));
    QCOMPARE(SelectedRowCount(selection), 9);

    selection.clearSelection();
    QCOMPARE(SelectedRowCount(selection), 0);
    QVERIFY(SelectedRowNumbers(selection).empty());
  }

  void randomSelectionsAgreeWithQt() {
    QStandardItemModel model(40, 4);
    QItemSelectionModel selection(&model);
    std::mt19937 rng(5);
    for (int round = 0; round < 300; ++round) {
      if (round % 10 == 0) selection.clearSelection();
      const int top = static_cast<int>(rng() % 40);
      const int bottom = std::min(39, top + static_cast<int>(rng() % 8));
      const bool wholeRows = rng() % 4 != 0;
      const int left = wholeRows ? 0 : static_cast<int>(rng() % 4);
      const int right = wholeRows ? 3 : left + static_cast<int>(rng() % static_cast<unsigned>(4 - left));
      const QItemSelectionModel::SelectionFlags command[] = {
          QItemSelectionModel::Select, QItemSelectionModel::Deselect, QItemSelectionModel::Toggle};
      selection.select(QItemSelection(model.index(top, left), model.index(bottom, right)), command[rng() % 3]);
      QCOMPARE(SelectedRowNumbers(selection), QtRows(selection));
      QCOMPARE(SelectedRowCount(selection), static_cast<int>(QtRows(selection).size()));
    }
  }
};

QTEST_MAIN(RowSelectionTest)
#include "row_selection_test.moc"
