#include "app/WordSearchBox.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QScreen>
#include <QTableView>
#include <algorithm>

#include "app/WordListController.h"
#include "platform/Cp932.h"
#include "platform/TextTrim.h"

namespace lexiscoop {
namespace {

constexpr int kSearchMenuWidth = 200;

}  // namespace

WordSearchBox::WordSearchBox(QLineEdit& box, QTableView& list, WordListController& words, QWidget& window)
    : QObject(&window), box_(box), list_(list), words_(words), window_(window) {
  menu_ = new QListWidget(&window);
  menu_->setObjectName(QStringLiteral("lbWordsMenu"));
  menu_->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
  menu_->setAttribute(Qt::WA_ShowWithoutActivating);
  menu_->setUniformItemSizes(true);  // one line each: no per-item layout
  menu_->setMouseTracking(true);
  menu_->viewport()->setMouseTracking(true);
  menu_->viewport()->installEventFilter(this);
  menu_->move(-kSearchMenuWidth, 0);
  menu_->hide();
  connect(menu_, &QListWidget::itemClicked, this, &WordSearchBox::JumpToPick);
  // Enter in the list, once the mouse has given it the focus, jumps too.
  connect(menu_, &QListWidget::itemActivated, this, &WordSearchBox::JumpToPick);
  box_.installEventFilter(this);
  window_.installEventFilter(this);
  list_.viewport()->installEventFilter(this);
}

void WordSearchBox::Hide() { menu_->hide(); }

void WordSearchBox::OfferWords() {
  const std::string typed = Cp932FromUtf8(box_.text().toStdString());
  const std::string_view query = TrimBlanks(typed);
  menu_->clear();
  if (query.empty()) return;

  const std::vector<std::string_view> words = words_.WordsStartingWith(query);
  QStringList items;
  items.reserve(static_cast<qsizetype>(words.size()));
  for (std::string_view word : words) items << QString::fromStdString(Utf8FromCp932(word));
  menu_->addItems(items);  // one insertion, however many words

  // Below the search box, as tall as its entries, but never past the
  // bottom of the screen.
  const QPoint topLeft = box_.mapToGlobal(QPoint(0, box_.height()));
  const int frame = menu_->height() - menu_->viewport()->height();
  // One line of the list: its row as this style draws it, which is taller
  // than the letters alone; the entries fit without a scroll bar.
  const int line = menu_->count() > 0 ? menu_->sizeHintForRow(0)
                                      : menu_->fontMetrics().boundingRect(QStringLiteral("T")).height();
  int height = line * menu_->count() + frame;
  if (const QScreen* screen = box_.screen()) {
    height = std::min(height, screen->geometry().bottom() + 1 - topLeft.y());
  }
  menu_->setGeometry(topLeft.x(), topLeft.y(), kSearchMenuWidth, std::max(height, frame));
  menu_->show();
  menu_->raise();
  if (menu_->count() > 0) menu_->setCurrentRow(0);
  box_.setFocus();
  // The typed text stays as typed, the caret at its end, however many words
  // match: the next letter narrows the search rather than replacing it.
  box_.setCursorPosition(static_cast<int>(box_.text().size()));
}

void WordSearchBox::MovePick(int delta) {
  const int row = menu_->currentRow() + delta;
  if (row >= 0 && row < menu_->count()) menu_->setCurrentRow(row);
}

bool WordSearchBox::KeyDown(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      JumpToPick();
      return true;
    case Qt::Key_Escape:
      Hide();
      return false;
    case Qt::Key_Up:
      MovePick(-1);
      return true;
    case Qt::Key_Down:
      MovePick(+1);
      return true;
    default:
      return false;
  }
}

void WordSearchBox::JumpToPick() {
  Hide();
  if (const QListWidgetItem* picked = menu_->currentItem()) {
    words_.JumpToWord(Cp932FromUtf8(picked->text().toStdString()));
  }
  list_.setFocus();
}

bool WordSearchBox::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == &window_ && event->type() == QEvent::Move) ||
      (watched == list_.viewport() && event->type() == QEvent::MouseButtonPress)) {
    Hide();
  }
  if (watched == &box_ && event->type() == QEvent::KeyPress) {
    if (KeyDown(static_cast<QKeyEvent*>(event)->key())) return true;
  }
  if (watched == menu_->viewport() && event->type() == QEvent::MouseMove) {
    // The pick follows the mouse without a click.
    if (QListWidgetItem* item = menu_->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint())) {
      menu_->setCurrentItem(item);
      menu_->setFocus();
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace lexiscoop
