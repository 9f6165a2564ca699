#pragma once

#include <QObject>
#include <memory>
#include <string>

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace lexiscoop {

class LevelSet;
class LevelSetIndex;
class TDialogs;
struct AnalysisResult;

// 表示 → レベルセット: the shipped levels or one of the user's own level sets
// (stored in the user's data folder), as the levels the results are shown
// by. Choosing one classifies the shown result again without reading the
// text again; every later run is classified by it too.
class LevelSetMenu : public QObject {
  Q_OBJECT

 public:
  // Adds the submenu to `view`; the sets are read from `userFolder`.
  LevelSetMenu(QMenu& view, std::string userFolder, TDialogs& dialogs, QWidget& window);
  ~LevelSetMenu() override;

  QMenu& Menu() const { return *menu_; }
  // The chosen set's name (CP932); empty: the shipped levels.
  const std::string& ChosenName() const { return chosen_; }
  // Chooses the stored set `name` (empty: the shipped levels); a set that
  // cannot be read is named to the user and the choice stays. True when
  // the choice changed; a stored set chosen already is read again (it may
  // have been imported anew).
  bool Choose(const std::string& name);
  // The entry that imports a set, put at the end of the submenu.
  void SetImportAction(QAction* action) { import_ = action; }
  // The chosen set's levels.
  const LevelSet& Levels() const;
  // Classifies `result` by the chosen set.
  void ApplyTo(AnalysisResult& result) const;

 signals:
  // Another set was chosen: the shown result should be classified again.
  void chosen();

 private:
  // Lists the stored sets, the chosen one checked.
  void Refill();

  QMenu* menu_ = nullptr;
  QActionGroup* group_ = nullptr;
  std::string userFolder_;
  TDialogs& dialogs_;
  QWidget& window_;
  std::string chosen_;
  QAction* import_ = nullptr;
  std::unique_ptr<LevelSetIndex> index_;
};

}  // namespace lexiscoop
