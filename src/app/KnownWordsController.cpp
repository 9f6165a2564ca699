#include "app/KnownWordsController.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QTableView>
#include <unordered_set>

#include "analysis/Analysis.h"
#include "app/AppTexts.h"
#include "app/ChoiceMenu.h"
#include "app/ReadingPane.h"
#include "app/RunController.h"
#include "app/WordListController.h"
#include "lists/KnownWords.h"
#include "lists/ListStore.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "ui/Cp932Strings.h"
#include "ui/Dialogs.h"
#include "views/ClassifiedWord.h"
#include "views/KnownShare.h"
#include "views/ShownWordList.h"
#include "views/WordLevels.h"
#include "views/WordListBuilder.h"
#include "views/widgets/CoverageChart.h"
#include "views/widgets/WordListModel.h"

namespace lexiscoop {
namespace {

constexpr char kKnownListKey[] = "KnownList";
constexpr char kHideKnownKey[] = "HideKnown";

// The spelling a known list keeps for `word`: its headword's, or, for a word
// the dictionary lacks, the word's own (as KnownWords looks words up).
std::string KnownSpellingOf(const AnalysisResult& result, const ClassifiedWord& word) {
  if (word.InDictionary()) return std::string(result.classifier->HeadwordSpelling(word.headword));
  if (word.entry < 0 || word.entry >= result.words.Count()) return {};
  return std::string(result.words.Word(word.entry));
}

QAction* NewCommand(QObject* parent, const char* name, const char* caption, const char* hint, QKeySequence keys = {}) {
  auto* action = new QAction(Qs(caption), parent);
  action->setObjectName(QString::fromLatin1(name));
  action->setStatusTip(Qs(hint));
  action->setToolTip(Qs(hint));
  if (!keys.isEmpty()) {
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
  }
  return action;
}

}  // namespace

KnownWordsController::KnownWordsController(QMenu& view, std::string userFolder, TDialogs& dialogs, QWidget& window,
                                           KnownWordsViews views)
    : QObject(&window),
      window_(window),
      dialogs_(dialogs),
      userFolder_(std::move(userFolder)),
      views_(views),
      known_(std::make_unique<KnownWords>()) {
  menu_ = view.addMenu(Qs("既習語リスト(&K)"));
  menu_->setObjectName(QStringLiteral("miKnownLists"));
  menu_->setStatusTip(Qs("クラスや学習者が既に習った単語のリストを選びます"));
  group_ = new QActionGroup(menu_);
  hide_ = NewCommand(this, "acHideKnown", "既習語を隠す(&U)", "既習語リストにある単語を単語一覧に出さない");
  hide_->setCheckable(true);
  view.addAction(hide_);
  mark_ = NewCommand(this, "acMarkKnown", "既習にする(&K)", "選択した単語を既習語リストに加える",
                     QKeySequence(Qt::CTRL | Qt::Key_K));
  unmark_ = NewCommand(this, "acUnmarkKnown", "既習から外す(&R)", "選択した単語を既習語リストから外す",
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
  addText_ = NewCommand(this, "acAddTextToKnown", "本文の単語をすべて既習にする(&A)…",
                        "本文の単語 (辞書の見出し語) をすべて既習語リストに加える");
  exportNew_ = NewCommand(this, "acExportNewWords", "エクスポート (新出語のみ)(&W)…",
                          "単語リストのうち既習語リストにない単語だけを書き出す");
  for (QAction* action : {mark_, unmark_}) window.addAction(action);
  views_.list.addAction(mark_);
  views_.list.addAction(unmark_);
  views_.list.setContextMenuPolicy(Qt::ActionsContextMenu);

  connect(menu_, &QMenu::aboutToShow, this, &KnownWordsController::Refill);
  connect(hide_, &QAction::toggled, this, [this] {
    Mark();
    ShowAgain(true);
  });
  connect(mark_, &QAction::triggered, this, [this] { MarkSelected(true); });
  connect(unmark_, &QAction::triggered, this, [this] { MarkSelected(false); });
  connect(addText_, &QAction::triggered, this, &KnownWordsController::AddWholeText);
  connect(&views_.run, &RunController::stateChanged, this, &KnownWordsController::UpdateCommands);
  Refill();
  UpdateCommands();
}

KnownWordsController::~KnownWordsController() = default;

bool KnownWordsController::HidesKnown() const { return hide_->isChecked(); }

void KnownWordsController::Refill() {
  FillChoiceMenu(*menu_, *group_, Qs("なし"), ListStore(userFolder_).KnownListNames(), chosen_,
                 [this](const std::string& name) {
                   Choose(name);
                   Refill();
                 })
      ->setObjectName(QStringLiteral("acNoKnownList"));
  menu_->addSeparator();
  QAction* create = menu_->addAction(Qs("新規(&N)…"));
  create->setObjectName(QStringLiteral("acNewKnownList"));
  connect(create, &QAction::triggered, this, &KnownWordsController::NewList);
  if (import_ != nullptr) menu_->addAction(import_);
  menu_->addSeparator();
  menu_->addAction(mark_);
  menu_->addAction(unmark_);
  menu_->addAction(addText_);
}

bool KnownWordsController::Load(const std::string& name) {
  if (name.empty()) {
    known_ = std::make_unique<KnownWords>();
    return true;
  }
  KnownWordList list;
  const Status loaded = ListStore(userFolder_).LoadKnownList(name, list);
  if (!loaded.ok()) {
    dialogs_.Fail(&window_, Qs("既習語リストを読み込めません。\n") + FromCp932(name) + QStringLiteral(": ") +
                                QString::fromStdString(loaded.ToString()));
    return false;
  }
  known_ = std::make_unique<KnownWords>(list.headwords);
  return true;
}

bool KnownWordsController::Choose(const std::string& name) {
  if (!Load(name)) return false;
  chosen_ = name;
  UpdateCommands();
  Mark();
  ShowAgain(false);
  return true;
}

bool KnownWordsController::NewList() {
  const QString typed = dialogs_.AskText(&window_, Qs("新しい既習語リストの名前 (例: 2年3組):"));
  if (typed.isEmpty()) return false;
  const std::string name = ToCp932(typed);
  if (!IsListName(name) || FromCp932(name) != typed) {
    dialogs_.Fail(&window_, Qs("この名前はリストの名前に使えません。\n") + typed);
    return false;
  }
  int changed = 0;
  const Status made = ListStore(userFolder_).ChangeKnownList(name, {}, {}, true, changed);
  if (!made.ok()) {
    dialogs_.Fail(&window_, Qs("既習語リストを作れませんでした。\n") + typed + QStringLiteral(": ") +
                                QString::fromStdString(made.ToString()));
    return false;
  }
  return Choose(name);
}

void KnownWordsController::MarkSelected(bool known) {
  if (!views_.run.ShowsResults() || views_.run.Busy()) return;
  const std::vector<int> rows = views_.words.SelectedRows();
  if (rows.empty()) {
    dialogs_.Beep();
    return;
  }
  if (chosen_.empty() && (!known || !NewList())) return;
  const AnalysisResult& result = views_.run.Result();
  std::vector<std::string> headwords;
  for (const int row : rows) {
    std::string spelling = KnownSpellingOf(result, ClassifiedRowOf(views_.words.Shown(), row, result));
    if (!spelling.empty()) headwords.push_back(std::move(spelling));
  }
  if (known) {
    Change(headwords, {});
  } else {
    Change({}, headwords);
  }
}

void KnownWordsController::AddWholeText() {
  if (!views_.run.ShowsResults() || views_.run.Busy()) return;
  if (chosen_.empty() && !NewList()) return;
  const AnalysisResult& result = views_.run.Result();
  if (!result.Classified()) return;
  std::vector<std::string> headwords;
  std::unordered_set<HeadwordId> seen;
  for (int32_t i = 0; i < result.words.Count(); ++i) {
    const WordClass& word = result.classes[static_cast<size_t>(i)];
    if (!word.InDictionary()) continue;  // names and misspellings stay new
    const std::string_view spelling = result.classifier->HeadwordSpelling(word.headword);
    if (!seen.insert(word.headword).second || known_->Contains(spelling)) continue;
    headwords.emplace_back(spelling);
  }
  const QString list = FromCp932(chosen_);
  if (headwords.empty()) {
    dialogs_.Inform(&window_, Qs("本文の単語はすべて「%1」にあります。").arg(list));
    return;
  }
  if (!dialogs_.Ask(&window_, Qs("本文の単語のうち「%1」にない %2 語 (辞書の見出し語) を既習語に加えます。よろしいですか?")
                                  .arg(list)
                                  .arg(headwords.size()))) {
    return;
  }
  Change(headwords, {});
}

void KnownWordsController::Change(const std::vector<std::string>& add, const std::vector<std::string>& remove) {
  int changed = 0;
  const Status written = ListStore(userFolder_).ChangeKnownList(chosen_, add, remove, false, changed);
  if (!written.ok()) {
    dialogs_.Fail(&window_, Qs("既習語リストに書き込めませんでした。\n") + FromCp932(chosen_) + QStringLiteral(": ") +
                                QString::fromStdString(written.ToString()));
    return;
  }
  // The list as stored now, with what other programs wrote meanwhile.
  if (!Load(chosen_)) return;
  Mark();
  ShowAgain(false);
  emit statusText(Qs(add.empty() ? "%1 語を「%2」から外しました" : "%1 語を「%2」に加えました")
                      .arg(changed)
                      .arg(FromCp932(chosen_)));
}

void KnownWordsController::ResultClassified() { Mark(); }

void KnownWordsController::Mark() {
  const AnalysisResult& result = views_.run.Result();
  if (chosen_.empty()) {
    entries_.clear();
  } else {
    entries_ = known_->KnownEntries(result);
  }
  const std::span<const uint8_t> known(entries_);
  views_.model.SetKnown(known);
  views_.words.SetLeaveOut(HidesKnown() ? known : std::span<const uint8_t>());
  views_.reading.SetKnownWords(entries_);
  const int column = WordListModel::ColumnOf("known");
  const bool hidden = chosen_.empty() || HidesKnown();
  if (views_.list.isColumnHidden(column) != hidden) {
    views_.list.setColumnHidden(column, hidden);
    emit columnsChanged();
  }
  QString line;
  if (!chosen_.empty() && result.Classified()) {
    const std::vector<WordLevel> levels = WordLevelsOf(result);
    line = FromCp932(ComputeKnownShare(result.words, levels, entries_, result.Levels().None()).Line());
  }
  views_.chart.SetKnownLine(line);
}

void KnownWordsController::ShowAgain(bool rebuild) {
  if (!views_.run.ShowsResults() || views_.run.Busy()) return;  // the next run shows it
  views_.reading.ShowResult(window_.windowTitle());
  views_.chart.SetFigures(views_.reading.Figures());
  // Rows come and go only while known words are hidden; otherwise the
  // marks change and the selection stays.
  if (rebuild || HidesKnown()) {
    views_.words.Rebuild();
  } else {
    views_.model.ClassificationChanged();
  }
}

void KnownWordsController::UpdateCommands() {
  const bool results = views_.run.ShowsResults() && !views_.run.Busy();
  for (QAction* action : {mark_, unmark_, addText_}) action->setEnabled(results);
  exportNew_->setEnabled(results && !chosen_.empty());
}

void KnownWordsController::BuildNewWords(ShownWordList& out) const {
  WordListFilter filter = views_.words.Filter();
  filter.leaveOut = entries_;
  WordListBuilder().Rebuild(views_.run.Result(), filter, out, RebuildControl{});
  const ShownWordList& shown = views_.words.Shown();
  out.SortBy(shown.SortKeyValue(), shown.SortDescending());
}

void KnownWordsController::ReadSettings(const TIniFile& ini) {
  hide_->blockSignals(true);
  hide_->setChecked(ini.ReadString(texts::kSettingsSection, kHideKnownKey, "0") == "1");
  hide_->blockSignals(false);
  const std::string name = ini.ReadString(texts::kSettingsSection, kKnownListKey, "");
  // A list removed since is forgotten without a word.
  if (!name.empty() && IsListName(name) && FileExists(ListStore(userFolder_).KnownListPath(name))) Choose(name);
}

void KnownWordsController::WriteSettings(TIniFile& ini) const {
  ini.WriteString(texts::kSettingsSection, kKnownListKey, chosen_);
  ini.WriteString(texts::kSettingsSection, kHideKnownKey, HidesKnown() ? "1" : "0");
}

}  // namespace lexiscoop
