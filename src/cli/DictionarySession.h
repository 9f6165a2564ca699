#pragma once

#include <memory>
#include <string>

#include "analysis/Analysis.h"
#include "cli/CliApp.h"
#include "dictionary/ConjugationDictionary.h"
#include "tagging/TaggerModel.h"

namespace lexiscoop {

class TMyParser;

// The dictionary of the data folder (--data), with the level lists looked up
// in the same folder. Throws std::runtime_error (CP932 message) when the
// folder holds neither dictionary file. Says reloads and changes made with it on standard error when another
// program holds the dictionary's lock and this one waits for it.
std::unique_ptr<ConjugationDictionary> LoadDictionary(const CliContext& context);

// Tells on standard error, once per wait, that the command waits for
// another program's lock on the user's files.
LockWaitNotice LockWaitMessage(const CliContext& context);

// One text analysed against a dictionary, as the window holds it after a run.
struct AnalysedText {
  AnalysisResult result;
  std::string caption;  // the window caption that names the text (CP932)
};

// The tagger model of the data folder that words are read in context with;
// null when context reading is off or the folder has none, and null after
// naming the fault on standard error when the model cannot be used.
std::shared_ptr<const tagging::TaggerModel> LoadContextModel(const CliContext& context);

// Loads FILE ("-" for standard input), counts its words and classifies them.
// The text's errors (unreadable file, text too large) pass on as exceptions.
// With `holder`, the text is loaded into it and stays there for the caller.
// Unless context reading is off, the words with more than one candidate
// headword are then read in their sentences with the data folder's tagger
// model; without one the rule reads them, and a model that cannot be used is
// named on standard error before the rule reads them.
AnalysedText AnalyseFile(const CliContext& context, const std::string& path, ConjugationDictionary& dictionary,
                         TMyParser* holder = nullptr);

// A command-line word as CP932: converted from UTF-8 unless --encoding sjis.
std::string ArgumentText(const CliContext& context, const std::string& arg);

// Splits an option "--name=value" or "--name value" off args[i]; returns
// false when args[i] is not the option. Throws UsageError for a missing value.
bool TakeOption(const std::vector<std::string>& args, size_t& i, const char* name, std::string& value);

}  // namespace lexiscoop
