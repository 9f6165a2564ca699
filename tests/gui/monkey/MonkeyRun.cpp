// The monkey's command loop, its interrupts from inside event pumps, and its input helpers.

#include "monkey/Monkey.h"

namespace lexiscoop::monkey {

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

}  // namespace lexiscoop::monkey
