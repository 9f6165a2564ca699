#include "app/ListPaneLayout.h"

#include <QEvent>
#include <QHeaderView>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <algorithm>
#include <optional>
#include <span>
#include <vector>

#include "app/AppTexts.h"
#include "app/WindowSettings.h"
#include "platform/IniFile.h"
#include "views/WordListColumns.h"
#include "views/widgets/WordListModel.h"

namespace lexiscoop {

ListPaneLayout::ListPaneLayout(QSplitter& splitter, QTableView& list, QObject* parent)
    : QObject(parent), splitter_(splitter), list_(list) {
  // A drag on a column's edge gives it the user's own width.
  connect(list_.horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
    if (sizing_ || list_.isColumnHidden(column) || size <= 0) return;
    if (column == WordListModel::kGlossColumn) {
      glossWidthChosen_ = true;
    } else {
      KeepColumnWidths();
      widths_[static_cast<size_t>(column)] = size;
    }
  });
  splitter_.installEventFilter(this);
}

void ListPaneLayout::WindowShown() {
  if (windowShown_) return;
  windowShown_ = true;
  Fit();
}

void ListPaneLayout::RowsChanged() {
  // The 訳語 column fits the glosses now shown, while its width and the
  // panes' share are the program's to choose.
  if (windowShown_ && !listPaneChosen_ && !glossWidthChosen_) Fit();
}

void ListPaneLayout::ShowGloss(bool shown) {
  // A hidden section has no width; the one it had is kept for the settings.
  if (!shown && !list_.isColumnHidden(WordListModel::kGlossColumn)) {
    glossWidth_ = list_.horizontalHeader()->sectionSize(WordListModel::kGlossColumn);
  }
  sizing_ = true;
  list_.setColumnHidden(WordListModel::kGlossColumn, !shown);
  sizing_ = false;
  if (windowShown_ && !listPaneChosen_) Fit();
}

bool ListPaneLayout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &splitter_ && event->type() == QEvent::Resize && windowShown_ && !listPaneChosen_) {
    const auto* resize = static_cast<QResizeEvent*>(event);
    // Until the user moves the splitter, a new width is shared afresh.
    if (resize->size().width() != resize->oldSize().width()) Fit();
  }
  return QObject::eventFilter(watched, event);
}

void ListPaneLayout::Fit() {
  // The list takes what its columns need, the glosses included, as far as
  // the text pane keeps a usable width; where the window is narrow the
  // glosses take their room from the text pane first, then from the blank
  // space of the other columns.
  RestoreColumns();
  QHeaderView* header = list_.horizontalHeader();
  const int chrome = 2 * list_.frameWidth() + list_.verticalScrollBar()->sizeHint().width() + 2;
  const auto widthWithoutGloss = [&] {
    int width = chrome;
    for (int column = 0; column < header->count(); ++column) {
      if (!list_.isColumnHidden(column) && column != WordListModel::kGlossColumn) width += header->sectionSize(column);
    }
    return width;
  };
  int withoutGloss = widthWithoutGloss();
  const int total = splitter_.width() - splitter_.handleWidth();
  const bool glossShown = !list_.isColumnHidden(WordListModel::kGlossColumn);
  const bool fitGloss = glossShown && !glossWidthChosen_;
  // The text pane keeps 30% of the width, no less than its minimum.
  const QWidget* textPane = splitter_.widget(0);
  const int textFloor = std::max(textPane != nullptr ? textPane->minimumWidth() : 0, total * 3 / 10);
  const int listRoom = std::max(0, total - textFloor);
  if (fitGloss) {
    // The glosses take the width of the longest among the first rows (the
    // commonest words after a sort by count), no narrower than a word or
    // two and no wider than three glosses need, as far as the list's room
    // allows; longer ones are elided, whole in the tooltip.
    const QFontMetrics metrics = list_.fontMetrics();
    const int least = metrics.horizontalAdvance(QString(5, QChar(0x3042))) + 12;
    const int most = metrics.horizontalAdvance(QString(16, QChar(0x3042))) + 12;
    const QAbstractItemModel& model = *list_.model();
    // Before a run, room for the glosses to come.
    const int rows = std::min(model.rowCount(), 100);
    int wanted = rows > 0 ? least : most;
    for (int row = 0; row < rows; ++row) {
      const QString gloss = model.index(row, WordListModel::kGlossColumn).data().toString();
      wanted = std::max(wanted, metrics.horizontalAdvance(gloss) + 12);
    }
    wanted = std::min(wanted, most);
    if (rows > 0 && listRoom - withoutGloss < wanted) {
      SqueezeColumns(wanted - (listRoom - withoutGloss));
      withoutGloss = widthWithoutGloss();
    }
    sizing_ = true;
    header->resizeSection(WordListModel::kGlossColumn, std::clamp(listRoom - withoutGloss, least, wanted));
    sizing_ = false;
  }
  const int all = withoutGloss + (glossShown ? header->sectionSize(WordListModel::kGlossColumn) : 0);
  // A fitted gloss column is shown whole as far as the text pane keeps its
  // floor; a width of the user's own may leave it to the scroll bar.
  const int share = fitGloss ? listRoom : std::max(total * 45 / 100, withoutGloss);
  const int list = std::min({all, share, fitGloss ? listRoom : total * 2 / 3});
  splitter_.setSizes({total - list, list});
}

void ListPaneLayout::KeepColumnWidths() {
  // The widths the columns have when first asked for are their own.
  const QHeaderView* header = list_.horizontalHeader();
  if (widths_.size() == static_cast<size_t>(header->count())) return;
  const std::span<const WordListColumn* const> columns = WindowColumns();
  widths_.resize(static_cast<size_t>(header->count()));
  for (int column = 0; column < header->count(); ++column) {
    // A hidden column has no width now; it takes its design width.
    const size_t c = static_cast<size_t>(column);
    const int now = header->sectionSize(column);
    widths_[c] = now > 0 || c >= columns.size() ? now : columns[c]->designWidth;
  }
}

void ListPaneLayout::RestoreColumns() {
  KeepColumnWidths();
  QHeaderView* header = list_.horizontalHeader();
  sizing_ = true;
  for (int column = 0; column < header->count(); ++column) {
    const int own = widths_[static_cast<size_t>(column)];
    if (column != WordListModel::kGlossColumn && !list_.isColumnHidden(column) && own > 0 &&
        header->sectionSize(column) != own) {
      header->resizeSection(column, own);
    }
  }
  sizing_ = false;
}

void ListPaneLayout::SqueezeColumns(int excess) {
  // Each shown column gives up its blank space in proportion to how much
  // it has: what its caption and the first rows need stays.
  QHeaderView* header = list_.horizontalHeader();
  std::vector<int> blank(static_cast<size_t>(header->count()), 0);
  int allBlank = 0;
  for (int column = 0; column < header->count(); ++column) {
    if (column == WordListModel::kGlossColumn || list_.isColumnHidden(column)) continue;
    const int needed = std::max(header->sectionSizeHint(column), static_cast<const QAbstractItemView&>(list_).sizeHintForColumn(column));
    blank[static_cast<size_t>(column)] = std::max(0, header->sectionSize(column) - needed);
    allBlank += blank[static_cast<size_t>(column)];
  }
  if (allBlank == 0 || excess <= 0) return;
  const int saved = std::min(excess, allBlank);
  int left = saved;
  sizing_ = true;
  for (int column = 0; column < header->count() && left > 0; ++column) {
    const int own = blank[static_cast<size_t>(column)];
    if (own == 0) continue;
    // Rounded up, so that the last pixels are found; never past the blank.
    const int given = std::min({left, own, (own * saved + allBlank - 1) / allBlank});
    header->resizeSection(column, header->sectionSize(column) - given);
    left -= given;
  }
  sizing_ = false;
}

void ListPaneLayout::Read(const TIniFile& ini) {
  ApplyColumnWidths(ini.ReadString(texts::kSettingsSection, "ColWidth", ""));
  const std::vector<std::optional<int>> glossWidth =
      ParseColumnWidths(ini.ReadString(texts::kSettingsSection, "GlossWidth", ""));
  if (!glossWidth.empty() && glossWidth[0] && *glossWidth[0] > 0 && *glossWidth[0] <= 10000) {
    list_.horizontalHeader()->resizeSection(WordListModel::kGlossColumn, *glossWidth[0]);
    glossWidthChosen_ = true;
  }
}

void ListPaneLayout::Write(TIniFile& ini) const {
  ini.WriteString(texts::kSettingsSection, "ColWidth", ColumnWidthsText());
  const int glossWidth = list_.isColumnHidden(WordListModel::kGlossColumn)
                             ? glossWidth_
                             : list_.horizontalHeader()->sectionSize(WordListModel::kGlossColumn);
  // Only a width the user gave it: a fitted one follows the window.
  if (glossWidthChosen_) ini.WriteString(texts::kSettingsSection, "GlossWidth", std::to_string(glossWidth));
}

void ListPaneLayout::ApplyColumnWidths(const std::string& value) {
  const std::vector<std::optional<int>> widths = ParseColumnWidths(value);
  const std::span<const WordListColumn* const> columns = WindowColumns();
  QHeaderView* header = list_.horizontalHeader();
  for (size_t c = 0; c < columns.size() && c < widths.size(); ++c) {
    const std::optional<int>& width = widths[c];
    // A width that is not a number, or not a usable one, keeps the column
    // as it is; a column with a setting of its own (訳語) reads that.
    if (columns[c]->ownWidthSetting || !width || *width < 0 || *width > 10000) continue;
    header->resizeSection(static_cast<int>(c), *width);
    KeepColumnWidths();
    widths_[c] = *width;
  }
}

std::string ListPaneLayout::ColumnWidthsText() const {
  std::vector<std::optional<int>> widths;
  const std::span<const WordListColumn* const> columns = WindowColumns();
  const QHeaderView* header = list_.horizontalHeader();
  // A hidden column has no width to keep; the 訳語 column's is kept on its
  // own (GlossWidth). A column narrowed for a narrow window keeps its own.
  for (size_t c = 0; c < columns.size(); ++c) {
    const int column = static_cast<int>(c);
    if (columns[c]->ownWidthSetting || list_.isColumnHidden(column)) {
      widths.emplace_back();
    } else {
      widths.emplace_back(c < widths_.size() ? widths_[c] : header->sectionSize(column));
    }
  }
  return FormatColumnWidths(widths);
}

}  // namespace lexiscoop
