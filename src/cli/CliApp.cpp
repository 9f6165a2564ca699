#include "cli/CliApp.h"

#include <cstdio>
#include <exception>

#include "cli/CliCommands.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/MessageHook.h"

namespace lexiscoop {
namespace {

constexpr const char* kUsage =
    "Usage: lexiscoop-cli [--data DIR] [--encoding utf8|sjis] COMMAND [ARGS]\n"
    "\n"
    "Picks the English words out of a text (Shift-JIS, UTF-8 or UTF-16), counts\n"
    "them and classifies them by learner level.\n"
    "\n"
    "Commands:\n"
    "  table FILE      every distinct word in order of first appearance, TAB, count\n"
    "  summary FILE    the summary line: distinct words, words, reading time, bytes\n"
    "\n"
    "Options:\n"
    "  --data DIR          folder of the dictionary files (default: the program's folder)\n"
    "  --encoding ENC      output encoding: utf8 (default) or sjis (CP932 bytes)\n"
    "  -h, --help          show this help and exit\n"
    "  -V, --version       show the version and exit\n";

struct Command {
  const char* name;
  int (*run)(CliContext&);
};

constexpr Command kCommands[] = {
    {"table", &RunTableCommand},
    {"summary", &RunSummaryCommand},
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

void CliContext::Error(std::string_view cp932) const {
  std::string line = "lexiscoop-cli: " + Utf8FromCp932(cp932) + "\n";
  std::fflush(stdout);
  WriteAll(stderr, line);
}

int RunCli(int argc, char** argv) {
  CliContext context;
  context.dataDir = ExecutableFolder();
  SetMessageHandler([&context](std::string_view text) { context.Error(text); });
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
      } else if (commandName.empty() && !arg.empty() && arg[0] != '-') {
        commandName = arg;
      } else if (arg == "--") {
        for (++i; i < argc; ++i) context.args.emplace_back(argv[i]);
      } else {
        context.args.push_back(arg);
      }
    }
    if (commandName.empty()) throw UsageError{"no command given"};
    for (const Command& command : kCommands) {
      if (commandName == command.name) {
        const int rc = command.run(context);
        std::fflush(stdout);
        if (std::ferror(stdout)) {
          std::fprintf(stderr, "lexiscoop-cli: cannot write the output\n");
          return kExitFailure;
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
