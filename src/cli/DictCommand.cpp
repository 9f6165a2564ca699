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
#include "dictionary/CompressStringList.h"
#include "dictionary/DictionaryFiles.h"
#include "dictionary/Lexicon.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/InputEncoding.h"
#include "views/WordDetails.h"

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

// A change whose save failed is reported as the failure it is: the files
// are as they were before it.
void CheckSaved(const ConjugationDictionary& dictionary, const std::string& headword) {
  const int rc = dictionary.LastSaveStatus();
  if (rc == 0) return;
  const std::string& folder = dictionary.ProgramFolder();
  throw std::runtime_error("'" + headword + "' was not saved: a file in " + (folder.empty() ? "." : folder) +
                           " cannot be written" +
                           (rc == TCompressStringList::kSaveRefused ? std::string()
                                                                    : std::string(" (") + std::strerror(rc) + ")"));
}

int Pack(CliContext& context) {
  ExpectArgs(context, 2, "pack IN.txt OUT.dat");
  std::string bytes;
  // The format records sizes in 32 bits: a larger text is refused unread.
  if (const int rc = ReadWholeFile(context.args[1], bytes, INT32_MAX); rc != 0) {
    throw std::runtime_error(context.args[1] + ": " + std::strerror(rc));
  }
  TCompressStringList list;
  list.SetText(TextToCp932(std::move(bytes)));
  if (const int rc = list.SaveToFile(context.args[2]); rc != 0) {
    throw std::runtime_error(context.args[2] + ": cannot be written" +
                             (rc == TCompressStringList::kSaveRefused ? std::string()
                                                                      : std::string(" (") + std::strerror(rc) + ")"));
  }
  return kExitOk;
}

int Unpack(CliContext& context) {
  ExpectArgs(context, 1, "unpack IN.dat");
  TCompressStringList list;
  const int rc = list.LoadFromFile(context.args[1]);
  if (rc == ENOENT) return kExitFailure;  // the list has reported the missing file
  if (rc == EBADMSG) throw std::runtime_error(context.args[1] + ": not a compressed list file");
  if (rc != 0) throw std::runtime_error(context.args[1] + ": " + std::strerror(rc));
  std::string out;
  for (int i = 0; i < list.Count(); ++i) {
    out += list[i];
    out += '\n';
  }
  context.Out(out);
  return kExitOk;
}

int Lookup(CliContext& context) {
  ExpectArgs(context, 1, "lookup WORD");
  const std::string word = ArgumentText(context, context.args[1]);
  auto dictionary = LoadDictionary(context);
  const std::shared_ptr<const Lexicon> lexicon = dictionary->CurrentLexicon();
  std::string out = WordDetailsText(word, *lexicon);
  // The level the analysis gives the word.
  const WordClass wordClass = lexicon->Classify(word);
  static const Cp932Text kLevel("レベル: ");
  out += "\r\n" + kLevel.str() + LevelButtonName(wordClass.level) + "\r\n";
  context.Out(WithLfLineEnds(out));
  return kExitOk;
}

int Record(CliContext& context) {
  if (context.args.size() < 2) throw UsageError{"usage: dict record HEADWORD [--forms LIST] [--level 0-4]"};
  std::string headword, forms, levelText;
  bool levelGiven = false;
  for (size_t i = 1; i < context.args.size(); ++i) {
    if (TakeOption(context.args, i, "--forms", forms)) continue;
    if (TakeOption(context.args, i, "--level", levelText)) {
      levelGiven = true;
      continue;
    }
    if (context.args[i].rfind("--", 0) == 0) throw UsageError{"dict record: unknown option '" + context.args[i] + "'"};
    if (!headword.empty() || context.args[i].empty()) throw UsageError{"dict record takes one HEADWORD"};
    headword = ArgumentText(context, context.args[i]);
  }
  if (headword.empty()) throw UsageError{"dict record needs a HEADWORD"};
  int level = -1;
  if (levelGiven) {
    if (levelText.size() != 1 || levelText[0] < '0' || levelText[0] > '4') {
      throw UsageError{"--level takes a number from 0 to 4"};
    }
    level = levelText[0] - '0';
  }
  auto dictionary = LoadDictionary(context);
  if (level < 0) level = dictionary->LevelOf(headword);  // keep the level it has
  switch (dictionary->RecordHeadword(headword, ArgumentText(context, forms), level)) {
    case RecordStatus::Recorded:
      break;
    case RecordStatus::InvalidText:
      throw std::runtime_error("cannot record '" + headword + "': empty, or holds a tab or line break");
    case RecordStatus::DictionaryUnreadable:
      throw std::runtime_error(dictionary->UserDictionaryPath() + ": cannot be read; nothing was written");
  }
  CheckSaved(*dictionary, headword);
  context.Out("recorded " + headword + " (" + LevelName(dictionary->LevelOf(headword)) + ")\n");
  return kExitOk;
}

int Delete(CliContext& context) {
  ExpectArgs(context, 1, "delete HEADWORD");
  const std::string headword = ArgumentText(context, context.args[1]);
  auto dictionary = LoadDictionary(context);
  if (!dictionary->DeleteHeadword(headword)) {
    throw std::runtime_error("'" + headword + "' is not a headword of the dictionary (letter case counts)");
  }
  CheckSaved(*dictionary, headword);
  context.Out("deleted " + headword + "\n");
  return kExitOk;
}

int Info(CliContext& context) {
  ExpectArgs(context, 0, "info");
  auto dictionary = LoadDictionary(context);
  static const Cp932Text kHeadwords("単語: ");
  static const Cp932Text kSpellings("活用: ");
  std::string out = dictionary->DictionaryPath() + "\n";
  out += kHeadwords.str() + Padded10(dictionary->HeadwordList().Count()) + "\n";
  out += kSpellings.str() + Padded10(dictionary->InflectionIndex().Count()) + "\n";
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
  };
  if (context.args.empty()) throw UsageError{"dict needs a subcommand (pack, unpack, lookup, record, delete, info)"};
  for (const Sub& sub : kSubs) {
    if (context.args[0] == sub.name) return sub.run(context);
  }
  throw UsageError{"unknown dict subcommand '" + context.args[0] + "'"};
}

}  // namespace lexiscoop
