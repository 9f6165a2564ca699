#include "app/LevelBar.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMouseEvent>
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
  CreateLevelMenu(window);
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
  for (int i = 0; i < kWordLevelCount; ++i) {
    QToolButton* button = controls_.levelButtons[static_cast<size_t>(i)];
    const int bit = ButtonBit(i);
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
    for (QToolButton* button : controls_.levelButtons) {
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
  for (int i = 0; i < kWordLevelCount; ++i) {
    const bool on = HasLevelBit(filter.levelMask, ButtonBit(i));
    controls_.levelButtons[static_cast<size_t>(i)]->setIcon(ImageListIcon(on ? kImageSwitchOn : kImageSwitchOff));
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
