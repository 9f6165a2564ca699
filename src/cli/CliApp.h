#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace lexiscoop {

// Exit statuses of lexiscoop-cli.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // the work failed (unreadable file, bad data)
constexpr int kExitUsage = 2;    // the command line was wrong
// The user's files were changed as asked, but standard output could not be
// written: the change is said on standard error instead.
constexpr int kExitChangedOutputLost = 3;

// Thrown by commands for a wrong command line; RunCli prints it with the usage hint.
struct UsageError {
  std::string message;
};

// What every command gets: the options common to all commands and its own
// arguments (everything after the command name, global options removed).
struct CliContext {
  std::string dataDir;             // folder of the dictionary files
  std::string userDir;             // folder of the user's my… files (UserDataFolder)
  bool sjisOutput = false;         // write CP932 bytes instead of UTF-8
  bool contextReading = true;      // read ambiguous words by their part of speech in the sentence
  std::vector<std::string> args;   // the command's own arguments

  // Writes CP932 text to standard output, converted unless sjisOutput.
  void Out(std::string_view cp932) const;
  // Writes CP932 text as one line (LF) to standard error, converted to UTF-8.
  void Error(std::string_view cp932) const;
  // Writes the line (CP932, no line end) that confirms a change made to the
  // user's files, and keeps it, so that it is said on standard error should
  // standard output fail.
  void Changed(const std::string& cp932Line);

  std::string changeMade;  // the confirmation of a change made, "" when none
};

// Runs lexiscoop-cli; returns the exit status.
int RunCli(int argc, char** argv);

}  // namespace lexiscoop
