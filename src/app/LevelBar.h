#pragma once

#include <QObject>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "analysis/LevelSet.h"
#include "analysis/WordLevel.h"

class QAction;
class QComboBox;
class QMenu;
class QToolButton;
class QWidget;

namespace lexiscoop {

class FilterMenu;
class WordListController;
struct AnalysisResult;

// The level bar's buttons and their menu, the proper-noun choice, the form
// commands and the filters' entries of the 表示 menu: they show the word
// list's filters and change them through its controller.
class LevelBar : public QObject {
  Q_OBJECT

 public:
  struct Controls {
    std::array<QToolButton*, kWordLevelCount> levelButtons;  // in WordLevel order
    QComboBox* properNoun;
    std::array<QAction*, 3> formActions;  // 原形, 見出し語, 表記
    QAction* noEntry;                     // 未登録
    QMenu* viewMenu;                      // the filters' entries end it
  };
  // `window` parents the level menu (pmWordSelector) and the filter menu;
  // the controls and `words` outlive this object.
  LevelBar(const Controls& controls, WordListController& words, QWidget& window);

  FilterMenu& Menu() const { return *filterMenu_; }
  // A click on the level button of `bit` with `modifiers` held: the mask
  // changes, or the level menu opens where the click changes nothing.
  void Click(int bit, Qt::KeyboardModifiers modifiers);
  // The buttons, the 未登録 and form commands show the filters as they are.
  void ShowFilters();
  // The buttons' captions: the levels' names, or with `result` their counts
  // by the result's level set. A set of one's own shows its first four
  // levels on the first four buttons (which keep their filter bits), its
  // levels 5 to 9 on buttons of their own after them, then その他 and 未登録;
  // the buttons of levels it lacks are hidden.
  void SetCaptions(const AnalysisResult* result);
  // The level list of `level` (1-based) loaded: `enabled` when it holds
  // words; `hint` (CP932) becomes the button's tooltip.
  void LevelListLoaded(int level, bool enabled, const std::string& hint, bool results);
  // Enables what filters results, where there are results; a level whose
  // list is empty stays disabled.
  void SetEnabled(bool results);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The buttons of listed levels 5..9, made hidden beside the others.
  void CreateExtraButtons();
  // Every level button with its filter bit.
  std::vector<std::pair<QToolButton*, int>> Buttons() const;
  void CreateLevelMenu(QWidget& window);
  void ShowLevelMenu(int bit);

  Controls controls_;
  // The buttons of listed levels 5..9 (bits 7..11), shown for a set that has them.
  std::array<QToolButton*, kMaxLevelCount - kWordLevelCount> extraButtons_{};
  WordListController& words_;
  FilterMenu* filterMenu_ = nullptr;
  QMenu* levelMenu_ = nullptr;
  int lastLevelBit_ = 0;                // the level the menu was opened for
  LevelSet levels_ = ShippedLevels();   // the levels the buttons show
  Qt::KeyboardModifiers buttonShift_;  // held at the press on a level button
};

}  // namespace lexiscoop
