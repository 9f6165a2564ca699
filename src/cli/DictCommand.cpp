#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "analysis/NumberFormat.h"
#include "cli/CliCommands.h"
#include "cli/DictionarySession.h"
#include "cli/ListSession.h"
#include "lists/LevelSetIndex.h"
#include "cli/PackText.h"
#include "dictionary/CompressStringList.h"
#include "dictionary/DictionaryFiles.h"
#include "dictionary/DictionaryTransaction.h"
#include "dictionary/GlossTable.h"
#include "dictionary/Lexicon.h"
#include "editor/EditorChecks.h"
#include "editor/EditorTexts.h"
#include "platform/Cp932.h"
#include "platform/TextTrim.h"
#include "platform/FileSystem.h"
#include "platform/InputEncoding.h"
#include "views/WordDetails.h"
#include "views/WordGloss.h"

namespace lexiscoop {
namespace {

// CR LF line ends of the system's texts become LF on the terminal.
std::string WithLfLineEnds(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

std::string Padded10(int64_t count) {
  std::string number = FormatThousands(count);
  if (number.size() < 10) number.insert(0, 10 - number.size(), ' ');
  return number;
}

void ExpectArgs(const CliContext& context, size_t count, const char* usage) {
  if (context.args.size() != count + 1) throw UsageError{std::string("usage: dict ") + usage};
}

std::string Reason(const Status& status) { return std::string(" (") + std::strerror(status.systemError()) + ")"; }

// A change refused for what the data folder holds is said as it is.
void ThrowIfRefused(const Status& status) {
  if (!status.message().empty()) throw std::runtime_error(status.message());
}

// Says truthfully how a change that did not apply ended.
[[noreturn]] void ReportUnapplied(const ConjugationDictionary& dictionary, const std::string& headword,
                                  const char* done) {
  if (!dictionary.LastChangePending()) ThrowIfRefused(dictionary.LastSaveStatus());
  if (!dictionary.DamagedFile().empty()) {
    throw std::runtime_error(dictionary.DamagedFile() + ": damaged or unreadable" +
                             Reason(dictionary.LastSaveStatus()) + "; nothing was written");
  }
  if (dictionary.LastChangePending()) {
    throw std::runtime_error("'" + headword + "' was " + std::string(done) + ", but not every file could be replaced" +
                             Reason(dictionary.LastSaveStatus()) +
                             "; the change is completed the next time the dictionary is loaded");
  }
  const std::string& folder = dictionary.UserFolder();
  throw std::runtime_error("'" + headword + "' was not saved: a file in " + (folder.empty() ? "." : folder) +
                           " cannot be written" + Reason(dictionary.LastSaveStatus()) + "; no file was changed");
}

// The headword checks of the dictionary editor, with its messages.
void CheckRecordArguments(const std::string& headword, const std::string& forms) {
  if (!IsValidHeadword(headword)) {
    throw std::runtime_error("cannot record '" + headword + "': " + InvalidHeadwordMessage());
  }
  const std::string spelling = UnstorableSpelling(headword, forms);
  if (!spelling.empty()) {
    throw std::runtime_error("cannot record '" + headword + "': " + UnstorableSpellingMessage(spelling));
  }
}

int Pack(CliContext& context) {
  ExpectArgs(context, 2, "pack IN.txt OUT.dat");
  std::string bytes;
  // The format records sizes in 32 bits: a larger text is refused unread.
  if (const int rc = ReadWholeFile(context.args[1], bytes, INT32_MAX); rc != 0) {
    throw std::runtime_error(context.args[1] + ": " + std::strerror(rc));
  }
  std::string text = PackTextToCp932(context.args[1], std::move(bytes));
  // The reader's bounds hold for the writer: nothing is written that would
  // not load again.
  if (const std::string breach = TCompressStringList::ListBoundBreach(text); !breach.empty()) {
    throw std::runtime_error(context.args[1] + ": " + breach + "; nothing was written");
  }
  TCompressStringList list;
  list.SetText(text);
  if (const Status saved = list.SaveToFile(context.args[2]); !saved.ok()) {
    throw std::runtime_error(context.args[2] + ": cannot be written (" + saved.ToString() + ")");
  }
  return kExitOk;
}

int Unpack(CliContext& context) {
  ExpectArgs(context, 1, "unpack IN.dat");
  TCompressStringList list;
  std::string text;
  std::string breach;
  const int rc = TCompressStringList::DecodeFile(context.args[1], text, &breach).systemError();
  if (rc == ENOENT) throw std::runtime_error(TCompressStringList::MissingFileMessage(context.args[1]));
  if (rc == EBADMSG) throw std::runtime_error(context.args[1] + ": not a compressed list file");
  if (rc == EFBIG && !breach.empty()) throw std::runtime_error(context.args[1] + ": " + breach);
  if (rc != 0) throw std::runtime_error(context.args[1] + ": " + std::strerror(rc));
  list.LoadText(text);
  std::string out;
  for (int i = 0; i < list.Count(); ++i) {
    out += list[i];
    out += '\n';
  }
  context.Out(out);
  return kExitOk;
}

int Lookup(CliContext& context) {
  std::string setName;
  std::vector<std::string> words;
  for (size_t i = 1; i < context.args.size(); ++i) {
    std::string value;
    if (TakeOption(context.args, i, "--levels-set", value)) setName = ArgumentText(context, value);
    else words.push_back(context.args[i]);  // a word may start with a hyphen
  }
  if (words.size() != 1) throw UsageError{"usage: dict lookup WORD [--levels-set NAME]"};
  const std::string word = ArgumentText(context, words[0]);
  const LevelSetIndex levels = setName.empty() ? LevelSetIndex() : LevelSetIndex(LoadLevelSet(context, setName));
  auto dictionary = LoadDictionary(context);
  const std::shared_ptr<const Lexicon> lexicon = dictionary->CurrentLexicon();
  std::string out = WordDetailsText(word, *lexicon);
  // The level the analysis gives the word, in the chosen set.
  const WordClass wordClass = lexicon->Classify(word);
  const LevelId level = setName.empty() ? wordClass.level : levels.LevelOfWord(*lexicon, wordClass, word);
  static const Cp932Text kLevel("レベル: ");
  out += "\r\n" + kLevel.str() + levels.Levels().Name(level) + "\r\n";
  // The glosses of the headword the word counts for.
  out += GlossLine(GlossOfWord(word, *lexicon));
  context.Out(WithLfLineEnds(out));
  return kExitOk;
}

// dict gloss HEADWORD TEXT: the user's glosses of a headword; an empty TEXT
// hides the shipped ones; --shipped goes back to the shipped glosses.
int Gloss(CliContext& context) {
  ExpectArgs(context, 2, "gloss HEADWORD TEXT|--shipped");
  const std::string headword(TrimBlanks(ArgumentText(context, context.args[1])));
  const bool revert = context.args[2] == "--shipped";
  // A headword that dict record would refuse takes no glosses either.
  if (!revert) CheckRecordArguments(headword, "");
  GlossTable glosses(context.dataDir, context.userDir);
  glosses.SetLockWaitNotice(LockWaitMessage(context));
  glosses.Reload();
  const GlossRecordStatus status =
      revert ? glosses.Revert(headword) : glosses.Record(headword, ArgumentText(context, context.args[2]));
  switch (status) {
    case GlossRecordStatus::Recorded:
      break;
    case GlossRecordStatus::InvalidText:
      throw std::runtime_error("cannot record '" + headword + "': empty, or holds a tab or line break");
    case GlossRecordStatus::TooLong:
      throw std::runtime_error("cannot record the glosses of '" + headword + "': a line of the gloss file holds at most " +
                               std::to_string(GlossTable::kMaxLineBytes) +
                               " bytes (headword, tab and glosses); nothing was written");
    case GlossRecordStatus::UserFileUnreadable:
      throw std::runtime_error(glosses.UserPath() + ": cannot be read; nothing was written");
    case GlossRecordStatus::SaveFailed:
      ThrowIfRefused(glosses.SaveStatus());
      throw std::runtime_error(glosses.UserPath() + ": cannot be written (" +
                               std::strerror(glosses.SaveStatus().systemError() > 0 ? glosses.SaveStatus().systemError() : EIO) +
                               "); nothing was changed");
  }
  static const Cp932Text kGloss("訳語: ");
  context.Changed(headword + "\t" + kGloss.str() + std::string(glosses.Lookup(headword)));
  return kExitOk;
}

int Record(CliContext& context) {
  if (context.args.size() < 2) throw UsageError{"usage: dict record HEADWORD [--forms LIST] [--level 0-4]"};
  std::string headword, forms, levelText;
  bool levelGiven = false;
  bool headwordGiven = false;
  for (size_t i = 1; i < context.args.size(); ++i) {
    if (TakeOption(context.args, i, "--forms", forms)) continue;
    if (TakeOption(context.args, i, "--level", levelText)) {
      levelGiven = true;
      continue;
    }
    if (context.args[i].rfind("--", 0) == 0) throw UsageError{"dict record: unknown option '" + context.args[i] + "'"};
    if (headwordGiven) throw UsageError{"dict record takes one HEADWORD"};
    headwordGiven = true;
    headword = TrimBlanks(ArgumentText(context, context.args[i]));
  }
  if (!headwordGiven) throw UsageError{"dict record needs a HEADWORD"};
  int level = -1;
  if (levelGiven) {
    if (levelText.size() != 1 || levelText[0] < '0' || levelText[0] > '4') {
      throw UsageError{"--level takes a number from 0 to 4"};
    }
    level = levelText[0] - '0';
  }
  const std::string spellings = ArgumentText(context, forms);
  CheckRecordArguments(headword, spellings);
  auto dictionary = LoadDictionary(context);
  // Without --level the headword keeps the level the files give it when
  // the change is made.
  switch (dictionary->RecordHeadword(headword, spellings, level)) {
    case RecordStatus::Recorded:
      break;
    case RecordStatus::InvalidText:
      throw std::runtime_error("cannot record '" + headword + "': a spelling holds a line break, or the line is too long");
    case RecordStatus::GlossTooLong:  // no glosses given
    case RecordStatus::NotSaved:
    case RecordStatus::Pending:
    case RecordStatus::DictionaryUnreadable:
      ReportUnapplied(*dictionary, headword, "recorded");
  }
  context.Changed("recorded " + headword + " (" + LevelName(dictionary->LevelOf(headword)) + ")");
  return kExitOk;
}

int Delete(CliContext& context) {
  ExpectArgs(context, 1, "delete HEADWORD");
  const std::string headword = ArgumentText(context, context.args[1]);
  auto dictionary = LoadDictionary(context);
  const bool removed = dictionary->DeleteHeadword(headword);
  if (!dictionary->LastSaveStatus().ok() || !dictionary->DamagedFile().empty()) ReportUnapplied(*dictionary, headword, "deleted");
  if (!removed) {
    throw std::runtime_error("'" + headword + "' is not a headword of the dictionary (letter case counts)");
  }
  context.Changed("deleted " + headword);
  return kExitOk;
}

int Info(CliContext& context) {
  ExpectArgs(context, 0, "info");
  auto dictionary = LoadDictionary(context);
  static const Cp932Text kHeadwords("単語: ");
  static const Cp932Text kSpellings("活用: ");
  std::string out = dictionary->DictionaryPath() + "\n";
  const std::shared_ptr<const Lexicon> lexicon = dictionary->CurrentLexicon();
  out += kHeadwords.str() + Padded10(lexicon->HeadwordCount()) + "\n";
  out += kSpellings.str() + Padded10(lexicon->HeadwordCount() + lexicon->FormCount()) + "\n";
  for (int level = 1; level <= kLevelCount; ++level) {
    out += LevelName(level) + ": " + Padded10(dictionary->LevelList(level).Count()) + "\n";
  }
  context.Out(out);
  return kExitOk;
}

}  // namespace

int RunDictCommand(CliContext& context) {
  struct Sub {
    const char* name;
    int (*run)(CliContext&);
  };
  static constexpr Sub kSubs[] = {
      {"pack", &Pack},     {"unpack", &Unpack}, {"lookup", &Lookup},
      {"record", &Record}, {"delete", &Delete}, {"info", &Info},
      {"gloss", &Gloss},
  };
  if (context.args.empty()) {
    throw UsageError{"dict needs a subcommand (pack, unpack, lookup, record, delete, info, gloss)"};
  }
  for (const Sub& sub : kSubs) {
    if (context.args[0] == sub.name) return sub.run(context);
  }
  throw UsageError{"unknown dict subcommand '" + context.args[0] + "'"};
}

}  // namespace lexiscoop
