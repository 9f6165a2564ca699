#pragma once

#include <QObject>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "views/WordListFilter.h"

class QProgressBar;
class QTableView;

namespace lexiscoop {

class RunController;
class ShownWordList;
class WordListModel;

// The shown word list over the run's results: its filters, its rebuild and
// sort, the selection and the search for a word. It owns the shown list and
// the filters; the list view, its model and the progress bar are the
// window's, attached once they are made.
class WordListController : public QObject {
  Q_OBJECT

 public:
  explicit WordListController(RunController& run, QObject* parent = nullptr);
  ~WordListController() override;
  WordListController(const WordListController&) = delete;
  WordListController& operator=(const WordListController&) = delete;

  void Attach(QTableView& list, WordListModel& model, QProgressBar& progress);

  const ShownWordList& Shown() const { return *shown_; }
  const WordListFilter& Filter() const { return filter_; }

  // Rebuilds the list from the results under the filters while results are
  // shown and nothing is busy; nothing otherwise. A failure is reported
  // through `failed`, with the state put back.
  void Rebuild();
  // Sort request (a key of ShownWordList; the level sorts from the most
  // basic level first); the selected words stay selected.
  void Sort(int key);
  // A click on the heading of the window's column `column`: sorts by its
  // key; nothing for a column that is no sort key (the glosses).
  void SortByColumn(int column);
  // Each refuses while the run is busy and returns whether the filter
  // changed; the list is rebuilt after a change.
  bool SetFormMode(FormMode mode);
  // An empty mask is refused (emptyLevelMaskRefused, false) and the list
  // rebuilt as it is.
  bool SetLevelMask(LevelMask mask);
  void SetProperNoun(ProperNounChoice choice);
  // The word-table entries left out whatever their level (entry i when
  // leaveOut[i] is not 0; not owned, alive until the next call); applies
  // from the next Rebuild.
  void SetLeaveOut(std::span<const uint8_t> leaveOut) { filter_.leaveOut = leaveOut; }

  // The selected rows, in row order.
  std::vector<int> SelectedRows() const;
  int SelectedCount() const;
  // Selects exactly `rows`; the focus ends on the last one.
  void SelectRows(const std::vector<int>& rows);
  void SelectAll();
  // The shown forms that begin with `query` (letter case ignored), in word
  // order.
  std::vector<std::string_view> WordsStartingWith(std::string_view query) const;
  // Selects the rows that show `word` and scrolls to them; nothing while
  // the list is rebuilt or the run is busy.
  void JumpToWord(const std::string& word);

 signals:
  // The filters changed (or a change was refused): controls showing them
  // follow.
  void filterChanged();
  // SetLevelMask was asked for an empty mask, which is refused.
  void emptyLevelMaskRefused();
  // The list was rebuilt: `rows` rows shown.
  void rebuilt(int rows);
  // A rebuild failed with `cp932Message`.
  void failed(const std::string& cp932Message);

 private:
  RunController& run_;
  std::unique_ptr<ShownWordList> shown_;
  // The filters start empty; the window sets them at the end of start-up.
  WordListFilter filter_;
  QTableView* list_ = nullptr;
  WordListModel* model_ = nullptr;
  QProgressBar* progress_ = nullptr;
};

}  // namespace lexiscoop
