#pragma once

// The monkey that drives the main window in monkey_test: its options, its
// pool of texts, its scripted dialogs and the command and check routines.

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "analysis/MyParser.h"
#include "dictionary/ConjugationDictionary.h"
#include "editor/EditorChecks.h"
#include "editor/EditorTexts.h"
#include "editor/widgets/FmEditDic.h"
#include "platform/Compare.h"
#include "platform/Cp932.h"
#include "platform/TextTrim.h"
#include "views/ShownWordList.h"

namespace lexiscoop::monkey {

using namespace lexiscoop::testing;

struct MonkeyOptions {
  uint32_t seed = 1;
  int commands = 5000;
};
inline MonkeyOptions g_options;

// Receives what the model testers report.
inline std::function<void(const QString&)> g_modelFault;

// The texts below hold lines longer than this, which cannot be scanned, and
// lines far shorter.
constexpr size_t kLongLine = 4000;

inline bool HasLongLine(std::string_view text) {
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\r' || text[i] == '\n') {
      if (i - start > kLongLine) return true;
      start = i + 1;
    }
  }
  return false;
}

// True when `path` names a file whose text has a line too long to scan.
inline bool FileHasLongLine(const QString& path) {
  QFile file(path);
  return !path.isEmpty() && QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly) &&
         HasLongLine(file.readAll().toStdString());
}

inline QString FromCp932(std::string_view cp932) { return QString::fromStdString(Utf8FromCp932(cp932)); }

// The fixed texts that the commands choose from (CP932).
struct TextPool {
  std::string english;
  std::string japanese;
  std::string big;        // > 4096 bytes; a double-byte character straddles byte 4096
  std::string longFirst;  // starts with a line longer than the scanner's window
  std::string longLater;  // a line longer than the window after 40 short ones
  std::string blank;
  std::string malformed;  // lead bytes without their trail byte
  std::string huge;       // long enough for a run that pumps many times

  TextPool() {
    english =
        "The dog is running after four cats. Thomas wrote a letter to his wife in Japan.\r\n"
        "I'm here! I've got it. You'd like that, wouldn't you? She had begun; they have left.\r\n"
        "CATS, Cats and cats; the Dog's bone. well-known o'clock 1999 x2 --- '' It is the end\r\n";
    japanese = Sjis(
        "日本語の文章です。The cat は猫です。\r\n"
        "ＡＢＣ ｃａｔ　ｄｏｇ、半角ｶﾅ ﾃｽﾄ and Japan.\r\n"
        "「引用」 write wrote written, leave left.\r\n");
    const std::string line = "cat dog write wife the letter begin Japan zebra\r\n";
    while (big.size() + line.size() <= 4095) big += line;
    big += std::string(4095 - big.size(), 'a');
    big += Sjis("日本語 and more\r\n");
    while (big.size() < 9000) big += line + japanese;
    for (int i = 0; i < 1000; ++i) longFirst += "abcd ";
    longFirst += "\r\nend\r\n";
    for (int i = 0; i < 40; ++i) longLater += "short line\r\n";
    longLater += longFirst;
    blank = " \r\n\t\r\n";
    malformed = "cat \x82\r\ndog \x81\x0A wife \x82";
    std::mt19937 words(7);
    for (int i = 0; i < 300000; ++i) {
      huge += 'w';
      huge += std::to_string(words() % 20000);
      huge += i % 12 == 11 ? "\r\n" : " ";
    }
  }
};

const char* const kVocabulary[] = {
    "the", "The", "a", "cat", "cats", "Cats", "dog", "dogs", "be", "is", "are", "was", "were", "been",
    "begin", "began", "begun", "beginning", "write", "wrote", "written", "writing", "wife", "wives", "leave",
    "left", "go", "went", "gone", "run", "ran", "have", "had", "do", "did", "I", "you", "it", "his", "in",
    "to", "Japan", "JAPAN", "Thomas", "zebra", "Zebra", "caat", "o'clock", "well-known", "don't", "I'm",
    "x2", "1999", "---", "ｃａｔ", "ＤＯＧ", "日本", "猫", "、", "。",
    // Words that sort differently under each plausible comparison: '_' lies
    // between 'Z' and 'a', hyphens and apostrophes count, digits come first.
    "snake_case", "snakes", "x_ray", "xray", "X-ray", "can-do", "canal", "Canada", "can't", "10", "2nd",
    "a_b", "aab"};

// Message boxes and the open dialog answered by the monkey; what they are
// shown goes to `onInform` and `onFail`.
class MonkeyDialogs final : public TDialogs {
 public:
  void Inform(QWidget*, const QString& text) override {
    if (onInform) onInform(text);
  }
  void Fail(QWidget*, const QString& text) override {
    if (onFail) onFail(text);
  }
  bool Ask(QWidget*, const QString& text) override { return onAsk ? onAsk(text) : false; }
  void Beep() override {}
  QString ChooseTextFile(QWidget*, const QString&) override { return chosenFile; }
  bool OpenUrl(const QUrl&) override { return true; }

  std::function<void(const QString&)> onInform;
  std::function<void(const QString&)> onFail;
  std::function<bool(const QString&)> onAsk;
  QString chosenFile;
};

class Monkey {
 public:
  Monkey(ProgramFolder& folder, uint32_t seed);
  Monkey(const Monkey&) = delete;
  Monkey& operator=(const Monkey&) = delete;

  // Runs `count` commands, checking after each; returns the first fault
  // found (with the commands before it), or an empty string.
  QString Run(int count);
  // What the run did, for the log.
  QString Figures() const;

 private:
  using Command = void (Monkey::*)();
  struct CommandKind {
    const char* name;
    int weight;
    Command run;
  };
  static const std::vector<CommandKind>& Commands();

  // Randomness.
  int Pick(int n) { return static_cast<int>(rng_() % static_cast<uint32_t>(n)); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
  template <class T, size_t N>
  const T& PickOf(const T (&items)[N]) {
    return items[Pick(static_cast<int>(N))];
  }

  void Log(const QString& what);
  void Violation(const QString& what);
  void RunRandomCommand();
  void ArmInterrupt();
  void Interrupt();

  // Commands.
  void SetText();
  void Extract();
  void Stop();
  void Sort();
  void FormFilter();
  void LevelFilter();
  void LevelMenu();
  void ProperNoun();
  void Select();
  void Copy();
  void Search();
  void DoubleClick();
  void EditorSession();
  void Information();
  void CloseWindow();

  // The editor's steps, run inside its modal loop.
  void EditorScript(int steps);
  void EditorStep();

  // Input as a user gives it: refused for a widget that is disabled or
  // hidden, which no key or click reaches.
  bool Reachable(QWidget* widget, const char* name);
  void Key(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void Type(QWidget* widget, const QString& text);
  void ClickRow(QTableView* view, int row, Qt::KeyboardModifiers modifiers, bool twice = false);
  void Drop(const QList<QUrl>& urls);

  const std::string& ChooseText();
  QString ChooseFile();

  // Checks.
  QString CheckWindow() const;
  QString CheckLive() const;
  QString CheckDictionary() const;
  QString CheckEditor() const;
  // The rows are in the order of a sort by `key` in the given direction.
  QString CheckSorted(int key, bool descending) const;
  QString ExpectedCopy(bool withCounts) const;

  QAction* Action(const char* name) const { return form_->findChild<QAction*>(QString::fromLatin1(name)); }
  template <class T>
  T* Child(QObject* parent, const char* name) const {
    T* child = parent->findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) qFatal("no child %s", name);
    return child;
  }

  ProgramFolder& folder_;
  std::mt19937 rng_;
  uint32_t seed_;
  TextPool texts_;
  std::string randomText_;
  std::vector<QString> files_;
  QString subFolder_;
  MonkeyDialogs dialogs_;
  std::unique_ptr<TForm1> form_;

  // Widgets of the window and the editor.
  QTableView* lvWords_ = nullptr;
  QLineEdit* edWord_ = nullptr;
  QListWidget* lbWordsMenu_ = nullptr;
  QComboBox* cbProperNoun_ = nullptr;
  QToolButton* tbAnalizeStart_ = nullptr;
  QMenu* pmWordSelector_ = nullptr;
  QTabWidget* pcMemo_ = nullptr;
  QWidget* tsDatas_ = nullptr;
  TfrmEditDic* editor_ = nullptr;

  std::unique_ptr<QAbstractItemModelTester> wordsTester_;
  std::unique_ptr<QAbstractItemModelTester> editorTester_;

  QTimer interrupt_;
  int interruptDelay_ = 0;  // pumps to let pass before the interrupt
  static constexpr int kMaxDepth = 2;
  int depth_ = 0;  // the interrupts under way
  bool countersValid_ = true;
  bool stopAsked_ = false;
  bool fileFailureExpected_ = false;
  int index_ = 0;
  QString fault_;
  std::deque<QString> history_;

  // Figures.
  std::map<QString, int> commandCounts_;
  std::map<QString, int> interrupts_;
  int runsCompleted_ = 0, runsStopped_ = 0, runsFailed_ = 0;
  int stoppedMidScan_ = 0;
  int informs_ = 0, fails_ = 0, asks_ = 0, yes_ = 0;
  int records_ = 0, deletes_ = 0;
  int closedAfterRun_ = 0;
  int maxRows_ = 0;
  int32_t maxTokens_ = 0;
  int checks_ = 0;
};

}  // namespace lexiscoop::monkey
