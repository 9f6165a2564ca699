#include "app/LevelBar.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMouseEvent>
#include <QToolBar>
#include <QToolButton>
#include <QVariant>
#include <optional>

#include "analysis/Analysis.h"
#include "app/AppTexts.h"
#include "app/FilterMenu.h"
#include "app/ImageList.h"
#include "app/WordListController.h"
#include "platform/Cp932.h"
#include "views/WordListFilter.h"

namespace lexiscoop {
namespace {

// The level bit of level button i, the set's level i.
int ButtonBit(int i) { return ShippedLevels().Levels()[static_cast<size_t>(i)].filterBit; }

// The bit of listed level 5 + j of a set of one's own (LevelSet::Made).
constexpr int kFirstExtraBit = 7;

QString FromCp932(const std::string& text) { return QString::fromStdString(Utf8FromCp932(text)); }

}  // namespace

LevelBar::LevelBar(const Controls& controls, WordListController& words, QWidget& window)
    : QObject(&window), controls_(controls), words_(words) {
  std::array<FilterMenu::Level, kWordLevelCount> levels{};
  for (int i = 0; i < kWordLevelCount; ++i) {
    levels[static_cast<size_t>(i)] = {ButtonBit(i), FromCp932(LevelButtonName(static_cast<WordLevel>(i)))};
  }
  filterMenu_ = new FilterMenu(*controls_.viewMenu, controls_.formActions, *controls_.noEntry, levels, &window);
  connect(filterMenu_, &FilterMenu::levelToggled, this, [this](int bit) {
    const LevelMask current = words_.Filter().levelMask;
    if (const std::optional<LevelMask> mask = MaskAfterLevelClick(current, bit, LevelClickModifier::Shift)) {
      words_.SetLevelMask(*mask);
    }
    filterMenu_->Sync(words_.Filter());
  });
  connect(filterMenu_, &FilterMenu::allLevelsChosen, this,
          [this] { words_.SetLevelMask(static_cast<LevelMask>(levels_.AllFilterBits())); });
  connect(filterMenu_, &FilterMenu::properNounChosen, this, [this](int index) {
    if (controls_.properNoun->currentIndex() != index) controls_.properNoun->setCurrentIndex(index);
  });
  // The actions are checkable (the 表示 menu shows their state): a refused
  // change puts the check marks back.
  const FormMode modes[] = {FormMode::Original, FormMode::Headword, FormMode::Written};
  for (size_t i = 0; i < controls_.formActions.size(); ++i) {
    connect(controls_.formActions[i], &QAction::triggered, this, [this, mode = modes[i]] {
      words_.SetFormMode(FormAfterToggle(words_.Filter().formMode, mode));
      filterMenu_->Sync(words_.Filter());
    });
  }
  connect(&words_, &WordListController::filterChanged, this, &LevelBar::ShowFilters);
  CreateExtraButtons();
  CreateLevelMenu(window);
}

void LevelBar::CreateExtraButtons() {
  // They stand before その他, looking like the others.
  QToolButton* other = controls_.levelButtons[static_cast<size_t>(LevelIndex(WordLevel::Other))];
  QToolButton* model = controls_.levelButtons[0];
  auto* bar = qobject_cast<QToolBar*>(other->parentWidget());
  QAction* before = nullptr;
  if (bar != nullptr) {
    for (QAction* action : bar->actions()) {
      if (bar->widgetForAction(action) == other) before = action;
    }
  }
  for (size_t j = 0; j < extraButtons_.size(); ++j) {
    auto* button = new QToolButton(other->parentWidget());
    button->setObjectName(QStringLiteral("tbWSLevel%1").arg(kListedLevelCount + 1 + static_cast<int>(j)));
    button->setToolButtonStyle(model->toolButtonStyle());
    button->setAutoRaise(model->autoRaise());
    button->setIconSize(model->iconSize());
    button->setMinimumWidth(model->minimumWidth());
    button->setFixedHeight(model->height());
    button->setSizePolicy(model->sizePolicy());
    button->setIcon(ImageListIcon(kImageSwitchOff));
    QAction* placed = bar != nullptr && before != nullptr ? bar->insertWidget(before, button) : nullptr;
    if (placed != nullptr) placed->setVisible(false);
    extraButtons_[j] = button;
  }
}

std::vector<std::pair<QToolButton*, int>> LevelBar::Buttons() const {
  std::vector<std::pair<QToolButton*, int>> buttons;
  for (int i = 0; i < kWordLevelCount; ++i) buttons.emplace_back(controls_.levelButtons[static_cast<size_t>(i)], ButtonBit(i));
  for (size_t j = 0; j < extraButtons_.size(); ++j) {
    buttons.emplace_back(extraButtons_[j], kFirstExtraBit + static_cast<int>(j));
  }
  return buttons;
}

void LevelBar::CreateLevelMenu(QWidget& window) {
  levelMenu_ = new QMenu(&window);
  levelMenu_->setObjectName(QStringLiteral("pmWordSelector"));
  struct Item {
    const char* name;
    const char* caption;
    LevelMenuItem item;
  };
  const Item items[] = {
      {"miWSOn", "含める", LevelMenuItem::Include},
      {"miWSOff", "外す", LevelMenuItem::Exclude},
      {"N10", "だけ (Ctrl+クリック)", LevelMenuItem::Only},
      // Alt+click is the window manager's on many desktops: the entry is
      // the way there.
      {"N13", "すべてのレベル(&A)", LevelMenuItem::All},
  };
  for (const Item& item : items) {
    if (item.item == LevelMenuItem::Only || item.item == LevelMenuItem::All) levelMenu_->addSeparator();
    auto* action = new QAction(Qs(item.caption), levelMenu_);
    levelMenu_->addAction(action);
    action->setObjectName(QString::fromLatin1(item.name));
    const LevelMenuItem which = item.item;
    connect(action, &QAction::triggered, this,
            [this, which] { words_.SetLevelMask(MaskAfterLevelMenu(words_.Filter().levelMask, lastLevelBit_, which,
                                                                   static_cast<LevelMask>(levels_.AllFilterBits()))); });
  }
  for (const auto& [button, bit] : Buttons()) {
    button->installEventFilter(this);
    connect(button, &QToolButton::clicked, this, [this, bit] {
      const Qt::KeyboardModifiers modifiers = buttonShift_;
      buttonShift_ = Qt::NoModifier;
      Click(bit, modifiers);
    });
  }
}

bool LevelBar::eventFilter(QObject* watched, QEvent* event) {
  // A click's modifiers are those held at the press.
  if (event->type() == QEvent::MouseButtonPress) {
    for (const auto& [button, bit] : Buttons()) {
      if (watched == button) buttonShift_ = static_cast<QMouseEvent*>(event)->modifiers();
    }
  }
  return QObject::eventFilter(watched, event);
}

void LevelBar::Click(int bit, Qt::KeyboardModifiers modifiers) {
  lastLevelBit_ = bit;
  LevelClickModifier modifier = LevelClickModifier::None;
  if (modifiers & Qt::ShiftModifier) {
    modifier = LevelClickModifier::Shift;
  } else if (modifiers & Qt::ControlModifier) {
    modifier = LevelClickModifier::Ctrl;
  } else if (modifiers & Qt::AltModifier) {
    modifier = LevelClickModifier::Alt;
  }
  const auto all = static_cast<LevelMask>(levels_.AllFilterBits());
  if (const std::optional<LevelMask> mask = MaskAfterLevelClick(words_.Filter().levelMask, bit, modifier, all)) {
    words_.SetLevelMask(*mask);
  } else {
    ShowLevelMenu(bit);
  }
}

void LevelBar::ShowLevelMenu(int bit) {
  QToolButton* button = controls_.levelButtons[static_cast<size_t>(LevelIndex(WordLevel::None))];
  QString level = Qs("未登録");
  for (int i = 0; i < kWordLevelCount; ++i) {
    if (ButtonBit(i) != bit) continue;
    button = controls_.levelButtons[static_cast<size_t>(i)];
    level = FromCp932(LevelButtonName(static_cast<WordLevel>(i)));
  }
  // A set of one's own names its levels itself.
  if (const LevelInfo* info = levels_.FindFilterBit(bit); info != nullptr && !levels_.Shipped()) {
    level = FromCp932(levels_.Name(info->id));
    for (const auto& [shown, shownBit] : Buttons()) {
      if (shownBit == bit) button = shown;
    }
  }
  // The entries name the level; of 含める and 外す only the one that changes
  // something is offered, with the click that does the same.
  const bool shown = HasLevelBit(words_.Filter().levelMask, bit);
  const QString shift = Qs(" (Shift+クリック)");
  QAction* include = levelMenu_->findChild<QAction*>(QStringLiteral("miWSOn"));
  QAction* exclude = levelMenu_->findChild<QAction*>(QStringLiteral("miWSOff"));
  include->setText(Qs("「%1」を含める").arg(level) + (shown ? QString() : shift));
  include->setEnabled(!shown);
  exclude->setText(Qs("「%1」を外す").arg(level) + (shown ? shift : QString()));
  exclude->setEnabled(shown);
  levelMenu_->findChild<QAction*>(QStringLiteral("N10"))->setText(Qs("「%1」だけ (Ctrl+クリック)").arg(level));
  levelMenu_->popup(button->mapToGlobal(button->rect().bottomLeft()));
}

void LevelBar::ShowFilters() {
  const WordListFilter& filter = words_.Filter();
  for (const auto& [button, bit] : Buttons()) {
    button->setIcon(ImageListIcon(HasLevelBit(filter.levelMask, bit) ? kImageSwitchOn : kImageSwitchOff));
  }
  controls_.noEntry->setIcon(controls_.levelButtons[static_cast<size_t>(LevelIndex(WordLevel::None))]->icon());
  filterMenu_->Sync(filter);
  constexpr FormMode kForms[] = {FormMode::Original, FormMode::Headword, FormMode::Written};
  for (size_t i = 0; i < controls_.formActions.size(); ++i) {
    controls_.formActions[i]->setIcon(ImageListIcon(filter.formMode == kForms[i] ? kImageSwitchOn : kImageSwitchOff));
  }
}

void LevelBar::SetCaptions(const AnalysisResult* result) {
  if (result != nullptr) levels_ = result->Levels();
  const int listed = levels_.ListedCount();
  for (int i = 0; i < kWordLevelCount; ++i) {
    // Button i: listed level i of the first four, then Other and None.
    const int place = i < kListedLevelCount ? i : listed + (i - kListedLevelCount);
    QToolButton* button = controls_.levelButtons[static_cast<size_t>(i)];
    button->setVisible(i >= kListedLevelCount || i < listed);
    const auto level = static_cast<WordLevel>(place);
    button->setText(FromCp932(result == nullptr ? levels_.Name(level) : LevelCaption(*result, level)));
  }
  for (size_t j = 0; j < extraButtons_.size(); ++j) {
    const int place = kListedLevelCount + static_cast<int>(j);
    QToolButton* button = extraButtons_[j];
    const bool shown = place < listed;
    // A tool bar shows or hides a widget through its action.
    if (auto* bar = qobject_cast<QToolBar*>(button->parentWidget())) {
      for (QAction* action : bar->actions()) {
        if (bar->widgetForAction(action) == button) action->setVisible(shown);
      }
    }
    button->setVisible(shown);
    if (!shown) continue;
    const auto level = static_cast<WordLevel>(place);
    button->setText(FromCp932(result == nullptr ? levels_.Name(level) : LevelCaption(*result, level)));
  }
}

void LevelBar::LevelListLoaded(int level, bool enabled, const std::string& hint, bool results) {
  if (level < 1 || level > kListedLevelCount) return;
  QToolButton* button = controls_.levelButtons[static_cast<size_t>(level - 1)];
  if (!hint.empty()) button->setToolTip(FromCp932(hint));
  button->setProperty("levelListEnabled", enabled);
  button->setEnabled(enabled && results);
}

void LevelBar::SetEnabled(bool results) {
  std::array<bool, kWordLevelCount> listed{};
  for (size_t i = 0; i < controls_.levelButtons.size(); ++i) {
    const QVariant enabled = controls_.levelButtons[i]->property("levelListEnabled");
    listed[i] = !enabled.isValid() || enabled.toBool();
    if (!listed[i]) controls_.levelButtons[i]->setEnabled(false);
  }
  filterMenu_->SetEnabled(results, listed);
}

}  // namespace lexiscoop
