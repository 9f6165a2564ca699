#include "cli/ListSession.h"

#include <cstring>
#include <stdexcept>

#include "lists/LevelSetIndex.h"
#include "lists/ListTexts.h"
#include "platform/Cp932.h"

namespace lexiscoop {

void CheckListOutcome(const Status& outcome, const std::string& name) {
  if (outcome.ok()) return;
  // A failure about a file has the file's path as its message.
  const std::string file = Cp932FromUtf8(outcome.message());
  if (outcome.IsNotFound()) throw std::runtime_error(name + ": " + ListMessage(ListText::NoSuchList));
  if (outcome.IsInvalidArgument()) throw std::runtime_error(name + ": " + ListMessage(ListText::BadName));
  if (outcome.IsCorruption()) throw std::runtime_error(file + ": " + ListMessage(ListText::Damaged));
  throw std::runtime_error(file + ": " + ListMessage(ListText::CannotRead, std::strerror(outcome.systemError())) +
                           "; nothing was changed");
}

KnownWordList LoadKnownList(const CliContext& context, const std::string& name) {
  KnownWordList list;
  CheckListOutcome(ListStore(context.userDir).LoadKnownList(name, list), name);
  return list;
}

UserLevelSet LoadLevelSet(const CliContext& context, const std::string& name) {
  UserLevelSet set;
  CheckListOutcome(ListStore(context.userDir).LoadSet(name, set), name);
  return set;
}

void ApplyLevelSet(const CliContext& context, const std::string& name, AnalysisResult& result) {
  if (name.empty()) return;
  LevelSetIndex(LoadLevelSet(context, name)).Apply(result);
}

}  // namespace lexiscoop
