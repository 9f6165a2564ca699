#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <deque>
#include <memory>
#include <string>

#include "app/Form1.h"
#include "ui/Dialogs.h"

namespace lexiscoop::testing {

// Message boxes that answer from a script and remember what they were shown.
class ScriptedDialogs final : public TDialogs {
 public:
  void Inform(QWidget*, const QString& text) override { informed << text; }
  void Fail(QWidget*, const QString& text) override { failed << text; }
  bool Ask(QWidget*, const QString& text) override {
    asked << text;
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void Beep() override { ++beeps; }
  QString ChooseTextFile(QWidget*, const QString& folder) override {
    openFolders << folder;
    return chosenFile;
  }
  QString ChooseExportFile(QWidget*, const QString& suggested) override {
    exportSuggestions << suggested;
    return exportFile;
  }
  QStringList ChooseTextFiles(QWidget*) override { return chosenFiles; }
  QString ChooseFolder(QWidget*) override { return chosenFolder; }
  QString AskText(QWidget*, const QString&) override { return typedText; }
  QStringList ChooseListFiles(QWidget*, bool) override { return chosenFiles; }
  int AskChoice(QWidget*, const QString& text, const QString& details, const QStringList& buttons) override {
    asked << text + QStringLiteral("\n") + details + QStringLiteral("\n") + buttons.join(QLatin1Char('|'));
    return choice;
  }
  bool OpenUrl(const QUrl& url) override {
    opened << url;
    return hasOpener;
  }

  QStringList informed;
  QStringList failed;
  QStringList asked;
  std::deque<bool> answers;
  int beeps = 0;
  QString chosenFile;
  QStringList openFolders;  // the folder each open dialog showed first
  QString exportFile;
  QStringList exportSuggestions;  // the path each save dialog proposed
  QStringList chosenFiles;
  QString chosenFolder;
  QString typedText;  // what AskText answers
  int choice = 0;      // what AskChoice answers
  QList<QUrl> opened;
  bool hasOpener = true;  // what OpenUrl answers: a program is registered
};

// A program folder of its own with a small dictionary and level lists, a
// settings file inside it, and scripted dialogs.
class ProgramFolder {
 public:
  // `withDictionary` false leaves the dictionary files out.
  explicit ProgramFolder(bool withDictionary = true);

  QString Path() const { return dir_.path(); }
  QString FilePath(const QString& name) const { return dir_.filePath(name); }
  std::string SettingsPath() const { return dir_.filePath(QStringLiteral("config/lexiscoop.ini")).toStdString(); }
  TForm1Options Options();
  // Writes `bytes` as the file `name` in the folder; returns its path.
  QString WriteFile(const QString& name, const std::string& bytes) const;
  std::string ReadSettings() const;

  ScriptedDialogs dialogs;

 private:
  QTemporaryDir dir_;
};

// The text (CP932) of a UTF-8 literal.
std::string Sjis(const char* utf8);

// A QString of a UTF-8 literal.
inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// Words of the fixture dictionary: begin, be, cat, dog, write, wife, leave...
// Level lists: Basic 14 words, Junior 10, ToUniversity 2, General missing.
inline constexpr int kBasicCount = 14;
inline constexpr int kJuniorCount = 10;
inline constexpr int kToUniversityCount = 2;

}  // namespace lexiscoop::testing
