#pragma once

#include <QObject>

class QLineEdit;
class QListWidget;
class QTableView;
class QWidget;

namespace lexiscoop {

class WordListController;

// The search box edWord and its floating list of suggestions lbWordsMenu:
// typing offers the shown words that begin with the text, Up and Down move
// the pick, Enter or a click jumps to the picked word in the list.
class WordSearchBox : public QObject {
  Q_OBJECT

 public:
  // The suggestions are a borderless window of their own owned by
  // `window`, hidden until a search offers words, and hidden again when the
  // window moves (they do not follow it) or the list is pressed.
  WordSearchBox(QLineEdit& box, QTableView& list, WordListController& words, QWidget& window);

  QListWidget* Menu() const { return menu_; }
  // Offers the words that begin with the box's text (trimmed), below the box.
  void OfferWords();
  // Hides the suggestions and selects the rows of the picked word.
  void JumpToPick();
  void Hide();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void MovePick(int delta);
  // Enter, Escape, Up and Down in the box; true when the key is used up.
  bool KeyDown(int key);

  QLineEdit& box_;
  QTableView& list_;
  WordListController& words_;
  QWidget& window_;
  QListWidget* menu_ = nullptr;
};

}  // namespace lexiscoop
