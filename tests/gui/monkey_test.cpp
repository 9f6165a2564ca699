// A monkey test of the main window: thousands of random commands given as a
// user gives them (texts pasted, loaded, dropped or set; Extract and Stop;
// sorts, filters, selections, searches, copies; records and deletes in the
// dictionary editor, its questions answered at random), some of them from
// inside the event pumps of a text set, a run or a rebuild. After every
// command the shown word list, the list view, the word table, the level
// counters and the dictionary must still agree.
//
// Options after Qt Test's own: --seed N (default 1) and --commands N
// (default 5000). A failure names the seed, the command and the commands
// before it.

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
#include "views/ShownWordList.h"

using namespace lexiscoop;
using namespace lexiscoop::testing;

namespace {

struct MonkeyOptions {
  uint32_t seed = 1;
  int commands = 5000;
};
MonkeyOptions g_options;

// Receives what the model testers report.
std::function<void(const QString&)> g_modelFault;

// The texts below hold lines longer than this, which cannot be scanned, and
// lines far shorter.
constexpr size_t kLongLine = 4000;

bool HasLongLine(std::string_view text) {
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\r' || text[i] == '\n') {
      if (i - start > kLongLine) return true;
      start = i + 1;
    }
  }
  return false;
}

QString FromCp932(std::string_view cp932) { return QString::fromStdString(Utf8FromCp932(cp932)); }

// The fixed texts that the commands choose from (CP932).
struct TextPool {
  std::string english;
  std::string japanese;
  std::string big;        // > 4096 bytes; a double-byte character straddles byte 4096
  std::string longFirst;  // starts with a line too long to scan
  std::string longLater;  // a line too long to scan after 40 short ones
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
    "x2", "1999", "---", "ｃａｔ", "ＤＯＧ", "日本", "猫", "、", "。"};

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
  QString ChooseTextFile(QWidget*) override { return chosenFile; }
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
  QString CheckSorted() const;
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

const std::vector<Monkey::CommandKind>& Monkey::Commands() {
  static const std::vector<CommandKind> commands = {
      {"text", 10, &Monkey::SetText},        {"extract", 12, &Monkey::Extract},
      {"sort", 8, &Monkey::Sort},            {"form", 6, &Monkey::FormFilter},
      {"level", 6, &Monkey::LevelFilter},    {"proper-noun", 3, &Monkey::ProperNoun},
      {"select", 10, &Monkey::Select},       {"copy", 8, &Monkey::Copy},
      {"search", 12, &Monkey::Search},       {"double-click", 2, &Monkey::DoubleClick},
      {"editor", 4, &Monkey::EditorSession}, {"information", 1, &Monkey::Information},
      {"close", 1, &Monkey::CloseWindow},
  };
  return commands;
}

Monkey::Monkey(ProgramFolder& folder, uint32_t seed) : folder_(folder), rng_(seed), seed_(seed) {
  // Files to load or drop: the fixed texts, UTF-8 and UTF-16 ones, a name
  // that does not exist and a folder.
  const std::pair<const char*, const std::string*> named[] = {
      {"english.txt", &texts_.english}, {"japanese.txt", &texts_.japanese}, {"big.txt", &texts_.big},
      {"long-first.txt", &texts_.longFirst}, {"long-later.txt", &texts_.longLater},
      {"blank.txt", &texts_.blank}, {"malformed.txt", &texts_.malformed}};
  for (const auto& [name, text] : named) files_.push_back(folder_.WriteFile(QString::fromLatin1(name), *text));
  files_.push_back(folder_.WriteFile(QStringLiteral("empty.txt"), std::string()));
  files_.push_back(folder_.WriteFile(QStringLiteral("utf8.txt"), Utf8FromCp932(texts_.japanese)));
  const QString utf16 = FromCp932(texts_.japanese);
  std::string utf16Bytes = "\xFF\xFE";
  for (const QChar c : utf16) {
    utf16Bytes += static_cast<char>(c.unicode() & 0xFF);
    utf16Bytes += static_cast<char>(c.unicode() >> 8);
  }
  files_.push_back(folder_.WriteFile(QStringLiteral("utf16.txt"), utf16Bytes));
  files_.push_back(folder_.FilePath(QStringLiteral("missing.txt")));
  subFolder_ = folder_.FilePath(QStringLiteral("folder.txt"));
  QDir().mkpath(subFolder_);

  dialogs_.onInform = [this](const QString& text) {
    ++informs_;
    if (editor_ != nullptr && editor_->isVisible()) {
      const std::string headword(TrimBlanks(Cp932FromUtf8(
          editor_->findChild<QLineEdit*>(QStringLiteral("edInflictions"))->text().toStdString())));
      if (text == FromCp932(NotWrittenMessage(headword))) Violation(QStringLiteral("the editor's change was not written: ") + text);
      if (text == FromCp932(DictionaryUnreadableMessage(form_->Dictionary().UserDictionaryPath()))) {
        Violation(QStringLiteral("the user's dictionary became unreadable"));
      }
    }
  };
  dialogs_.onFail = [this](const QString& text) {
    ++fails_;
    const bool expected =
        fileFailureExpected_ || (form_ != nullptr && HasLongLine(form_->Parser().FullText()));
    if (!expected) Violation(QStringLiteral("unexpected failure shown: ") + text);
  };
  dialogs_.onAsk = [this](const QString& text) {
    ++asks_;
    const bool yes = Chance(0.75);
    yes_ += yes ? 1 : 0;
    Log(QStringLiteral("  asked «%1» -> %2").arg(text.left(40).simplified(), yes ? "Yes" : "No"));
    return yes;
  };

  QApplication::setQuitOnLastWindowClosed(false);
  TForm1Options options = folder_.Options();
  options.dialogs = &dialogs_;
  form_ = std::make_unique<TForm1>(options);
  form_->show();
  if (!QTest::qWaitForWindowExposed(form_.get())) Violation(QStringLiteral("the window was never exposed"));
  lvWords_ = Child<QTableView>(form_.get(), "lvWords");
  edWord_ = Child<QLineEdit>(form_.get(), "edWord");
  lbWordsMenu_ = Child<QListWidget>(form_.get(), "lbWordsMenu");
  cbProperNoun_ = Child<QComboBox>(form_.get(), "cbProperNoun");
  tbAnalizeStart_ = Child<QToolButton>(form_.get(), "tbAnalizeStart");
  pmWordSelector_ = Child<QMenu>(form_.get(), "pmWordSelector");
  pcMemo_ = Child<QTabWidget>(form_.get(), "pcMemo");
  tsDatas_ = Child<QWidget>(form_.get(), "tsDatas");
  editor_ = &form_->Editor();
  g_modelFault = [this](const QString& message) { Violation(QStringLiteral("model tester: ") + message); };
  using Tester = QAbstractItemModelTester;
  wordsTester_ = std::make_unique<Tester>(lvWords_->model(), Tester::FailureReportingMode::Warning);
  editorTester_ = std::make_unique<Tester>(Child<QTableView>(editor_, "lvDic")->model(),
                                           Tester::FailureReportingMode::Warning);

  interrupt_.setSingleShot(true);
  interrupt_.setInterval(0);
  QObject::connect(&interrupt_, &QTimer::timeout, [this] {
    if (interruptDelay_-- > 0) {
      interrupt_.start();
    } else {
      Interrupt();
    }
  });
}

void Monkey::Log(const QString& what) {
  history_.push_back(QStringLiteral("#%1%2 %3").arg(index_).arg(QStringLiteral(" [pump]").repeated(depth_), what));
  if (history_.size() > 60) history_.pop_front();
}

void Monkey::Violation(const QString& what) {
  if (!fault_.isEmpty()) return;
  QStringList lines;
  lines << QStringLiteral("seed %1, command #%2: %3").arg(seed_).arg(index_).arg(what);
  lines << QStringLiteral("last commands:");
  for (const QString& line : history_) lines << QStringLiteral("  ") + line;
  fault_ = lines.join(QLatin1Char('\n'));
}

QString Monkey::Run(int count) {
  if (const QString fault = CheckWindow(); !fault.isEmpty()) Violation(QStringLiteral("at start-up: ") + fault);
  for (index_ = 0; index_ < count && fault_.isEmpty(); ++index_) {
    if (!form_->isVisible()) {
      // Closed once the run or rebuild it was closed under had ended.
      ++closedAfterRun_;
      Log(QStringLiteral("the window closed after its run; shown again"));
      form_->show();
    }
    if (pmWordSelector_->isVisible()) {
      // An open popup menu takes the next input.
      LevelMenu();
    } else {
      ArmInterrupt();
      RunRandomCommand();
    }
    interrupt_.stop();
    ++checks_;
    if (const QString fault = CheckWindow(); !fault.isEmpty()) Violation(fault);
    if (!form_->AwaitingAnalysis()) {
      maxRows_ = std::max(maxRows_, form_->Shown().RowCount());
      maxTokens_ = std::max(maxTokens_, form_->Result().tokenCount);
    }
  }
  return fault_;
}

void Monkey::RunRandomCommand() {
  int total = 0;
  for (const CommandKind& kind : Commands()) total += kind.weight;
  int pick = Pick(total);
  for (const CommandKind& kind : Commands()) {
    if (pick < kind.weight) {
      ++commandCounts_[QString::fromLatin1(kind.name)];
      (this->*kind.run)();
      return;
    }
    pick -= kind.weight;
  }
}

// Now and then a command comes in while the window pumps its events: while a
// text is set, a run scans or the list is rebuilt.
void Monkey::ArmInterrupt() {
  if (!Chance(0.5)) return;
  interruptDelay_ = Pick(4);
  interrupt_.start();
}

void Monkey::Interrupt() {
  // A modal dialog keeps every input from the window.
  if (depth_ >= kMaxDepth || QApplication::activeModalWidget() != nullptr) return;
  const char* where = form_->Running() ? "run" : form_->Rebuilding() ? "rebuild" : "other";
  ++interrupts_[QString::fromLatin1(where) + (depth_ > 0 ? QStringLiteral(" (nested)") : QString())];
  ++depth_;
  Log(QStringLiteral("interrupt during %1").arg(QString::fromLatin1(where)));
  // The command that came in may meet another one in its own pumps.
  if (depth_ < kMaxDepth && Chance(0.3)) {
    interruptDelay_ = Pick(3);
    interrupt_.start();
  }
  if (form_->Running() && Chance(0.6)) {
    Stop();
  } else {
    RunRandomCommand();
  }
  if (const QString fault = CheckLive(); !fault.isEmpty()) Violation(fault);
  --depth_;
}

bool Monkey::Reachable(QWidget* widget, const char* name) {
  if (widget->isEnabled() && widget->isVisible()) return true;
  Log(QStringLiteral("%1 out of reach").arg(QString::fromLatin1(name)));
  return false;
}

void Monkey::Key(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  if (!widget->isEnabled() || !widget->isVisible()) return;
  QTest::keyClick(widget, key, modifiers);
}

void Monkey::Type(QWidget* widget, const QString& text) {
  if (!widget->isEnabled() || !widget->isVisible()) return;
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(widget, c.toLatin1());
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
      line->insert(QString(c));  // what an input method commits
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
      box->insertPlainText(QString(c));
    }
  }
}

void Monkey::ClickRow(QTableView* view, int row, Qt::KeyboardModifiers modifiers, bool twice) {
  QPoint point(5, view->viewport()->height() - 3);  // below the rows, or on the last one
  if (row >= 0 && row < view->model()->rowCount()) {
    const QModelIndex index = view->model()->index(row, 1);
    view->scrollTo(index);
    point = view->visualRect(index).center();
  }
  if (twice) {
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, modifiers, point);
  } else {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, point);
  }
}

void Monkey::Drop(const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(form_.get(), &enter);
  if (!enter.isAccepted()) {
    Log(QStringLiteral("  drop refused"));
    return;
  }
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(form_.get(), &drop);
}

const std::string& Monkey::ChooseText() {
  const int pick = Pick(1000);
  if (pick < 3) return texts_.huge;
  const std::string* fixed[] = {&texts_.english,   &texts_.japanese,  &texts_.big,   &texts_.longFirst,
                                &texts_.longLater, &texts_.blank,     &texts_.malformed};
  if (pick < 500) {
    const int which = Pick(8);
    if (which < 7) return *fixed[which];
    randomText_.clear();
    return randomText_;
  }
  // A random text of the vocabulary.
  randomText_.clear();
  const int words = Pick(300);
  for (int i = 0; i < words; ++i) {
    randomText_ += Cp932FromUtf8(PickOf(kVocabulary));
    randomText_ += Pick(8) == 0 ? "\r\n" : Pick(6) == 0 ? ", " : " ";
  }
  return randomText_;
}

QString Monkey::ChooseFile() {
  const int pick = Pick(static_cast<int>(files_.size()) + 1);
  return pick < static_cast<int>(files_.size()) ? files_[static_cast<size_t>(pick)] : subFolder_;
}

void Monkey::SetText() {
  switch (Pick(4)) {
    case 0: {
      const std::string& text = ChooseText();
      Log(QStringLiteral("set text of %1 bytes").arg(text.size()));
      form_->SetCurrentText(text);
      break;
    }
    case 1: {
      const std::string& text = ChooseText();
      Log(QStringLiteral("paste text of %1 bytes").arg(text.size()));
      QGuiApplication::clipboard()->setText(FromCp932(text));
      Action("acClipToText")->trigger();
      break;
    }
    case 2:
      dialogs_.chosenFile = Chance(0.1) ? QString() : ChooseFile();
      Log(QStringLiteral("load file «%1»").arg(QFileInfo(dialogs_.chosenFile).fileName()));
      // A folder is refused with a message.
      fileFailureExpected_ = dialogs_.chosenFile == subFolder_;
      Action("acLoadFromFile")->trigger();
      break;
    default: {
      QList<QUrl> urls{QUrl::fromLocalFile(ChooseFile())};
      if (Chance(0.15)) urls << QUrl::fromLocalFile(ChooseFile());
      Log(QStringLiteral("drop %1 file(s), first «%2»").arg(urls.size()).arg(urls.first().fileName()));
      fileFailureExpected_ = urls.first().toLocalFile() == subFolder_;
      Drop(urls);
      break;
    }
  }
  fileFailureExpected_ = false;
}

void Monkey::Extract() {
  QAction* analyze = Action("acAnalize");
  const bool enabled = analyze->isEnabled();
  const int failsBefore = fails_;
  const bool stopAskedBefore = stopAsked_;
  stopAsked_ = false;
  Log(QStringLiteral("extract%1").arg(enabled ? QString() : QStringLiteral(" (disabled)")));
  if (Chance(0.5) && tbAnalizeStart_->defaultAction() == analyze) {
    tbAnalizeStart_->click();
  } else {
    analyze->trigger();
  }
  if (enabled) {
    if (fails_ != failsBefore) {
      ++runsFailed_;
      countersValid_ = false;
    } else {
      stopAsked_ ? ++runsStopped_ : ++runsCompleted_;
      countersValid_ = true;
    }
  }
  stopAsked_ = stopAskedBefore || stopAsked_;
}

void Monkey::Stop() {
  const bool running = form_->Running();
  Log(QStringLiteral("stop%1").arg(running ? QStringLiteral(" during the run") : QString()));
  if (running) {
    stopAsked_ = true;
    if (form_->Parser().ProgressPercent() < 100) ++stoppedMidScan_;
  }
  if (Chance(0.5)) {
    tbAnalizeStart_->click();  // shows Stop while the run lasts
  } else {
    Action("acStopAnalize")->trigger();
  }
}

void Monkey::Sort() {
  const bool applies = lvWords_->isEnabled() && !form_->Running() && !form_->Rebuilding();
  if (Chance(0.6)) {
    const char* names[] = {"acSortABC", "acSortNum", "acSortInitial"};
    const char* name = PickOf(names);
    Log(QStringLiteral("sort %1").arg(QString::fromLatin1(name)));
    Action(name)->trigger();
  } else {
    QHeaderView* header = lvWords_->horizontalHeader();
    const int column = Pick(4);
    Log(QStringLiteral("header click %1").arg(column));
    if (!Reachable(lvWords_, "lvWords")) return;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                             header->height() / 2));
  }
  if (applies && depth_ == 0) {
    if (const QString fault = CheckSorted(); !fault.isEmpty()) Violation(fault);
  }
}

void Monkey::FormFilter() {
  const char* names[] = {"acSWOriginal", "acSWEntries", "acSWWritten", "acSWNoEntry"};
  const char* name = PickOf(names);
  Log(QStringLiteral("form %1").arg(QString::fromLatin1(name)));
  Action(name)->trigger();
}

void Monkey::LevelFilter() {
  const char* names[] = {"tbWSBasic", "tbWSJunior", "tbWSToUnivercity", "tbWSGeneral", "tbWSOther", "tbWSNone"};
  const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier,
                                             Qt::AltModifier};
  const char* name = PickOf(names);
  const Qt::KeyboardModifiers modifier = PickOf(modifiers);
  Log(QStringLiteral("level %1 modifiers %2").arg(QString::fromLatin1(name)).arg(modifier.toInt()));
  // The level bar is hidden after the lists load; it is shown as the other
  // window tests show it.
  form_->findChild<QToolBar*>(QStringLiteral("cbProUse"))->show();
  auto* button = Child<QToolButton>(form_.get(), name);
  if (!Reachable(button, name)) return;
  QTest::mouseClick(button, Qt::LeftButton, modifier);
}

void Monkey::LevelMenu() {
  ++commandCounts_[QStringLiteral("level-menu")];
  if (Chance(0.2)) {
    Log(QStringLiteral("level menu escaped"));
    QTest::keyClick(pmWordSelector_, Qt::Key_Escape);
    pmWordSelector_->hide();
    return;
  }
  const char* names[] = {"miWSOn", "miWSOff", "N10", "N13"};
  const char* name = PickOf(names);
  Log(QStringLiteral("level menu %1").arg(QString::fromLatin1(name)));
  auto* action = Child<QAction>(pmWordSelector_, name);
  pmWordSelector_->hide();
  action->trigger();
}

void Monkey::ProperNoun() {
  const Qt::Key keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End};
  const Qt::Key key = PickOf(keys);
  Log(QStringLiteral("proper noun key %1").arg(key));
  if (!Reachable(cbProperNoun_, "cbProperNoun")) return;
  Key(cbProperNoun_, key);
}

void Monkey::Select() {
  if (!Reachable(lvWords_, "lvWords")) return;
  const int rows = lvWords_->model()->rowCount();
  switch (Pick(6)) {
    case 0:
    case 1: {
      const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ControlModifier, Qt::ShiftModifier};
      const int row = rows > 0 ? Pick(rows) : 0;
      const Qt::KeyboardModifiers modifier = PickOf(modifiers);
      Log(QStringLiteral("click row %1 of %2, modifiers %3").arg(row).arg(rows).arg(modifier.toInt()));
      ClickRow(lvWords_, row, modifier);
      break;
    }
    case 2: {
      const Qt::Key keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Home,
                              Qt::Key_End, Qt::Key_Space};
      const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier};
      const Qt::Key key = PickOf(keys);
      const Qt::KeyboardModifiers modifier = PickOf(modifiers);
      Log(QStringLiteral("list key %1 modifiers %2").arg(key).arg(modifier.toInt()));
      Key(lvWords_, key, modifier);
      QTest::keyRelease(lvWords_, key, modifier);
      break;
    }
    case 3:
      Log(QStringLiteral("select all"));
      Action("acAllSelect")->trigger();
      break;
    case 4:
      Log(QStringLiteral("click below the rows"));
      ClickRow(lvWords_, -1, Qt::NoModifier);
      break;
    default:
      Log(QStringLiteral("select all by key"));
      Key(lvWords_, Qt::Key_A, Qt::ControlModifier);
      break;
  }
}

void Monkey::Copy() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  const QString before = clipboard->text();
  const int which = Pick(4);
  if (which == 2) {
    auto* button = Child<QToolButton>(form_.get(), "ToolButton8");
    Log(QStringLiteral("copy report"));
    if (Reachable(button, "ToolButton8")) button->click();
    return;
  }
  const char* names[] = {"acCopyWords", "acCopyWordsNum", "", "acCopyData"};
  QAction* action = Action(names[which]);
  const bool enabled = action->isEnabled();
  Log(QStringLiteral("copy %1%2").arg(QString::fromLatin1(names[which]), enabled ? QString() : QStringLiteral(" (disabled)")));
  // The words the copy should give, read from the list view's cells.
  const QString expected = which < 2 ? ExpectedCopy(which == 1) : QString();
  action->trigger();
  if (!enabled) {
    if (clipboard->text() != before) Violation(QStringLiteral("a disabled copy changed the clipboard"));
  } else if (which < 2 && !form_->Running() && !form_->Rebuilding() && clipboard->text() != expected) {
    Violation(QStringLiteral("the copy «%1» differs from the selected cells «%2»")
                  .arg(clipboard->text().left(200), expected.left(200)));
  }
}

void Monkey::Search() {
  if (!Reachable(edWord_, "edWord")) return;
  switch (Pick(8)) {
    case 0:
    case 1: {
      const char letters[] = "abcdegilnorstwyJTZ";
      QString typed;
      for (int n = 1 + Pick(3); n > 0; --n) typed += QLatin1Char(letters[Pick(sizeof letters - 1)]);
      Log(QStringLiteral("search types «%1»").arg(typed));
      Type(edWord_, typed);
      break;
    }
    case 2:
      Log(QStringLiteral("search backspace"));
      Key(edWord_, Qt::Key_Backspace);
      break;
    case 3:
      Log(QStringLiteral("search up/down"));
      Key(edWord_, Chance(0.5) ? Qt::Key_Up : Qt::Key_Down);
      break;
    case 4:
      Log(QStringLiteral("search enter"));
      Key(edWord_, Chance(0.5) ? Qt::Key_Return : Qt::Key_Enter);
      break;
    case 5:
      Log(QStringLiteral("search escape"));
      Key(edWord_, Qt::Key_Escape);
      break;
    case 6: {
      if (!lbWordsMenu_->isVisible() || lbWordsMenu_->count() == 0) {
        Log(QStringLiteral("no suggestion to click"));
        break;
      }
      const int row = Pick(lbWordsMenu_->count());
      QListWidgetItem* item = lbWordsMenu_->item(row);
      Log(QStringLiteral("click suggestion «%1»").arg(item->text()));
      lbWordsMenu_->scrollToItem(item);
      QTest::mouseClick(lbWordsMenu_->viewport(), Qt::LeftButton, Qt::NoModifier,
                        lbWordsMenu_->visualItemRect(item).center());
      break;
    }
    default:
      Log(QStringLiteral("search cleared"));
      Key(edWord_, Qt::Key_A, Qt::ControlModifier);
      Key(edWord_, Qt::Key_Backspace);
      break;
  }
}

void Monkey::DoubleClick() {
  if (!Reachable(lvWords_, "lvWords")) return;
  const int rows = lvWords_->model()->rowCount();
  const int row = rows > 0 ? Pick(rows) : -1;
  Log(QStringLiteral("double-click row %1 of %2").arg(row).arg(rows));
  ClickRow(lvWords_, row, Qt::NoModifier);
  ClickRow(lvWords_, row, Qt::NoModifier, true);
}

void Monkey::Information() {
  const char* names[] = {"N1", "acOpenDoc"};
  const char* name = PickOf(names);
  Log(QStringLiteral("information %1").arg(QString::fromLatin1(name)));
  Action(name)->trigger();
}

void Monkey::CloseWindow() {
  const bool busy = form_->Running() || form_->Rebuilding();
  Log(QStringLiteral("close%1").arg(busy ? QStringLiteral(" during a run or rebuild") : QString()));
  const QString settings = QString::fromStdString(folder_.SettingsPath());
  if (!busy) QFile::remove(settings);
  Action(Chance(0.5) ? "acClose" : "Close1")->trigger();
  if (busy) {
    // Refused until the scan or rebuild has unwound.
    if (!form_->isVisible()) Violation(QStringLiteral("the window closed under a run or rebuild"));
    return;
  }
  if (form_->isVisible()) Violation(QStringLiteral("the window did not close"));
  if (!QFile::exists(settings)) Violation(QStringLiteral("closing wrote no settings"));
  form_->show();
}

void Monkey::EditorSession() {
  QAction* editDic = Action("acEditDic");
  const int steps = 1 + Pick(8);
  Log(QStringLiteral("editor, %1 steps%2").arg(steps).arg(editDic->isEnabled() ? QString() : QStringLiteral(" (disabled)")));
  if (!editDic->isEnabled()) {
    editDic->trigger();
    if (editor_->isVisible()) Violation(QStringLiteral("the editor opened while it was disabled"));
    return;
  }
  // The modal session is the editor's own: no window command comes in until
  // it has ended.
  interrupt_.stop();
  auto scripted = std::make_shared<bool>(false);
  QTimer::singleShot(0, editor_, [this, steps, scripted] {
    if (!editor_->isVisible()) return;
    *scripted = true;
    EditorScript(steps);
  });
  editDic->trigger();
  if (!*scripted) Violation(QStringLiteral("the editor did not open"));
  if (editor_->isVisible()) Violation(QStringLiteral("the editor stayed open"));
}

void Monkey::EditorScript(int steps) {
  if (const QString fault = CheckEditor(); !fault.isEmpty()) Violation(QStringLiteral("editor shown: ") + fault);
  for (int step = 0; step < steps && fault_.isEmpty(); ++step) {
    EditorStep();
    if (const QString fault = CheckEditor(); !fault.isEmpty()) Violation(fault);
  }
  switch (Pick(3)) {
    case 0:
      Log(QStringLiteral("  editor closed by とじる(&X)"));
      Child<QToolButton>(editor_, "ToolButton3")->click();
      break;
    case 1:
      Log(QStringLiteral("  editor closed by とじる"));
      Child<QAbstractButton>(editor_, "Button1")->click();
      break;
    default:
      Log(QStringLiteral("  editor closed by Escape"));
      QTest::keyClick(editor_, Qt::Key_Escape);
      break;
  }
  if (editor_->isVisible()) {
    Violation(QStringLiteral("the editor's close command left it open"));
    editor_->reject();
  }
}

void Monkey::EditorStep() {
  static const char* const kHeadwords[] = {"cat", "be", "write", "leave", "Japan", "dog", "go", "like",
                                           "letter", "have", "the", "you", "get", "begin", "zebra", "Zebra",
                                           "zebras", "ice-cream", "o'clock", "went", "left", "ran",
                                           "wives", "run", "xylophone", "ice cream", "日本", "a1", "CAT",
                                           "Leave", " dog ", ""};
  static const char* const kInflections[] = {"s", "ing", "ed", "2went", "3gone", "1ing", "zebras",
                                             "ices, iced", "a b", "日本", "es\n2id", ""};
  auto* headword = Child<QLineEdit>(editor_, "edInflictions");
  auto* inflections = Child<QPlainTextEdit>(editor_, "mmInflictions");
  auto* list = Child<QTableView>(editor_, "lvDic");
  // Deletes always find a row to delete, records often find nothing to
  // record: deletes come less often, so that the dictionary does not run dry.
  switch (Pick(20) / 2) {
    case 0:
    case 1: {
      const QString word = QString::fromUtf8(PickOf(kHeadwords));
      Log(QStringLiteral("  editor headword «%1»").arg(word));
      Key(headword, Qt::Key_A, Qt::ControlModifier);
      Key(headword, Qt::Key_Backspace);
      Type(headword, word);
      auto* record = Child<QToolButton>(editor_, "tbRecord");
      if (record->isEnabled() && Chance(0.5)) {
        Log(QStringLiteral("  editor record the new headword"));
        ++records_;
        record->click();
      }
      break;
    }
    case 2: {
      const QStringList lines = QString::fromUtf8(PickOf(kInflections)).split(QLatin1Char('\n'));
      Log(QStringLiteral("  editor inflections «%1»").arg(lines.join(QLatin1Char('|'))));
      Key(inflections, Qt::Key_A, Qt::ControlModifier);
      Key(inflections, Qt::Key_Delete);
      for (const QString& line : lines) {
        Type(inflections, line);
        Key(inflections, Qt::Key_Return);
      }
      break;
    }
    case 3: {
      const QList<QAbstractButton*> items = editor_->findChild<QButtonGroup*>(QStringLiteral("rgLevelItems"))->buttons();
      QAbstractButton* item = items[Pick(static_cast<int>(items.size()))];
      Log(QStringLiteral("  editor level %1").arg(item->objectName()));
      item->click();
      break;
    }
    case 4:
    case 5: {
      auto* record = Child<QToolButton>(editor_, "tbRecord");
      Log(QStringLiteral("  editor record «%1»%2").arg(headword->text(), record->isEnabled() ? QString() : QStringLiteral(" (disabled)")));
      records_ += record->isEnabled() ? 1 : 0;
      record->click();
      break;
    }
    case 6: {
      if (Chance(0.5)) break;
      auto* remove = Child<QToolButton>(editor_, "tbDelete");
      Log(QStringLiteral("  editor delete «%1»%2").arg(headword->text(), remove->isEnabled() ? QString() : QStringLiteral(" (disabled)")));
      deletes_ += remove->isEnabled() ? 1 : 0;
      remove->click();
      break;
    }
    case 7: {
      if (Chance(0.5)) {
        const char letters[] = "abcdeghjlorstwyz";
        const QString typed(QLatin1Char(letters[Pick(sizeof letters - 1)]));
        Log(QStringLiteral("  editor list types «%1»").arg(typed));
        Type(list, typed);
      } else {
        const Qt::Key keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
        const Qt::Key key = PickOf(keys);
        Log(QStringLiteral("  editor list key %1").arg(key));
        Key(list, key);
      }
      break;
    }
    default: {
      const int rows = list->model()->rowCount();
      const int row = rows > 0 ? Pick(rows) : -1;
      Log(QStringLiteral("  editor click row %1 of %2").arg(row).arg(rows));
      if (row >= 0) ClickRow(list, row, Qt::NoModifier);
      break;
    }
  }
}

// The invariants between commands.
QString Monkey::CheckWindow() const {
  const TForm1& form = *form_;
  if (form.Running() || form.Rebuilding() || form.Shown().Busy()) {
    return QStringLiteral("a run or a rebuild outlived its command");
  }
  const ShownWordList& shown = form.Shown();
  const std::vector<int32_t>& view = shown.ViewIndex();
  const int positions = shown.DisplayList().Count();
  if (static_cast<int>(view.size()) != positions) {
    return QStringLiteral("ViewIndex has %1 rows for %2 shown words").arg(view.size()).arg(positions);
  }
  std::vector<char> seen(static_cast<size_t>(positions), 0);
  int64_t shownSum = 0;
  for (int row = 0; row < positions; ++row) {
    const int32_t position = view[static_cast<size_t>(row)];
    if (position < 0 || position >= positions || seen[static_cast<size_t>(position)]) {
      return QStringLiteral("ViewIndex is no permutation: row %1 shows position %2").arg(row).arg(position);
    }
    seen[static_cast<size_t>(position)] = 1;
    if (shown.RowOfPosition(position) != row) {
      return QStringLiteral("position %1 is in row %2 but maps back to row %3").arg(position).arg(row).arg(shown.RowOfPosition(position));
    }
    shownSum += shown.DisplayList().Objects(position);
  }

  const bool awaiting = form.AwaitingAnalysis();
  const int rows = lvWords_->model()->rowCount();
  if (rows != (awaiting ? 0 : positions)) {
    return QStringLiteral("the list view has %1 rows, the shown list %2, awaiting %3").arg(rows).arg(positions).arg(awaiting);
  }

  const AnalysisResult& result = form.Result();
  int64_t occurrences = 0;
  for (int i = 0; i < result.words.Count(); ++i) {
    if (result.words.Occurrences(i) < 1) return QStringLiteral("word %1 occurs %2 times").arg(i).arg(result.words.Occurrences(i));
    occurrences += result.words.Occurrences(i);
  }
  if (occurrences != result.tokenCount) {
    return QStringLiteral("TokenCount %1, the word table's counts add up to %2").arg(result.tokenCount).arg(occurrences);
  }
  if (!awaiting || countersValid_) {
    int64_t distinct = 0;
    int64_t byLevel = 0;
    for (int level = 0; level < kWordLevelCount; ++level) {
      distinct += result.levelDistinct[static_cast<size_t>(level)];
      byLevel += result.levelOccurrences[static_cast<size_t>(level)];
    }
    if (distinct != result.words.Count() || byLevel != result.tokenCount) {
      return QStringLiteral("the level counters add up to %1 words, %2 occurrences for %3 entries, %4 tokens")
          .arg(distinct).arg(byLevel).arg(result.words.Count()).arg(result.tokenCount);
    }
  }

  const bool detailsShown = pcMemo_->isTabVisible(pcMemo_->indexOf(tsDatas_));
  if (!awaiting) {
    if (shownSum > result.tokenCount) {
      return QStringLiteral("the shown counts add up to %1, more than the %2 tokens").arg(shownSum).arg(result.tokenCount);
    }
    if (Action("acAnalize")->isEnabled()) return QStringLiteral("Extract is enabled while results are shown");
    if (!detailsShown || !lvWords_->isEnabled()) return QStringLiteral("results are shown without the details page or the list");
  } else if (detailsShown || lvWords_->isEnabled()) {
    return QStringLiteral("awaiting analysis with the details page or the list available");
  }
  // A level button is there for results shown, and for a level list that
  // holds words.
  const char* levelButtons[] = {"tbWSBasic", "tbWSJunior", "tbWSToUnivercity", "tbWSGeneral", "tbWSOther", "tbWSNone"};
  for (int level = 0; level < kWordLevelCount; ++level) {
    const bool listed = level >= kListedLevelCount || form.Dictionary().LevelList(level + 1).Count() > 0;
    if (Child<QToolButton>(form_.get(), levelButtons[level])->isEnabled() != (!awaiting && listed)) {
      return QStringLiteral("level button %1 is %2").arg(QString::fromLatin1(levelButtons[level]),
                                                          awaiting || !listed ? "enabled" : "disabled");
    }
  }
  if (tbAnalizeStart_->defaultAction() != Action("acAnalize") || tbAnalizeStart_->actions().size() != 1) {
    return QStringLiteral("the Extract button does not carry Extract alone");
  }
  if (QGuiApplication::overrideCursor() != nullptr) return QStringLiteral("the busy cursor stayed");
  return CheckDictionary();
}

// What must hold even while a run or a rebuild is under way.
QString Monkey::CheckLive() const {
  const ShownWordList& shown = form_->Shown();
  const int rows = lvWords_->model()->rowCount();
  if (rows > shown.RowCount()) return QStringLiteral("the list view has %1 rows, the shown list %2").arg(rows).arg(shown.RowCount());
  for (const int32_t position : shown.ViewIndex()) {
    if (position < 0 || position >= shown.DisplayList().Count()) return QStringLiteral("ViewIndex holds position %1").arg(position);
  }
  QAction* shownAction = form_->Running() ? Action("acStopAnalize") : Action("acAnalize");
  if (tbAnalizeStart_->defaultAction() != shownAction) return QStringLiteral("the Extract button shows the wrong command");
  return {};
}

QString Monkey::CheckDictionary() const {
  const TStringList& headwords = form_->Dictionary().HeadwordList();
  const TStringList& index = form_->Dictionary().InflectionIndex();
  for (int i = 0; i < index.Count(); ++i) {
    if (index.Objects(i) < 0 || index.Objects(i) >= headwords.Count()) {
      return QStringLiteral("InflectionIndex entry %1 points to headword %2 of %3").arg(i).arg(index.Objects(i)).arg(headwords.Count());
    }
    if (i > 0 && CompareText(index[i - 1], index[i]) > 0) return QStringLiteral("InflectionIndex is not sorted at %1").arg(i);
  }
  return {};
}

QString Monkey::CheckEditor() const {
  const int headwords = form_->Dictionary().HeadwordList().Count();
  const int rows = Child<QTableView>(editor_, "lvDic")->model()->rowCount();
  if (rows != headwords || static_cast<int>(editor_->RowLevels().size()) != headwords) {
    return QStringLiteral("the editor lists %1 rows with %2 levels for %3 headwords")
        .arg(rows).arg(editor_->RowLevels().size()).arg(headwords);
  }
  return CheckDictionary();
}

QString Monkey::CheckSorted() const {
  const ShownWordList& shown = form_->Shown();
  const std::vector<int32_t>& view = shown.ViewIndex();
  for (size_t row = 1; row < view.size(); ++row) {
    if (shown.CompareRows(view[row - 1], view[row]) > 0) {
      return QStringLiteral("rows %1 and %2 are out of order after a sort").arg(row - 1).arg(row);
    }
  }
  return {};
}

QString Monkey::ExpectedCopy(bool withCounts) const {
  QModelIndexList selected = lvWords_->selectionModel()->selectedRows();
  std::sort(selected.begin(), selected.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  QString text;
  for (const QModelIndex& index : selected) {
    text += lvWords_->model()->index(index.row(), 1).data().toString();
    if (withCounts) text += QLatin1Char('\t') + lvWords_->model()->index(index.row(), 2).data().toString();
    text += QStringLiteral("\r\n");
  }
  return text;
}

QString Monkey::Figures() const {
  QStringList lines;
  lines << QStringLiteral("seed %1: %2 commands, %3 checks").arg(seed_).arg(index_).arg(checks_);
  QStringList counts;
  for (const auto& [name, count] : commandCounts_) counts << QStringLiteral("%1 %2").arg(name).arg(count);
  lines << QStringLiteral("  commands: ") + counts.join(QStringLiteral(", "));
  QStringList pumps;
  for (const auto& [where, count] : interrupts_) pumps << QStringLiteral("%1 %2").arg(where).arg(count);
  lines << QStringLiteral("  commands inside pumps: ") + pumps.join(QStringLiteral(", "));
  lines << QStringLiteral("  runs: %1 completed, %2 stopped (%3 mid-scan), %4 failed")
               .arg(runsCompleted_).arg(runsStopped_).arg(stoppedMidScan_).arg(runsFailed_);
  lines << QStringLiteral("  editor: %1 records and %2 deletes tried; %3 questions, %4 answered Yes; %5 headwords left")
               .arg(records_).arg(deletes_).arg(asks_).arg(yes_).arg(form_->Dictionary().HeadwordList().Count());
  lines << QStringLiteral("  messages %1, failures %2; largest list %3 rows, %4 tokens; %5 closes after a run")
               .arg(informs_).arg(fails_).arg(maxRows_).arg(maxTokens_).arg(closedAfterRun_);
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

// Passes every message on to Qt Test except the offscreen platform's notes
// on what it lacks (raise, keyboard grabs), which a long run would repeat
// past Qt Test's limit on warnings; the model testers' findings also go to
// the monkey, which reports them with the commands before them.
QtMessageHandler g_testHandler = nullptr;

void MessageFilter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
  if (context.category != nullptr && qstrcmp(context.category, "qt.modeltest") == 0 && type != QtDebugMsg &&
      g_modelFault) {
    g_modelFault(message);
  }
  g_testHandler(type, context, message);
}

class MonkeyTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { g_testHandler = qInstallMessageHandler(MessageFilter); }
  void cleanupTestCase() { qInstallMessageHandler(g_testHandler); }

  void randomCommandsKeepTheWindowConsistent() {
    ProgramFolder folder;
    Monkey monkey(folder, g_options.seed);
    QElapsedTimer clock;
    clock.start();
    const QString fault = monkey.Run(g_options.commands);
    qInfo().noquote() << monkey.Figures() << QStringLiteral("\n  %1 ms").arg(clock.elapsed());
    g_modelFault = nullptr;
    if (!fault.isEmpty()) QFAIL(qPrintable(fault));
  }
};

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QStringList testArguments;
  const QStringList arguments = QCoreApplication::arguments();
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    const bool seed = argument == QStringLiteral("--seed");
    if ((seed || argument == QStringLiteral("--commands")) && i + 1 < arguments.size()) {
      bool ok = false;
      const qulonglong value = arguments[++i].toULongLong(&ok);
      if (!ok || (!seed && (value == 0 || value > 10000000))) {
        qCritical("usage: monkey_test [Qt Test options] [--seed N] [--commands N]");
        return 2;
      }
      if (seed) {
        g_options.seed = static_cast<uint32_t>(value);
      } else {
        g_options.commands = static_cast<int>(value);
      }
      continue;
    }
    testArguments << argument;
  }
  MonkeyTest test;
  return QTest::qExec(&test, testArguments);
}

#include "monkey_test.moc"
