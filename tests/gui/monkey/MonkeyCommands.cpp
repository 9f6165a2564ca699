// The monkey's commands: what a user does in the window and in the editor.

#include "monkey/Monkey.h"

namespace lexiscoop::monkey {

void Monkey::SetText() {
  // A command run inside this one's pump must not forget what this one
  // expects.
  const bool outerExpected = fileFailureExpected_;
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
      // A folder is refused with a message, and so is a text the scanner
      // refuses (the current text stays).
      fileFailureExpected_ = dialogs_.chosenFile == subFolder_ || FileHasLongLine(dialogs_.chosenFile);
      Action("acLoadFromFile")->trigger();
      break;
    default: {
      QList<QUrl> urls{QUrl::fromLocalFile(ChooseFile())};
      if (Chance(0.15)) urls << QUrl::fromLocalFile(ChooseFile());
      Log(QStringLiteral("drop %1 file(s), first «%2»").arg(urls.size()).arg(urls.first().fileName()));
      fileFailureExpected_ = urls.first().toLocalFile() == subFolder_ || FileHasLongLine(urls.first().toLocalFile());
      Drop(urls);
      break;
    }
  }
  fileFailureExpected_ = outerExpected;
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
  // Every request flips the direction, whatever the key.
  const bool descending = !form_->Shown().SortDescending();
  int key = 0;
  if (Chance(0.6)) {
    const char* names[] = {"acSortABC", "acSortNum", "acSortInitial"};
    const int keys[] = {1, 2, 0};
    const int pick = Pick(3);
    const char* name = names[pick];
    key = keys[pick];
    Log(QStringLiteral("sort %1").arg(QString::fromLatin1(name)));
    Action(name)->trigger();
  } else {
    QHeaderView* header = lvWords_->horizontalHeader();
    const int column = Pick(4);
    key = column;
    Log(QStringLiteral("header click %1").arg(column));
    if (!Reachable(lvWords_, "lvWords")) return;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                             header->height() / 2));
  }
  if (applies && depth_ == 0) {
    if (const QString fault = CheckSorted(key, descending); !fault.isEmpty()) Violation(fault);
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

}  // namespace lexiscoop::monkey
