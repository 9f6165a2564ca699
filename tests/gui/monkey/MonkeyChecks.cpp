// What must hold after every command of the monkey.

#include <algorithm>
#include <memory>
#include <span>

#include "dictionary/Lexicon.h"
#include "platform/Cp932.h"
#include "monkey/Monkey.h"

namespace lexiscoop::monkey {

QString Monkey::CheckWindow() const {
  const TForm1& form = *form_;
  if (form.Running() || form.Rebuilding() || form.Shown().Busy()) {
    return QStringLiteral("a run or a rebuild outlived its command");
  }
  const ShownWordList& shown = form.Shown();
  const std::vector<int32_t>& view = shown.ViewIndex();
  const int positions = shown.FormCount();
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
    shownSum += shown.CountAt(position);
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
    // A stopped run's partial results can be run again at once; whole ones
    // need a new text.
    if (Action("acAnalize")->isEnabled() != result.stopped) {
      return result.stopped ? QStringLiteral("Extract is disabled after a stopped run")
                            : QStringLiteral("Extract is enabled while whole results are shown");
    }
    const QString stoppedNote = QString::fromStdString(Utf8FromCp932(StoppedNoteAt(result.tokenCount)));
    if (result.stopped != form.windowTitle().endsWith(QStringLiteral("(") + stoppedNote + QStringLiteral(")"))) {
      return QStringLiteral("the caption does not say whether the run was stopped: ") + form.windowTitle();
    }
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
    if (position < 0 || position >= shown.FormCount()) return QStringLiteral("ViewIndex holds position %1").arg(position);
  }
  QAction* shownAction = form_->Running() ? Action("acStopAnalize") : Action("acAnalize");
  if (tbAnalizeStart_->defaultAction() != shownAction) return QStringLiteral("the Extract button shows the wrong command");
  return {};
}

QString Monkey::CheckDictionary() const {
  // Every spelling of every headword finds that headword among its candidates.
  const std::shared_ptr<const Lexicon> lexicon = form_->Dictionary().CurrentLexicon();
  for (HeadwordId h = 0; h < lexicon->HeadwordCount(); ++h) {
    for (const std::string& spelling : lexicon->SpellingsOf(h)) {
      const std::span<const HeadwordId> candidates = lexicon->Candidates(spelling);
      if (std::find(candidates.begin(), candidates.end(), h) == candidates.end()) {
        return QStringLiteral("headword %1 is not a candidate of its spelling %2").arg(h).arg(QString::fromStdString(spelling));
      }
    }
  }
  return {};
}

QString Monkey::CheckEditor() const {
  const int headwords = form_->Dictionary().CurrentLexicon()->HeadwordCount();
  const int rows = Child<QTableView>(editor_, "lvDic")->model()->rowCount();
  if (rows != headwords || static_cast<int>(editor_->RowLevels().size()) != headwords) {
    return QStringLiteral("the editor lists %1 rows with %2 levels for %3 headwords")
        .arg(rows).arg(editor_->RowLevels().size()).arg(headwords);
  }
  return CheckDictionary();
}

namespace {

// The order the rows must have, worked out from what the list shows and
// apart from the list's own comparison: the word with a-z raised to A-Z,
// compared as a std::string (whose characters compare as unsigned bytes, a
// string before every longer one it begins).
std::string UpperAscii(const QString& shown) {
  std::string word = Cp932FromUtf8(shown.toStdString());
  for (char& c : word) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return word;
}

template <class T>
int Order(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

QString Monkey::CheckSorted(int key, bool descending) const {
  const ShownWordList& shown = form_->Shown();
  if (shown.SortKeyValue() != key || shown.SortDescending() != descending) {
    return QStringLiteral("a sort by %1 (%2) left key %3 (%4)")
        .arg(key).arg(descending ? "descending" : "ascending")
        .arg(shown.SortKeyValue()).arg(shown.SortDescending() ? "descending" : "ascending");
  }
  const QAbstractItemModel* model = lvWords_->model();
  auto cell = [model](int row, int column) { return model->index(row, column).data().toString(); };
  for (int row = 1; row < model->rowCount(); ++row) {
    int order = 0;
    switch (key) {
      case 0:  // order of first appearance: the shown forms' build order
        order = Order(shown.PositionOfRow(row - 1), shown.PositionOfRow(row));
        break;
      case 1:
        order = Order(UpperAscii(cell(row - 1, 1)), UpperAscii(cell(row, 1)));
        break;
      case 2:
      case 3:
        order = Order(cell(row - 1, 2).toLongLong(), cell(row, 2).toLongLong());
        break;
      default:
        break;
    }
    if ((descending ? -order : order) > 0) {
      return QStringLiteral("rows %1 (%2) and %3 (%4) are out of order after a sort by %5")
          .arg(row - 1).arg(cell(row - 1, 1)).arg(row).arg(cell(row, 1)).arg(key);
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
               .arg(records_).arg(deletes_).arg(asks_).arg(yes_).arg(form_->Dictionary().CurrentLexicon()->HeadwordCount());
  lines << QStringLiteral("  messages %1, failures %2; largest list %3 rows, %4 tokens; %5 closes after a run")
               .arg(informs_).arg(fails_).arg(maxRows_).arg(maxTokens_).arg(closedAfterRun_);
  return lines.join(QLatin1Char('\n'));
}

}  // namespace lexiscoop::monkey
