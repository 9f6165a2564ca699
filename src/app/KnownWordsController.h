#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;
class QTableView;
class QWidget;

namespace lexiscoop {

class CoverageChart;
class KnownWords;
class ReadingPane;
class RunController;
class ShownWordList;
class TDialogs;
class TIniFile;
class WordListController;
class WordListModel;

// The views that show which words the class knows; all outlive the
// controller.
struct KnownWordsViews {
  RunController& run;
  WordListController& words;
  WordListModel& model;
  QTableView& list;
  ReadingPane& reading;
  CoverageChart& chart;
};

// The known-word list of a class or learner (既習語), chosen from 表示 →
// 既習語リスト among the lists stored in the user's data folder. With a list
// chosen the word list marks known words 既習 or hides them (表示 → 既習語を
// 隠す), the reading view draws them plain and the coverage chart says the
// share of running words known. Words are marked known or not known from
// the list's selected rows (既習にする / 既習から外す) or all at once from
// the text; every change is written to the stored list at once.
class KnownWordsController : public QObject {
  Q_OBJECT

 public:
  // Adds its entries to `view` and its commands to the list's context menu;
  // the lists are stored in `userFolder`.
  KnownWordsController(QMenu& view, std::string userFolder, TDialogs& dialogs, QWidget& window,
                       KnownWordsViews views);
  ~KnownWordsController() override;
  KnownWordsController(const KnownWordsController&) = delete;
  KnownWordsController& operator=(const KnownWordsController&) = delete;

  // The chosen list's name (CP932); empty: none.
  const std::string& ChosenName() const { return chosen_; }
  bool HidesKnown() const;
  // Entry i of the shown result's word table is known when entry i is not 0;
  // empty while no list is chosen.
  const std::vector<uint8_t>& KnownEntries() const { return entries_; }

  // Chooses the stored list `name` (empty: none) and shows the result by it.
  // A list that cannot be read is named to the user and the choice stays;
  // false then.
  bool Choose(const std::string& name);
  // Writes the headwords of the selected rows into the chosen list as known
  // (`known`) or takes them out of it. Without a chosen list the user is
  // asked to name a new one first.
  void MarkSelected(bool known);
  // Adds every headword of the shown result to the chosen list, after a
  // question naming how many are new to it.
  void AddWholeText();
  // Asks for a name and makes an empty list of it, which becomes the chosen
  // one; false when cancelled or refused (with a message).
  bool NewList();
  // The result was classified afresh (a run, another level set): marks it
  // by the chosen list before the views show it.
  void ResultClassified();

  // The entry that imports words from files, put into the submenu.
  void SetImportAction(QAction* action) { import_ = action; }
  // Fills `out` with the rows of the shown list that are new to the chosen
  // list (every row while none is chosen), in the shown order.
  void BuildNewWords(ShownWordList& out) const;

  // The chosen list (KnownList) and 既習語を隠す (HideKnown).
  void ReadSettings(const TIniFile& ini);
  void WriteSettings(TIniFile& ini) const;

  // The commands, for the window's menus and tests.
  QMenu& Menu() const { return *menu_; }
  QAction* HideAction() const { return hide_; }
  QAction* MarkAction() const { return mark_; }
  QAction* UnmarkAction() const { return unmark_; }
  QAction* AddTextAction() const { return addText_; }
  // ファイル → エクスポート (新出語のみ)…; the window carries it out.
  QAction* ExportNewAction() const { return exportNew_; }

 signals:
  // A short note for the status bar.
  void statusText(const QString& text);
  // The 既習 column was shown or hidden: the list's widths are shared again.
  void columnsChanged();

 private:
  // Lists なし and the stored lists, the chosen one checked.
  void Refill();
  // Loads the chosen list from the store; false (with a message) on failure.
  bool Load(const std::string& name);
  // Works out KnownEntries for the shown result and hands it to the views.
  void Mark();
  // Shows the result again by KnownEntries: the list (rebuilt when it
  // hides known words or `rebuild`), the reading view and the coverage line.
  void ShowAgain(bool rebuild);
  // The commands follow the run state.
  void UpdateCommands();
  // Writes `add` and `remove` into the chosen list and shows the result by
  // the list as it is stored now.
  void Change(const std::vector<std::string>& add, const std::vector<std::string>& remove);

  QWidget& window_;
  TDialogs& dialogs_;
  std::string userFolder_;
  KnownWordsViews views_;
  QMenu* menu_ = nullptr;
  QActionGroup* group_ = nullptr;
  QAction* hide_ = nullptr;
  QAction* mark_ = nullptr;
  QAction* unmark_ = nullptr;
  QAction* addText_ = nullptr;
  QAction* exportNew_ = nullptr;
  QAction* import_ = nullptr;
  std::string chosen_;
  std::unique_ptr<KnownWords> known_;
  std::vector<uint8_t> entries_;
};

}  // namespace lexiscoop
