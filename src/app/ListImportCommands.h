#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>

class QAction;
class QWidget;

namespace lexiscoop {

class Lexicon;
class TDialogs;

// The imports of word lists from files: a level set of one's own (表示 →
// レベルセット → 読み込み…, one file a level) and words for a known-word list
// (表示 → 既習語リスト → 読み込み…). Every entry is resolved through the
// dictionary; before anything is stored the user sees the import report
// (the lines left out or counted for another headword, and why) and may
// keep the words the dictionary lacks as headwords of their own. The store
// writes the list whole or not at all.
class ListImportCommands : public QObject {
  Q_OBJECT

 public:
  using LexiconSource = std::function<std::shared_ptr<const Lexicon>()>;

  // The lists are stored in `userFolder`; `lexicon` gives the dictionary
  // entries resolve through.
  ListImportCommands(std::string userFolder, TDialogs& dialogs, QWidget& window, LexiconSource lexicon);

  QAction* ImportSetAction() const { return importSet_; }
  QAction* ImportKnownAction() const { return importKnown_; }

  // Asks for the set's name and files, reads them, reports and stores the
  // set; setImported follows a set stored.
  void ImportLevelSet();
  // Asks for the files and the list's name (a list of that name takes the
  // words in addition), reads them, reports and stores the words;
  // knownListImported follows.
  void ImportKnownList();

 signals:
  // `name` (CP932) was stored.
  void setImported(const std::string& name);
  void knownListImported(const std::string& name);

 private:
  std::string userFolder_;
  TDialogs& dialogs_;
  QWidget& window_;
  LexiconSource lexicon_;
  QAction* importSet_ = nullptr;
  QAction* importKnown_ = nullptr;
};

}  // namespace lexiscoop
