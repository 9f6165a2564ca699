#include "app/ListImportCommands.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <vector>

#include "app/AppTexts.h"
#include "app/LevelSetImportDialog.h"
#include "dictionary/Lexicon.h"
#include "lists/ListFile.h"
#include "lists/ListResolution.h"
#include "lists/ListStore.h"
#include "lists/ListTexts.h"
#include "ui/BusyCursor.h"
#include "ui/Cp932Strings.h"
#include "ui/Dialogs.h"

namespace lexiscoop {
namespace {

// How the user answered the import report.
enum class ReportAnswer { Cancel, Import, ImportKeepingUnknown };

// "file:line: why", the file by its name alone.
QString NoteLine(const ListNote& note) {
  QString line = QFileInfo(QString::fromStdString(note.file)).fileName();
  if (note.line > 0) line += QStringLiteral(":%1").arg(note.line);
  return line + QStringLiteral(": ") + FromCp932(note.message);
}

// Reads every file of `paths`; null after naming the files that cannot be
// read at all.
std::unique_ptr<std::vector<ListReading>> ReadFiles(const QStringList& paths, TDialogs& dialogs, QWidget& window) {
  auto files = std::make_unique<std::vector<ListReading>>();
  QStringList unreadable;
  {
    BusyCursor busy;
    for (const QString& path : paths) {
      files->push_back(ReadListFile(QFile::encodeName(path).toStdString()));
      if (files->back().unreadable) {
        for (const ListNote& note : files->back().notes) unreadable << NoteLine(note);
      }
    }
  }
  if (unreadable.isEmpty()) return files;
  dialogs.Fail(&window, Qs("読み込めないファイルがあります。何も取り込みませんでした。\n") + unreadable.join(QLatin1Char('\n')));
  return nullptr;
}

// Shows what the import makes of the files, and every line it noted, and
// asks whether to store it; `unknown` words are missing from the dictionary.
ReportAnswer AskReport(TDialogs& dialogs, QWidget& window, const QString& summary,
                       const std::vector<ListReading>& files, const std::vector<ListNote>& notes, int entries,
                       int unknown) {
  QStringList lines;
  for (const ListReading& file : files) {
    for (const ListNote& note : file.notes) lines << NoteLine(note);
  }
  for (const ListNote& note : notes) lines << NoteLine(note);
  QString text = summary + Qs("\n読んだ語 %1、注記 %2 件").arg(entries).arg(lines.size());
  if (unknown > 0) text += Qs("、うち辞書にない語 %1").arg(unknown);
  text += Qs("。");
  QStringList buttons{Qs("取り込む")};
  if (unknown > 0) buttons << Qs("辞書にない語も自分の見出し語として取り込む");
  buttons << Qs("キャンセル");
  const int chosen = dialogs.AskChoice(&window, text, lines.join(QLatin1Char('\n')), buttons);
  if (chosen == 0) return ReportAnswer::Import;
  if (chosen == 1 && unknown > 0) return ReportAnswer::ImportKeepingUnknown;
  return ReportAnswer::Cancel;
}

int HeadwordCount(const UserLevelSet& set) {
  size_t count = 0;
  for (const UserLevel& level : set.levels) count += level.headwords.size();
  return static_cast<int>(count);
}

QString Failure(const char* what, const std::string& name, const Status& status) {
  return Qs(what) + QStringLiteral("\n") + FromCp932(name) + QStringLiteral(": ") + QString::fromStdString(status.ToString());
}

}  // namespace

ListImportCommands::ListImportCommands(std::string userFolder, TDialogs& dialogs, QWidget& window, LexiconSource lexicon)
    : QObject(&window), userFolder_(std::move(userFolder)), dialogs_(dialogs), window_(window), lexicon_(std::move(lexicon)) {
  importSet_ = new QAction(Qs("読み込み(&I)…"), this);
  importSet_->setObjectName(QStringLiteral("acImportLevelSet"));
  importSet_->setStatusTip(Qs("レベルごとの単語リストのファイルから、自分のレベルセットを作る"));
  importKnown_ = new QAction(Qs("読み込み(&I)…"), this);
  importKnown_->setObjectName(QStringLiteral("acImportKnownList"));
  importKnown_->setStatusTip(Qs("単語リストのファイルの語を既習語リストに加える"));
  connect(importSet_, &QAction::triggered, this, &ListImportCommands::ImportLevelSet);
  connect(importKnown_, &QAction::triggered, this, &ListImportCommands::ImportKnownList);
}

void ListImportCommands::ImportLevelSet() {
  const std::shared_ptr<const Lexicon> lexicon = lexicon_();
  if (lexicon == nullptr) {
    dialogs_.Fail(&window_, Qs("辞書が読み込まれていないので、単語リストを取り込めません。"));
    return;
  }
  LevelSetImportDialog dialog(&window_, dialogs_);
  if (dialog.exec() != QDialog::Accepted) return;
  const std::string name = ToCp932(dialog.Name());
  ListStore store(userFolder_);
  for (const std::string& stored : store.SetNames()) {
    if (stored == name && !dialogs_.Ask(&window_, Qs("レベルセット「%1」はもうあります。置き換えますか?").arg(dialog.Name()))) {
      return;
    }
  }
  const std::unique_ptr<std::vector<ListReading>> files = ReadFiles(dialog.Files(), dialogs_, window_);
  if (files == nullptr) return;
  std::vector<std::string> levelNames;
  for (const QString& level : dialog.LevelNames()) levelNames.push_back(ToCp932(level));
  ListImport<UserLevelSet> dropped = BuildLevelSet(name, *files, levelNames, *lexicon, UnknownWords::Drop);
  ListImport<UserLevelSet> kept = BuildLevelSet(name, *files, levelNames, *lexicon, UnknownWords::Keep);
  const int unknown = HeadwordCount(kept.list) - HeadwordCount(dropped.list);
  const QString summary = Qs("レベルセット「%1」: %2 レベル、見出し語 %3")
                              .arg(dialog.Name())
                              .arg(dropped.list.levels.size())
                              .arg(HeadwordCount(dropped.list));
  const ReportAnswer answer = AskReport(dialogs_, window_, summary, *files, dropped.notes, dropped.entriesRead, unknown);
  if (answer == ReportAnswer::Cancel) return;
  const UserLevelSet& set = answer == ReportAnswer::ImportKeepingUnknown ? kept.list : dropped.list;
  if (set.levels.empty()) {
    dialogs_.Fail(&window_, FromCp932(name) + QStringLiteral(": ") + FromCp932(ListMessage(ListText::NoLevels)));
    return;
  }
  if (const Status saved = store.SaveSet(set); !saved.ok()) {
    dialogs_.Fail(&window_, Failure("レベルセットを保存できませんでした。", name, saved));
    return;
  }
  emit setImported(name);
}

void ListImportCommands::ImportKnownList() {
  const std::shared_ptr<const Lexicon> lexicon = lexicon_();
  if (lexicon == nullptr) {
    dialogs_.Fail(&window_, Qs("辞書が読み込まれていないので、単語リストを取り込めません。"));
    return;
  }
  const QStringList paths = dialogs_.ChooseListFiles(&window_, true);
  if (paths.isEmpty()) return;
  const QString typed = dialogs_.AskText(&window_, Qs("語を加える既習語リストの名前 (なければ作ります):"));
  if (typed.isEmpty()) return;
  const std::string name = ToCp932(typed);
  if (!IsListName(name) || FromCp932(name) != typed) {
    dialogs_.Fail(&window_, Qs("この名前はリストの名前に使えません。\n") + typed);
    return;
  }
  const std::unique_ptr<std::vector<ListReading>> files = ReadFiles(paths, dialogs_, window_);
  if (files == nullptr) return;
  std::vector<ListEntry> entries;
  for (const ListReading& file : *files) entries.insert(entries.end(), file.entries.begin(), file.entries.end());
  ListImport<std::vector<std::string>> dropped = ResolveListWords(entries, *lexicon, UnknownWords::Drop);
  ListImport<std::vector<std::string>> kept = ResolveListWords(entries, *lexicon, UnknownWords::Keep);
  const int unknown = static_cast<int>(kept.list.size()) - static_cast<int>(dropped.list.size());
  const QString summary = Qs("既習語リスト「%1」へ: 見出し語 %2").arg(typed).arg(dropped.list.size());
  const ReportAnswer answer = AskReport(dialogs_, window_, summary, *files, dropped.notes, dropped.entriesRead, unknown);
  if (answer == ReportAnswer::Cancel) return;
  int changed = 0;
  const Status written = ListStore(userFolder_).ChangeKnownList(
      name, answer == ReportAnswer::ImportKeepingUnknown ? kept.list : dropped.list, {}, true, changed);
  if (!written.ok()) {
    dialogs_.Fail(&window_, Failure("既習語リストに書き込めませんでした。", name, written));
    return;
  }
  emit knownListImported(name);
}

}  // namespace lexiscoop
