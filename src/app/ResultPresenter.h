#pragma once

#include <QObject>
#include <memory>
#include <string>

class QWidget;

namespace lexiscoop {
namespace tagging {
class TaggerModel;
}

class ContextModel;
class LevelBar;
class KnownWordsController;
class LevelSetMenu;
class Lexicon;
class ListPaneLayout;
class MainWindowUi;
class RunController;
class StatusLine;
class TDialogs;
class TextInputController;
class WordListController;

// Shows the run's result in the main window: runs the analysis with its
// progress, then fills the statistics, the レベル表示 page, the coverage
// chart, the level bar and the status panels; and clears them while the
// text awaits analysis.
class ResultPresenter : public QObject {
  Q_OBJECT

 public:
  // What the presenter fills and reads; all must outlive it.
  struct Parts {
    QWidget& window;
    const MainWindowUi& form;
    TDialogs& dialogs;
    RunController& run;
    WordListController& words;
    LevelBar& levelBar;
    LevelSetMenu& levelSets;
    KnownWordsController& knownWords;
    ListPaneLayout& panes;
    StatusLine& status;
    TextInputController& input;
  };

  // The model for reading words in context is looked for in `programFolder`.
  ResultPresenter(Parts parts, std::string programFolder, QObject* parent);
  ~ResultPresenter() override;

  // Analyses the current text with `lexicon` and shows its figures; false
  // when no run took place. The word list is the caller's to rebuild.
  bool Run(std::shared_ptr<const Lexicon> lexicon);
  // Classifies the shown results again by the level set chosen, without
  // reading the text again, and shows them again.
  void ShowLevelSetChosen();
  // Switches the panes between awaiting analysis (true: the text's preview,
  // no figures) and results shown (false: the statistics in front).
  void ShowAwaiting(bool awaiting);
  void BuildStatisticsReport();
  // The list was rebuilt with `rows` rows: the status panels follow.
  void WordListRebuilt(int rows);
  void ShowSelectionCount();
  // The details of the one selected row's word, looked up in `lexicon`, in
  // a message box; nothing unless exactly one row is selected.
  void ShowWordDetails(const Lexicon& lexicon);

  // The model runs read words in context with; null when 文脈で読み分ける is
  // off or the model cannot be used (said once).
  std::shared_ptr<const tagging::TaggerModel> ContextReadingModel();

 private:

  Parts parts_;
  std::string programFolder_;
  std::unique_ptr<ContextModel> contextModel_;
};

}  // namespace lexiscoop
