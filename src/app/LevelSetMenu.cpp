#include "app/LevelSetMenu.h"

#include <QActionGroup>
#include <QMenu>

#include "app/AppTexts.h"
#include "lists/LevelSetIndex.h"
#include "lists/ListStore.h"
#include "platform/Cp932.h"
#include "ui/Dialogs.h"

namespace lexiscoop {

LevelSetMenu::LevelSetMenu(QMenu& view, std::string userFolder, TDialogs& dialogs, QWidget& window)
    : QObject(&window),
      userFolder_(std::move(userFolder)),
      dialogs_(dialogs),
      window_(window),
      index_(std::make_unique<LevelSetIndex>()) {
  menu_ = view.addMenu(Qs("レベルセット(&S)"));
  menu_->setObjectName(QStringLiteral("miLevelSets"));
  menu_->setStatusTip(Qs("単語を分類するレベルの組を選びます"));
  group_ = new QActionGroup(menu_);
  connect(menu_, &QMenu::aboutToShow, this, &LevelSetMenu::Refill);
  Refill();
}

LevelSetMenu::~LevelSetMenu() = default;

void LevelSetMenu::Refill() {
  menu_->clear();
  for (QAction* action : group_->actions()) group_->removeAction(action);
  auto add = [this](const QString& caption, const std::string& name) {
    QAction* action = menu_->addAction(caption);
    action->setCheckable(true);
    action->setChecked(name == chosen_);
    action->setData(QString::fromStdString(Utf8FromCp932(name)));
    group_->addAction(action);
    connect(action, &QAction::triggered, this, [this, name] {
      if (Choose(name)) emit chosen();
      Refill();
    });
    return action;
  };
  add(Qs("標準 (基本・中学・大学受験・一般)"), std::string())->setObjectName(QStringLiteral("acShippedLevels"));
  const std::vector<std::string> names = ListStore(userFolder_).SetNames();
  if (!names.empty()) menu_->addSeparator();
  for (const std::string& name : names) add(QString::fromStdString(Utf8FromCp932(name)), name);
  if (import_ != nullptr) {
    menu_->addSeparator();
    menu_->addAction(import_);
  }
}

bool LevelSetMenu::Choose(const std::string& name) {
  if (name == chosen_ && name.empty()) return false;
  if (name.empty()) {
    index_ = std::make_unique<LevelSetIndex>();
    chosen_.clear();
    return true;
  }
  UserLevelSet set;
  const Status loaded = ListStore(userFolder_).LoadSet(name, set);
  if (!loaded.ok()) {
    dialogs_.Fail(&window_, QString::fromStdString(Utf8FromCp932(name) + ": " + loaded.ToString()));
    return false;
  }
  index_ = std::make_unique<LevelSetIndex>(set);
  chosen_ = name;
  return true;
}

const LevelSet& LevelSetMenu::Levels() const { return index_->Levels(); }

void LevelSetMenu::ApplyTo(AnalysisResult& result) const { index_->Apply(result); }

}  // namespace lexiscoop
