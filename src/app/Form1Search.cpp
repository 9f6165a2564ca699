// The word search box edWord and its floating list of suggestions.

#include <QApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTableView>
#include <algorithm>

#include "app/Form1.h"
#include "platform/Compare.h"
#include "platform/Cp932.h"
#include "platform/TextTrim.h"
#include "views/ShownWordList.h"
#include "views/widgets/WordListModel.h"

namespace lexiscoop {
namespace {

constexpr int kSearchMenuWidth = 200;

}  // namespace

void TForm1::createSearchMenu() {
  // A borderless window of its own beside the main window, hidden until a
  // search offers words; it lives as long as the main window.
  lbWordsMenu = new QListWidget(this);
  lbWordsMenu->setObjectName(QStringLiteral("lbWordsMenu"));
  lbWordsMenu->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
  lbWordsMenu->setAttribute(Qt::WA_ShowWithoutActivating);
  lbWordsMenu->setUniformItemSizes(true);  // one line each: no per-item layout
  lbWordsMenu->setMouseTracking(true);
  lbWordsMenu->viewport()->setMouseTracking(true);
  lbWordsMenu->viewport()->installEventFilter(this);
  lbWordsMenu->installEventFilter(this);
  lbWordsMenu->move(-kSearchMenuWidth, 0);
  lbWordsMenu->hide();
  connect(lbWordsMenu, &QListWidget::itemClicked, this, &TForm1::JumpToWord);
  // Enter in the list, once the mouse has given it the focus, jumps too.
  connect(lbWordsMenu, &QListWidget::itemActivated, this, &TForm1::JumpToWord);
  connect(edWord, &QLineEdit::textChanged, this, &TForm1::edWordChange);
  edWord->installEventFilter(this);
}

void TForm1::HideSearchMenu() {
  if (lbWordsMenu != nullptr) lbWordsMenu->hide();
}

void TForm1::edWordChange() {
  const std::string typed = Cp932FromUtf8(edWord->text().toStdString());
  const std::string_view query = TrimBlanks(typed);
  lbWordsMenu->clear();
  if (query.empty()) return;

  std::vector<std::string_view> words;
  for (int i = 0; i < shown_->FormCount(); ++i) {
    const std::string_view word = shown_->FormAt(i);
    if (word.size() >= query.size() && SameText(word.substr(0, query.size()), query)) {
      words.push_back(word);
    }
  }
  std::stable_sort(words.begin(), words.end(),
                   [](std::string_view a, std::string_view b) { return CompareText(a, b) < 0; });
  QStringList items;
  items.reserve(static_cast<qsizetype>(words.size()));
  for (std::string_view word : words) items << QString::fromStdString(Utf8FromCp932(word));
  lbWordsMenu->addItems(items);  // one insertion, however many words

  // Below the search box, as tall as its entries, but never past the
  // bottom of the screen.
  const QPoint topLeft = edWord->mapToGlobal(QPoint(0, edWord->height()));
  const int frame = lbWordsMenu->height() - lbWordsMenu->viewport()->height();
  // One line of the list: its row as this style draws it, which is taller
  // than the letters alone; the entries fit without a scroll bar.
  const int line = lbWordsMenu->count() > 0 ? lbWordsMenu->sizeHintForRow(0)
                                            : lbWordsMenu->fontMetrics().boundingRect(QStringLiteral("T")).height();
  int height = line * lbWordsMenu->count() + frame;
  if (const QScreen* screen = edWord->screen()) {
    height = std::min(height, screen->geometry().bottom() + 1 - topLeft.y());
  }
  lbWordsMenu->setGeometry(topLeft.x(), topLeft.y(), kSearchMenuWidth, std::max(height, frame));
  lbWordsMenu->show();
  lbWordsMenu->raise();
  if (lbWordsMenu->count() > 0) lbWordsMenu->setCurrentRow(0);
  edWord->setFocus();
  // The typed text stays as typed, the caret at its end, however many words
  // match: the next letter narrows the search rather than replacing it.
  edWord->setCursorPosition(static_cast<int>(edWord->text().size()));
}

void TForm1::MoveSearchPick(int delta) {
  const int row = lbWordsMenu->currentRow() + delta;
  if (row >= 0 && row < lbWordsMenu->count()) lbWordsMenu->setCurrentRow(row);
}

bool TForm1::edWordKeyDown(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      JumpToWord();
      return true;
    case Qt::Key_Escape:
      HideSearchMenu();
      return false;
    case Qt::Key_Up:
      MoveSearchPick(-1);
      return true;
    case Qt::Key_Down:
      MoveSearchPick(+1);
      return true;
    default:
      return false;
  }
}

void TForm1::JumpToWord() {
  HideSearchMenu();
  QListWidgetItem* picked = lbWordsMenu->currentItem();
  if (picked != nullptr && !Rebuilding() && !Running()) {
    const std::string target = Cp932FromUtf8(picked->text().toStdString());
    QItemSelectionModel* selection = lvWords->selectionModel();
    for (int row = 0; row < wordModel_->rowCount(); ++row) {
      if (CompareOrdinalUpper(shown_->WordOfRow(row), target) != 0) continue;
      const QModelIndex index = wordModel_->index(row, 0);
      lvWords->scrollTo(index, QAbstractItemView::EnsureVisible);
      selection->setCurrentIndex(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
  }
  lvWords->setFocus();
}

}  // namespace lexiscoop
