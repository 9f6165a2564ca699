#include "app/LevelSetMenu.h"

#include <QActionGroup>
#include <QMenu>

#include "app/AppTexts.h"
#include "app/ChoiceMenu.h"
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
  FillChoiceMenu(*menu_, *group_, Qs("標準 (基本・中学・大学受験・一般)"), ListStore(userFolder_).SetNames(), chosen_,
                 [this](const std::string& name) {
                   if (Choose(name)) emit chosen();
                   Refill();
                 })
      ->setObjectName(QStringLiteral("acShippedLevels"));
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
