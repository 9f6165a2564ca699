#include "cli/DictionarySession.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "analysis/MyParser.h"
#include "cli/TextInput.h"
#include "dictionary/DictionaryFiles.h"
#include "dictionary/DictionaryTransaction.h"
#include "dictionary/Lexicon.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "tagging/TaggerModel.h"
#include "views/ContextReading.h"
#include "views/WindowCaption.h"

namespace lexiscoop {

LockWaitNotice LockWaitMessage(const CliContext& context) {
  return [&context](int waitedMs) {
    if (waitedMs == 0) context.Error(std::string("waiting for another program's change of the dictionary (") +
                                     kLockFileName + ")...");
  };
}

std::unique_ptr<ConjugationDictionary> LoadDictionary(const CliContext& context) {
  auto dictionary = std::make_unique<ConjugationDictionary>(context.dataDir, context.dataDir, context.userDir);
  if (!dictionary->HasDictionaryFile()) {
    static const Cp932Text kMissing("活用辞典 < %1 > がありません");
    std::string message = kMissing.str();
    message.replace(message.find("%1"), 2, kShippedDictionaryFile);
    throw std::runtime_error(message + " (" + (context.dataDir.empty() ? "." : context.dataDir) + ")");
  }
  dictionary->SetLockWaitNotice(LockWaitMessage(context));
  dictionary->ReloadDictionary(false);
  // A change another process left that was not completed: the files are
  // read as they are, and the user is told why.
  if (const Status& interrupted = dictionary->InterruptedChangeStatus(); !interrupted.ok()) {
    const std::string& refusal = interrupted.message();
    context.Error(refusal.empty() ? std::string("an interrupted change of the dictionary cannot be completed (") +
                                        std::strerror(interrupted.systemError()) + "); the files are read as they are"
                                  : refusal);
  }
  // The window goes on with what loaded; a command line run that would work
  // with a silently emptied list says so instead.
  auto check = [](const Status& loaded, const std::string& path) {
    if (loaded.ok()) return;
    const int status = loaded.systemError();
    std::string why = std::strerror(status);
    if (status == EBADMSG) why = "damaged: not a compressed list file";
    if (status == EFBIG) why = "damaged: holds more than any dictionary (a line over 64 KB, too many lines or items)";
    throw std::runtime_error(path + ": cannot be read (" + why + ")");
  };
  check(dictionary->DictionaryLoadStatus(), dictionary->DictionaryPath());
  for (int level = 1; level <= kLevelCount; ++level) {
    check(dictionary->LevelLoadStatus(level), dictionary->LevelPath(level));
  }
  return dictionary;
}

std::shared_ptr<const tagging::TaggerModel> LoadContextModel(const CliContext& context) {
  // A data folder without a model (a dictionary of one's own) reads by the
  // rule; a model that is there but cannot be used is named.
  const std::string modelPath = JoinPath(context.dataDir, tagging::kTaggerModelFile);
  if (!context.contextReading || !FileExists(modelPath)) return nullptr;
  tagging::TaggerModelLoad load = tagging::TaggerModel::Load(modelPath);
  if (!load.model) context.Error(load.error + "; every word is read by the headword rule");
  return std::move(load.model);
}

AnalysedText AnalyseFile(const CliContext& context, const std::string& path, ConjugationDictionary& dictionary,
                         TMyParser* holder) {
  TMyParser own;
  TMyParser& parser = holder ? *holder : own;
  LoadTextFile(parser, path);
  AnalysedText text;
  const std::shared_ptr<const Lexicon> lexicon = dictionary.CurrentLexicon();
  // The model is read when the first word that needs it is met, so a text
  // the rule reads whole does not wait for it.
  TaggerModelSource model;
  if (context.contextReading && lexicon && FileExists(JoinPath(context.dataDir, tagging::kTaggerModelFile))) {
    model = [&context] { return LoadContextModel(context); };
  }
  AnalyseText(parser, text.result, lexicon, std::move(model));
  if (path == "-") {
    text.caption = CaptionForText(parser.FullText()).value_or(CaptionBase());
  } else {
    text.caption = CaptionForFile(path);
  }
  return text;
}

std::string ArgumentText(const CliContext& context, const std::string& arg) {
  return context.sjisOutput ? arg : Cp932FromUtf8(arg);
}

bool TakeOption(const std::vector<std::string>& args, size_t& i, const char* name, std::string& value) {
  const std::string& arg = args[i];
  const std::string option(name);
  if (arg == option) {
    if (i + 1 >= args.size()) throw UsageError{"option " + option + " needs a value"};
    value = args[++i];
    return true;
  }
  if (arg.size() > option.size() && arg.compare(0, option.size(), option) == 0 &&
      arg[option.size()] == '=') {
    value = arg.substr(option.size() + 1);
    return true;
  }
  return false;
}

}  // namespace lexiscoop
