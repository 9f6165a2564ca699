// The word list's commands, which its controller carries out, and the
// controls of the level and form filters.

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTableView>
#include <QToolButton>
#include <algorithm>

#include "app/AppTexts.h"
#include "app/FilterMenu.h"
#include "app/Form1.h"
#include "app/ListPaneLayout.h"
#include "app/ImageList.h"
#include "app/WordSearchBox.h"
#include "dictionary/ConjugationDictionary.h"
#include "platform/Cp932.h"
#include "ui/Dialogs.h"
#include "views/ShownWordList.h"
#include "views/StatisticsReport.h"
#include "views/WordListBuilder.h"
#include "views/widgets/WordListModel.h"

namespace lexiscoop {
namespace {

// The level bit of level button i, the set's level i.
int ButtonBit(int i) { return ShippedLevels().Levels()[static_cast<size_t>(i)].filterBit; }

QString FromCp932(const std::string& text) { return QString::fromStdString(Utf8FromCp932(text)); }

}  // namespace

void TForm1::RebuildWordList() { words_->Rebuild(); }

void TForm1::WordListRebuilt(int rows) {
  panes_->RowsChanged();
  if (const auto text = ShownWordsStatusText(rows, run_->Result().words.Count())) SetStatusPanel(2, FromCp932(*text));
  ShowSelectionCount();
}

void TForm1::SortList(int key) { words_->Sort(key); }

void TForm1::lvWordsColumnClick(int column) {
  const std::span<const WordListColumn* const> columns = WindowColumns();
  if (column < 0 || column >= static_cast<int>(columns.size())) return;
  const int key = columns[static_cast<size_t>(column)]->sortKey;
  if (key >= 0) SortList(key);  // some columns (the glosses) are no sort key
}

void TForm1::acAllSelectExecute() {
  words_->SelectAll();
  ShowSelectionCount();
}

void TForm1::SetFormMode(FormMode mode) { words_->SetFormMode(mode); }

void TForm1::ToggleFormMode(FormMode mode) { SetFormMode(FormAfterToggle(Filter().formMode, mode)); }

void TForm1::SetLevelMask(LevelMask mask) { words_->SetLevelMask(mask); }

void TForm1::acSWNoEntryExecute() { SetLevelMask(MaskAfterNoEntryToggle(Filter().levelMask)); }

void TForm1::cbProperNounChange() {
  words_->SetProperNoun(ProperNounChoiceFromIndex(cbProperNoun->currentIndex()));
  filterMenu_->Sync(Filter());
}

void TForm1::edWordChange() { search_->OfferWords(); }

void TForm1::JumpToWord() { search_->JumpToPick(); }

void TForm1::HideSearchMenu() {
  if (search_ != nullptr) search_->Hide();
}

void TForm1::createFilterMenu(QMenu& view) {
  std::array<FilterMenu::Level, kWordLevelCount> levels{};
  for (int i = 0; i < kWordLevelCount; ++i) {
    levels[static_cast<size_t>(i)] = {ButtonBit(i), FromCp932(LevelButtonName(static_cast<WordLevel>(i)))};
  }
  filterMenu_ = new FilterMenu(view, {acSWOriginal, acSWEntries, acSWWritten}, *acSWNoEntry, levels, this);
  connect(filterMenu_, &FilterMenu::levelToggled, this, [this](int bit) {
    if (const std::optional<LevelMask> mask = MaskAfterLevelClick(Filter().levelMask, bit, LevelClickModifier::Shift)) {
      SetLevelMask(*mask);
    }
    filterMenu_->Sync(Filter());
  });
  connect(filterMenu_, &FilterMenu::allLevelsChosen, this, [this] { SetLevelMask(kAllLevels); });
  connect(filterMenu_, &FilterMenu::properNounChosen, this, [this](int index) {
    if (cbProperNoun->currentIndex() != index) cbProperNoun->setCurrentIndex(index);
  });
}

void TForm1::UpdateFilterImages() {
  for (int i = 0; i < kWordLevelCount; ++i) {
    const bool on = HasLevelBit(Filter().levelMask, ButtonBit(i));
    levelButtons_[static_cast<size_t>(i)]->setIcon(ImageListIcon(on ? kImageSwitchOn : kImageSwitchOff));
  }
  acSWNoEntry->setIcon(levelButtons_[static_cast<size_t>(LevelIndex(WordLevel::None))]->icon());
  filterMenu_->Sync(Filter());
  const std::pair<QAction*, FormMode> forms[] = {
      {acSWWritten, FormMode::Written}, {acSWEntries, FormMode::Headword}, {acSWOriginal, FormMode::Original}};
  for (const auto& [action, mode] : forms) {
    action->setIcon(ImageListIcon(Filter().formMode == mode ? kImageSwitchOn : kImageSwitchOff));
  }
}

void TForm1::LevelButtonClick(int bit, Qt::KeyboardModifiers modifiers) {
  lastLevelBit_ = bit;
  LevelClickModifier modifier = LevelClickModifier::None;
  if (modifiers & Qt::ShiftModifier) {
    modifier = LevelClickModifier::Shift;
  } else if (modifiers & Qt::ControlModifier) {
    modifier = LevelClickModifier::Ctrl;
  } else if (modifiers & Qt::AltModifier) {
    modifier = LevelClickModifier::Alt;
  }
  if (const std::optional<LevelMask> mask = MaskAfterLevelClick(Filter().levelMask, bit, modifier)) {
    SetLevelMask(*mask);
  } else {
    ShowLevelMenu(bit);
  }
}

void TForm1::ShowLevelMenu(int bit) {
  QToolButton* button = levelButtons_[static_cast<size_t>(LevelIndex(WordLevel::None))];
  QString level = Qs("未登録");
  for (int i = 0; i < kWordLevelCount; ++i) {
    if (ButtonBit(i) != bit) continue;
    button = levelButtons_[static_cast<size_t>(i)];
    level = FromCp932(LevelButtonName(static_cast<WordLevel>(i)));
  }
  // The entries name the level; of 含める and 外す only the one that changes
  // something is offered, with the click that does the same.
  const bool shown = HasLevelBit(Filter().levelMask, bit);
  const QString shift = Qs(" (Shift+クリック)");
  QAction* include = pmWordSelector->findChild<QAction*>(QStringLiteral("miWSOn"));
  QAction* exclude = pmWordSelector->findChild<QAction*>(QStringLiteral("miWSOff"));
  include->setText(Qs("「%1」を含める").arg(level) + (shown ? QString() : shift));
  include->setEnabled(!shown);
  exclude->setText(Qs("「%1」を外す").arg(level) + (shown ? shift : QString()));
  exclude->setEnabled(shown);
  pmWordSelector->findChild<QAction*>(QStringLiteral("N10"))->setText(Qs("「%1」だけ (Ctrl+クリック)").arg(level));
  pmWordSelector->popup(button->mapToGlobal(button->rect().bottomLeft()));
}

void TForm1::createLevelMenu() {
  pmWordSelector = new QMenu(this);
  pmWordSelector->setObjectName(QStringLiteral("pmWordSelector"));
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
    if (item.item == LevelMenuItem::Only || item.item == LevelMenuItem::All) pmWordSelector->addSeparator();
    auto* action = new QAction(Qs(item.caption), pmWordSelector);
    pmWordSelector->addAction(action);
    action->setObjectName(QString::fromLatin1(item.name));
    const LevelMenuItem which = item.item;
    connect(action, &QAction::triggered, this,
            [this, which] { SetLevelMask(MaskAfterLevelMenu(Filter().levelMask, lastLevelBit_, which)); });
  }
  for (int i = 0; i < kWordLevelCount; ++i) {
    QToolButton* button = levelButtons_[static_cast<size_t>(i)];
    const int bit = ButtonBit(i);
    button->installEventFilter(this);
    connect(button, &QToolButton::clicked, this, [this, bit] {
      const Qt::KeyboardModifiers modifiers = buttonShift_;
      buttonShift_ = Qt::NoModifier;
      LevelButtonClick(bit, modifiers);
    });
  }
  connect(cbProperNoun, &QComboBox::currentIndexChanged, this, &TForm1::cbProperNounChange);
  // The actions are checkable (the 表示 menu shows their state): a refused
  // change puts the check marks back.
  connect(acSWWritten, &QAction::triggered, this, [this] {
    ToggleFormMode(FormMode::Written);
    filterMenu_->Sync(Filter());
  });
  connect(acSWEntries, &QAction::triggered, this, [this] {
    ToggleFormMode(FormMode::Headword);
    filterMenu_->Sync(Filter());
  });
  connect(acSWOriginal, &QAction::triggered, this, [this] {
    ToggleFormMode(FormMode::Original);
    filterMenu_->Sync(Filter());
  });
  connect(acSWNoEntry, &QAction::triggered, this, [this] {
    acSWNoEntryExecute();
    filterMenu_->Sync(Filter());
  });
  connect(acSortABC, &QAction::triggered, this, [this] { SortList(kSortAlphabetical); });
  connect(acSortNum, &QAction::triggered, this, [this] { SortList(kSortCount); });
  connect(acSortInitial, &QAction::triggered, this, [this] { SortList(kSortFirstAppearance); });
  connect(acAllSelect, &QAction::triggered, this, &TForm1::acAllSelectExecute);
  connect(lvWords->horizontalHeader(), &QHeaderView::sectionClicked, this, &TForm1::lvWordsColumnClick);
  connect(lvWords, &QTableView::doubleClicked, this, &TForm1::lvWordsDblClick);
}

void TForm1::BuildStatisticsReport() {
  const std::vector<std::string> lines = lexiscoop::BuildStatisticsReport(ShownCaption(), run_->Result(), ReportForm::Memo);
  QStringList shown;
  for (const std::string& line : lines) shown << FromCp932(line);
  mmDatas->setPlainText(shown.join(QLatin1Char('\n')));
}

}  // namespace lexiscoop
