// sets and known: the user's own level sets and known-word lists.
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/DictionarySession.h"
#include "cli/ListSession.h"
#include "dictionary/Lexicon.h"
#include "lists/ListFile.h"
#include "lists/ListResolution.h"
#include "lists/ListStore.h"
#include "lists/ListTexts.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

// The command's arguments without its sub-command, and whether
// --keep-unknown was among them.
struct ListArguments {
  std::vector<std::string> words;
  UnknownWords unknown = UnknownWords::Drop;
  bool all = false;
};

ListArguments TakeArguments(const CliContext& context, const char* command) {
  ListArguments out;
  bool optionsEnd = false;
  for (size_t i = 1; i < context.args.size(); ++i) {
    const std::string& arg = context.args[i];
    if (!optionsEnd && arg == "--keep-unknown") {
      out.unknown = UnknownWords::Keep;
    } else if (!optionsEnd && arg == "--all") {
      out.all = true;
    } else if (!optionsEnd && arg == "--") {
      optionsEnd = true;
    } else if (!optionsEnd && arg.size() > 1 && arg[0] == '-') {
      throw UsageError{std::string(command) + ": unknown option '" + arg + "'"};
    } else {
      out.words.push_back(arg);
    }
  }
  return out;
}

// Writes the notes of an import to standard error, one "file:line: why" each.
void ReportNotes(const CliContext& context, const std::vector<ListNote>& notes) {
  for (const ListNote& note : notes) context.Error(NoteText(note));
}

// Reads every file; fails, naming each, when one cannot be read at all.
std::vector<ListReading> ReadFiles(const CliContext& context, const std::vector<std::string>& paths) {
  std::vector<ListReading> files;
  bool unreadable = false;
  for (const std::string& path : paths) {
    files.push_back(ReadListFile(path));
    if (files.back().unreadable) {
      ReportNotes(context, files.back().notes);
      unreadable = true;
    }
  }
  if (unreadable) throw std::runtime_error("nothing was imported");
  for (const ListReading& file : files) ReportNotes(context, file.notes);
  return files;
}

int NotedCount(const std::vector<ListReading>& files, const std::vector<ListNote>& resolution) {
  size_t count = resolution.size();
  for (const ListReading& file : files) count += file.notes.size();
  return static_cast<int>(count);
}

int RunSetsList(CliContext& context) {
  ListStore store(context.userDir);
  int status = kExitOk;
  for (const std::string& name : store.SetNames()) {
    UserLevelSet set;
    const Status outcome = store.LoadSet(name, set);
    if (!outcome.ok()) {
      context.Error(Cp932FromUtf8(outcome.message()) + ": " + ListMessage(ListText::Damaged));
      status = kExitFailure;
      continue;
    }
    std::string line = set.name;
    for (const UserLevel& level : set.levels) {
      line += "\t" + level.key + ":" + level.name + "=" + std::to_string(level.headwords.size());
    }
    context.Out(line + "\n");
  }
  return status;
}

int RunSetsImport(CliContext& context) {
  const ListArguments args = TakeArguments(context, "sets import");
  if (args.words.size() < 2) throw UsageError{"usage: sets import NAME FILE... [--keep-unknown]"};
  const std::string name = ArgumentText(context, args.words[0]);
  if (!IsListName(name)) CheckListOutcome(Status::InvalidArgument({}), name);
  const std::vector<std::string> paths(args.words.begin() + 1, args.words.end());
  auto dictionary = LoadDictionary(context);
  const std::vector<ListReading> files = ReadFiles(context, paths);
  std::vector<std::string> levelNames;
  for (const std::string& path : paths) levelNames.push_back(Cp932FromUtf8(FileStem(path)));
  const ListImport<UserLevelSet> import =
      BuildLevelSet(name, files, levelNames, *dictionary->CurrentLexicon(), args.unknown);
  ReportNotes(context, import.notes);
  if (import.list.levels.empty()) throw std::runtime_error(name + ": " + ListMessage(ListText::NoLevels));
  ListStore store(context.userDir);
  CheckListOutcome(store.SaveSet(import.list), name);
  size_t words = 0;
  for (const UserLevel& level : import.list.levels) words += level.headwords.size();
  context.Changed(name + ": " + std::to_string(words) + " headwords in " + std::to_string(import.list.levels.size()) +
                  " levels from " + std::to_string(import.entriesRead) + " entries; " +
                  std::to_string(NotedCount(files, import.notes)) + " lines noted");
  return kExitOk;
}

int RunSetsRemove(CliContext& context) {
  const ListArguments args = TakeArguments(context, "sets remove");
  if (args.words.size() != 1) throw UsageError{"usage: sets remove NAME"};
  const std::string name = ArgumentText(context, args.words[0]);
  CheckListOutcome(ListStore(context.userDir).RemoveSet(name), name);
  return kExitOk;
}

int RunKnownList(CliContext& context) {
  const ListArguments args = TakeArguments(context, "known list");
  ListStore store(context.userDir);
  if (args.words.empty()) {
    int status = kExitOk;
    for (const std::string& name : store.KnownListNames()) {
      KnownWordList list;
      const Status outcome = store.LoadKnownList(name, list);
      if (!outcome.ok()) {
        context.Error(Cp932FromUtf8(outcome.message()) + ": " + ListMessage(ListText::Damaged));
        status = kExitFailure;
        continue;
      }
      context.Out(list.name + "\t" + std::to_string(list.headwords.size()) + "\n");
    }
    return status;
  }
  if (args.words.size() != 1) throw UsageError{"usage: known list [LIST]"};
  const std::string name = ArgumentText(context, args.words[0]);
  KnownWordList list;
  CheckListOutcome(store.LoadKnownList(name, list), name);
  std::string out;
  for (const std::string& headword : list.headwords) out += headword + "\n";
  context.Out(out);
  return kExitOk;
}

// Adds (or removes) headwords: `entries` resolved through the dictionary.
int ChangeKnown(CliContext& context, const std::string& name, const std::vector<ListEntry>& entries,
                UnknownWords unknown, bool adding, const std::vector<ListNote>& readNotes) {
  auto dictionary = LoadDictionary(context);
  ListImport<std::vector<std::string>> import = ResolveListWords(entries, *dictionary->CurrentLexicon(), unknown);
  if (!adding) {
    // A word kept earlier as one's own is removed as written too.
    for (const ListEntry& entry : entries) import.list.push_back(entry.word);
  } else {
    ReportNotes(context, import.notes);
  }
  int changed = 0;
  ListStore store(context.userDir);
  if (adding) {
    CheckListOutcome(store.ChangeKnownList(name, import.list, {}, true, changed), name);
  } else {
    CheckListOutcome(store.ChangeKnownList(name, {}, import.list, false, changed), name);
  }
  context.Changed(name + ": " + std::to_string(changed) + (adding ? " headwords added" : " headwords removed") +
                  (adding ? "; " + std::to_string(readNotes.size() + import.notes.size()) + " lines noted" : ""));
  return kExitOk;
}

std::vector<ListEntry> ArgumentEntries(const CliContext& context, const std::vector<std::string>& words) {
  std::vector<ListEntry> entries;
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string word = ArgumentText(context, words[i]);
    if (!IsListWord(word)) throw std::runtime_error("'" + word + "': " + ListMessage(ListText::NotAWord));
    entries.push_back({word, {}, "argument", static_cast<int>(i)});
  }
  return entries;
}

int RunKnownAdd(CliContext& context, bool adding) {
  const ListArguments args = TakeArguments(context, adding ? "known add" : "known remove");
  if (!adding && args.all) {
    if (args.words.size() != 1) throw UsageError{"usage: known remove LIST --all"};
    const std::string name = ArgumentText(context, args.words[0]);
    CheckListOutcome(ListStore(context.userDir).RemoveKnownList(name), name);
    return kExitOk;
  }
  if (args.words.size() < 2) {
    throw UsageError{adding ? "usage: known add LIST WORD... [--keep-unknown]" : "usage: known remove LIST WORD..."};
  }
  const std::string name = ArgumentText(context, args.words[0]);
  return ChangeKnown(context, name, ArgumentEntries(context, args.words), args.unknown, adding, {});
}

int RunKnownImport(CliContext& context) {
  const ListArguments args = TakeArguments(context, "known import");
  if (args.words.size() != 2) throw UsageError{"usage: known import LIST FILE [--keep-unknown]"};
  const std::string name = ArgumentText(context, args.words[0]);
  const std::vector<ListReading> files = ReadFiles(context, {args.words[1]});
  return ChangeKnown(context, name, files[0].entries, args.unknown, true, files[0].notes);
}

}  // namespace

int RunSetsCommand(CliContext& context) {
  const std::string sub = context.args.empty() ? std::string() : context.args[0];
  if (sub == "list") return RunSetsList(context);
  if (sub == "import") return RunSetsImport(context);
  if (sub == "remove") return RunSetsRemove(context);
  throw UsageError{"sets needs list, import or remove"};
}

int RunKnownCommand(CliContext& context) {
  const std::string sub = context.args.empty() ? std::string() : context.args[0];
  if (sub == "list") return RunKnownList(context);
  if (sub == "add") return RunKnownAdd(context, true);
  if (sub == "remove") return RunKnownAdd(context, false);
  if (sub == "import") return RunKnownImport(context);
  throw UsageError{"known needs list, add, import or remove"};
}

}  // namespace lexiscoop
