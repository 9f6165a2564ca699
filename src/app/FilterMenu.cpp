#include "app/FilterMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "ui/UiTexts.h"

namespace lexiscoop {

FilterMenu::FilterMenu(QMenu& view, const std::array<QAction*, 3>& formActions, QAction& noEntry,
                       const std::array<Level, kWordLevelCount>& levels, QObject* parent)
    : QObject(parent), formActions_(formActions), noEntry_(&noEntry), levels_(levels) {
  view.addSeparator();
  QMenu* forms = view.addMenu(Qs("単語の形(&F)"));
  forms->setObjectName(QStringLiteral("miForms"));
  for (QAction* action : formActions_) {
    action->setCheckable(true);
    forms->addAction(action);
  }
  noEntry_->setCheckable(true);
  view.addAction(noEntry_);

  QMenu* levelMenu = view.addMenu(Qs("レベル(&E)"));
  levelMenu->setObjectName(QStringLiteral("miLevels"));
  for (size_t i = 0; i < levels_.size(); ++i) {
    QAction* action = levelMenu->addAction(levels_[i].caption);
    action->setObjectName(QStringLiteral("miLevel%1").arg(levels_[i].bit));
    action->setCheckable(true);
    const int bit = levels_[i].bit;
    connect(action, &QAction::triggered, this, [this, bit] { emit levelToggled(bit); });
    levelActions_[i] = action;
  }
  levelMenu->addSeparator();
  allLevels_ = levelMenu->addAction(Qs("すべて(&A)"));
  allLevels_->setObjectName(QStringLiteral("miAllLevels"));
  connect(allLevels_, &QAction::triggered, this, &FilterMenu::allLevelsChosen);

  QMenu* nouns = view.addMenu(Qs("固有名詞(&P)"));
  nouns->setObjectName(QStringLiteral("miProperNoun"));
  auto* group = new QActionGroup(this);
  const char* captions[] = {"すべて", "普通名詞だけ", "固有名詞だけ"};
  for (int i = 0; i < 3; ++i) {
    QAction* action = nouns->addAction(Qs(captions[i]));
    action->setObjectName(QStringLiteral("miProperNoun%1").arg(i));
    action->setCheckable(true);
    group->addAction(action);
    connect(action, &QAction::triggered, this, [this, i] { emit properNounChosen(i); });
    properNounActions_[static_cast<size_t>(i)] = action;
  }

  view.addSeparator();
  levelBar_ = view.addAction(Qs("レベルバー(&B)"));
  levelBar_->setObjectName(QStringLiteral("acShowLevelBar"));
  levelBar_->setStatusTip(Qs("レベルの切り替えボタンと固有名詞の選択を表示する"));
  levelBar_->setCheckable(true);
}

void FilterMenu::Sync(const WordListFilter& filter) {
  const FormMode modes[] = {FormMode::Original, FormMode::Headword, FormMode::Written};
  for (size_t i = 0; i < formActions_.size(); ++i) formActions_[i]->setChecked(filter.formMode == modes[i]);
  noEntry_->setChecked(HasLevelBit(filter.levelMask, kLevelBitNone));
  for (size_t i = 0; i < levels_.size(); ++i) {
    levelActions_[i]->setChecked(HasLevelBit(filter.levelMask, levels_[i].bit));
  }
  const int noun = filter.properNoun == ProperNounChoice::CommonOnly   ? 1
                   : filter.properNoun == ProperNounChoice::ProperOnly ? 2
                                                                       : 0;
  properNounActions_[static_cast<size_t>(noun)]->setChecked(true);
}

void FilterMenu::SetEnabled(bool results, const std::array<bool, kWordLevelCount>& listed) {
  for (size_t i = 0; i < levelActions_.size(); ++i) levelActions_[i]->setEnabled(results && listed[i]);
  allLevels_->setEnabled(results);
  for (QAction* action : properNounActions_) action->setEnabled(results);
}

}  // namespace lexiscoop
