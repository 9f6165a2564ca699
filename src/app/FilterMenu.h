#pragma once

#include <QObject>
#include <QString>
#include <array>

#include "analysis/WordLevel.h"
#include "views/WordListFilter.h"

class QAction;
class QActionGroup;
class QMenu;

namespace lexiscoop {

// The 表示 menu's share of the word list's filters, so that every choice of
// the bars is reachable from the menu bar too: the form (原形, 見出し語,
// 表記) and 未登録 as the bars' own actions, a checkable entry per level, the
// proper-noun choice, and the entry that shows or hides the level bar.
class FilterMenu : public QObject {
  Q_OBJECT

 public:
  // A level's entry: its bit in the level mask and its caption.
  struct Level {
    int bit;
    QString caption;
  };

  // Adds the entries to `view`. The form and 未登録 actions are the bars'
  // own; they become checkable.
  FilterMenu(QMenu& view, const std::array<QAction*, 3>& formActions, QAction& noEntry,
             const std::array<Level, kWordLevelCount>& levels, QObject* parent);

  // Checks the entries as `filter` says.
  void Sync(const WordListFilter& filter);
  // Enables the level and proper-noun entries while results are shown; a
  // level whose list is empty stays disabled (`listed`, in the order given).
  void SetEnabled(bool results, const std::array<bool, kWordLevelCount>& listed);

  // Checkable: the level bar is shown.
  QAction* LevelBarAction() const { return levelBar_; }
  QAction* LevelAction(int i) const { return levelActions_[static_cast<size_t>(i)]; }

 signals:
  // The level entry of `bit` was chosen: the level goes in or out.
  void levelToggled(int bit);
  // レベル → すべて.
  void allLevelsChosen();
  // A proper-noun entry: 0 all, 1 common nouns only, 2 proper nouns only.
  void properNounChosen(int index);

 private:
  std::array<QAction*, 3> formActions_;
  QAction* noEntry_;
  std::array<Level, kWordLevelCount> levels_;
  std::array<QAction*, kWordLevelCount> levelActions_{};
  QAction* allLevels_ = nullptr;
  std::array<QAction*, 3> properNounActions_{};
  QAction* levelBar_ = nullptr;
};

}  // namespace lexiscoop
