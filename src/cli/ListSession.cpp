#include "cli/ListSession.h"

#include <cstring>
#include <stdexcept>

#include "lists/ListTexts.h"
#include "platform/Cp932.h"

namespace lexiscoop {

void CheckListOutcome(const ListStoreOutcome& outcome, const std::string& name) {
  const std::string file = Cp932FromUtf8(outcome.file);
  switch (outcome.code) {
    case ListStoreCode::Done:
    case ListStoreCode::Pending:  // decided; the next reader or writer completes it
      return;
    case ListStoreCode::NoSuchList:
      throw std::runtime_error(name + ": " + ListMessage(ListText::NoSuchList));
    case ListStoreCode::BadName:
      throw std::runtime_error(name + ": " + ListMessage(ListText::BadName));
    case ListStoreCode::Damaged:
      throw std::runtime_error(file + ": " + ListMessage(ListText::Damaged));
    case ListStoreCode::NotWritten:
      break;
  }
  throw std::runtime_error(file + ": " + ListMessage(ListText::CannotRead, std::strerror(outcome.error)) +
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

}  // namespace lexiscoop
