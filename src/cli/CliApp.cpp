#include "cli/CliApp.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "cli/CliCommands.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/UserDataFolder.h"

namespace lexiscoop {
namespace {

constexpr const char* kUsage =
    "Usage: lexiscoop-cli [--data DIR] [--encoding utf8|sjis] [--no-context] COMMAND [ARGS]\n"
    "\n"
    "Picks the English words out of a text (Shift-JIS, UTF-8 or UTF-16), counts\n"
    "them and classifies them by learner level.\n"
    "\n"
    "Commands:\n"
    "  table FILE      every distinct word in order of first appearance, TAB, count\n"
    "  summary FILE    the summary line: distinct words, words, reading time, bytes\n"
    "  words FILE [--form base|headword|written|none] [--levels LIST]\n"
    "        [--proper all|common|proper] [--sort first|alpha|count|level] [--desc]\n"
    "        [--columns LIST]\n"
    "                  the shown word list after a run: word TAB count TAB per cent.\n"
    "                  --form: base form (default), dictionary headword, spelling as\n"
    "                  written in the dictionary, or none (only words not in it).\n"
    "                  --levels: comma list of basic, junior, university, general,\n"
    "                  other, none (not in the dictionary) or all (default).\n"
    "                  --proper: common drops words that begin with A-Z, proper keeps\n"
    "                  only those. --sort gives ascending order (default: first\n"
    "                  appearance); --desc reverses it. (The window flips the\n"
    "                  direction on every sort click, starting with descending.)\n"
    "        [--format tsv|csv|json|xlsx] [-o FILE]\n"
    "                  exports the rows as shown with headword, level, gloss, count,\n"
    "                  per cent and the first sentence where the word occurs (marked\n"
    "                  【word】): csv (UTF-8 with BOM), json (JSON lines), xlsx (needs\n"
    "                  -o), tsv (flash cards: word TAB headword（level） the glosses'\n"
    "                  first group, sentence).\n"
    "                  Without --format the format follows from FILE's extension.\n"
    "                  --columns: comma list of no, word, level (基本 .. 未登録),\n"
    "                  gloss (the headword's 訳語, empty when it has none), count,\n"
    "                  percent, letters (the letters of the word), headword,\n"
    "                  sentence (default: word,count,percent). Glosses are written\n"
    "                  by part of speech, groups \" / \" apart, each a label (名 動 形\n"
    "                  副 前 接 代 助 間), a blank and glosses \"; \" apart:\n"
    "                  \"動 閉じる; 閉める / 形 近い\"; the user's own are free text.\n"
    "        [--unknown-to LIST]\n"
    "                  only the words new to the known-word list LIST (新出語のみ):\n"
    "                  rows whose headword LIST holds are left out, here and in\n"
    "                  the exports\n"
    "        [--levels-set NAME] [--known LIST]\n"
    "                  --levels-set: the levels of the level set NAME of one's own\n"
    "                  (the level column, the exports; --levels then takes the\n"
    "                  set's keys 1..9, other, none); --known: the column known\n"
    "                  marks the words of the known-word list LIST «既習»\n"
    "  report FILE [--clipboard-form] [--levels-set NAME]\n"
    "                  the 37-line statistics report; --clipboard-form writes the\n"
    "                  \"---\" separators of the clipboard copy. By a level set of\n"
    "                  one's own the report keeps its layout with a line per level\n"
    "                  of the set (then その他, 未登録) in both counted blocks and a\n"
    "                  line per level in the lists' use: 25 + 3 x levels lines\n"
    "  coverage FILE [--format text|json] [--known LIST] [--levels-set NAME]\n"
    "                  the share of running words a learner knows at each stage\n"
    "                  (basic, junior, university, general: everything up to that\n"
    "                  level), TAB, the per cent with one decimal; names (words not\n"
    "                  in the dictionary that begin with A-Z) count as known;\n"
    "                  --known adds the line known TAB the per cent of running\n"
    "                  words in the known-word list LIST (names included)\n"
    "                  --levels-set: the stages of the level set NAME of one's own\n"
    "                  instead (key TAB per cent, one line per level of the set)\n"
    "  profile [-r] PATH... [--format tsv|csv|json|xlsx] [-o FILE] [--sort COLUMN]\n"
    "        [--desc] [--threads N] [--levels-set NAME]\n"
    "                  one row per text file (folders: the files in them; -r: in\n"
    "                  their sub-folders too; binary files are skipped with a note):\n"
    "                  tokens, types (distinct words), tokens and types per level\n"
    "                  with their shares, coverage by stage, the stages that reach\n"
    "                  95% and 98%, then a (total) row: tokens summed, types the\n"
    "                  distinct words of all the files together (a word in two\n"
    "                  files counts once). Files are analysed in parallel, on every core\n"
    "                  unless --threads says. A file that fails gets its error in\n"
    "                  its row and the exit status is 1; the others go on. A\n"
    "                  progress bar goes to standard error when it is a terminal.\n"
    "                  --levels-set: the levels and stages of the level set NAME\n"
    "                  (columns tokens_1 .., coverage_1 ..)\n"
    "  merge TABLE...  sums the outputs of table (\"-\" reads standard input): each\n"
    "                  word keeps its first spelling, parts taken in the order given\n"
    "  dict pack IN.txt OUT.dat   plain text lines (CP932, or UTF-8 converted) to a\n"
    "                  compressed list file\n"
    "  dict unpack IN.dat         the lines of a compressed list file\n"
    "  dict lookup WORD [--levels-set NAME]   headwords, spellings, level and Japanese\n"
    "                  glosses of a word\n"
    "                  (the line «訳語: 動 閉じる; 閉める / 形 近い», every group);\n"
    "                  --levels-set NAME: the level in that set of one's own\n"
    "  dict gloss HEADWORD TEXT   sets the user's glosses (\"a; b\", into myLxGloss.dat);\n"
    "                  an empty TEXT hides the shipped ones, --shipped restores them\n"
    "  dict record HEADWORD [--forms \"a,b c\"] [--level 0-4]\n"
    "                  writes the headword with its inflected spellings into the\n"
    "                  user's files (myLxScoop.dat, myLX*.dat) in the data folder,\n"
    "                  or in $XDG_DATA_HOME/lexiscoop (~/.local/share/lexiscoop)\n"
    "                  when the data folder is not writable;\n"
    "                  without --level the headword keeps its level\n"
    "  dict delete HEADWORD       removes the headword (letter case counts)\n"
    "  dict info                  headword and spelling counts, entries per level\n"
    "  sets list                  the user's own level sets: name, then key:level=headwords\n"
    "  sets import NAME FILE... [--keep-unknown]\n"
    "                  makes (or replaces) the level set NAME, one level per FILE\n"
    "                  (named after it) or per name in its level column: plain text\n"
    "                  one word a line, CSV/TSV with a word and an optional level\n"
    "                  column, or the first sheet of an .xlsx workbook; CP932, UTF-8\n"
    "                  or UTF-16. Each word counts for its headword, a word in two\n"
    "                  levels in the first, up to 9 levels. Lines not taken as they\n"
    "                  stand are named on standard error as FILE:LINE: why; words not\n"
    "                  in the dictionary are left out unless --keep-unknown\n"
    "  sets remove NAME\n"
    "  known list [LIST]          the known-word lists with their sizes, or LIST's words\n"
    "  known add LIST WORD... [--keep-unknown]   adds the words' headwords (makes LIST)\n"
    "  known import LIST FILE [--keep-unknown]   adds the words of a list file\n"
    "  known remove LIST WORD...  removes the words' headwords; --all removes LIST\n"
    "                  The sets and lists are kept in the user's data folder (see dict\n"
    "                  record), one file each, changed as the dictionary is.\n"
    "\n"
    "Options:\n"
    "  --data DIR          folder of the dictionary and level-list files\n"
    "                      (default: the program's folder)\n"
    "  --encoding ENC      output encoding: utf8 (default) or sjis (CP932 bytes)\n"
    "  --no-context        count every spelling for the one headword the rule picks,\n"
    "                      without reading it in its sentence (part-of-speech tags)\n"
    "  -h, --help          show this help and exit\n"
    "  -V, --version       show the version and exit\n"
    "\n"
    "Exit status: 0 done, 1 failed (message on standard error), 2 wrong command line,\n"
    "3 the dictionary or a list was changed but standard output could not be written.\n";

struct Command {
  const char* name;
  int (*run)(CliContext&);
};

constexpr Command kCommands[] = {
    {"table", &RunTableCommand},
    {"summary", &RunSummaryCommand},
    {"words", &RunWordsCommand},
    {"report", &RunReportCommand},
    {"coverage", &RunCoverageCommand},
    {"dict", &RunDictCommand},
    {"merge", &RunMergeCommand},
    {"profile", &RunProfileCommand},
    {"sets", &RunSetsCommand},
    {"known", &RunKnownCommand},
};

void WriteAll(FILE* f, std::string_view bytes) {
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
}

}  // namespace

void CliContext::Out(std::string_view cp932) const {
  if (sjisOutput) {
    WriteAll(stdout, cp932);
  } else {
    WriteAll(stdout, Utf8FromCp932(cp932));
  }
}

void CliContext::Changed(const std::string& cp932Line) {
  changeMade = cp932Line;
  Out(cp932Line + "\n");
}

void CliContext::Error(std::string_view cp932) const {
  std::string line = "lexiscoop-cli: " + Utf8FromCp932(cp932) + "\n";
  std::fflush(stdout);
  WriteAll(stderr, line);
}

int RunCli(int argc, char** argv) {
  CliContext context;
  context.dataDir = ExecutableFolder();
  std::string commandName;
  try {
    for (int i = 1; i < argc; ++i) {
      const std::string arg = argv[i];
      auto value = [&](const char* option) -> std::string {
        if (i + 1 >= argc) throw UsageError{std::string("option ") + option + " needs a value"};
        return argv[++i];
      };
      if (arg == "-h" || arg == "--help") {
        WriteAll(stdout, kUsage);
        return kExitOk;
      } else if (arg == "-V" || arg == "--version") {
        WriteAll(stdout, "lexiscoop-cli " LEXISCOOP_VERSION "\n");
        return kExitOk;
      } else if (arg == "--data") {
        context.dataDir = value("--data");
      } else if (arg.rfind("--data=", 0) == 0) {
        context.dataDir = arg.substr(7);
      } else if (arg == "--encoding" || arg.rfind("--encoding=", 0) == 0) {
        const std::string enc = arg == "--encoding" ? value("--encoding") : arg.substr(11);
        if (enc == "sjis" || enc == "cp932" || enc == "shift_jis") context.sjisOutput = true;
        else if (enc == "utf8" || enc == "utf-8") context.sjisOutput = false;
        else throw UsageError{"unknown encoding '" + enc + "' (use utf8 or sjis)"};
      } else if (arg == "--no-context") {
        context.contextReading = false;
      } else if (commandName.empty() && !arg.empty() && arg[0] != '-') {
        commandName = arg;
      } else if (arg == "--") {
        for (++i; i < argc; ++i) context.args.emplace_back(argv[i]);
      } else {
        context.args.push_back(arg);
      }
    }
    if (commandName.empty()) throw UsageError{"no command given"};
    context.userDir = UserDataFolder(context.dataDir);
    for (const Command& command : kCommands) {
      if (commandName == command.name) {
        const int rc = command.run(context);
        const bool flushed = std::fflush(stdout) == 0;
        const int flushError = errno;
        if (!flushed || std::ferror(stdout)) {
          const std::string reason = flushed ? std::string() : std::string(" (") + std::strerror(flushError) + ")";
          if (context.changeMade.empty()) {
            std::fprintf(stderr, "lexiscoop-cli: cannot write the output%s\n", reason.c_str());
            return kExitFailure;
          }
          // The change stands: say it where it can still be read.
          context.Error(context.changeMade);
          std::fprintf(stderr, "lexiscoop-cli: the change above was made, but the output cannot be written%s\n",
                       reason.c_str());
          return kExitChangedOutputLost;
        }
        return rc;
      }
    }
    throw UsageError{"unknown command '" + commandName + "'"};
  } catch (const UsageError& e) {
    std::fprintf(stderr, "lexiscoop-cli: %s\nTry 'lexiscoop-cli --help' for more information.\n",
                 e.message.c_str());
    return kExitUsage;
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "lexiscoop-cli: out of memory\n");
    return kExitFailure;
  } catch (const std::exception& e) {
    context.Error(e.what());
    return kExitFailure;
  }
}

}  // namespace lexiscoop
