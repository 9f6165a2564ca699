#pragma once

#include <string>
#include <vector>

#include "lists/UserLevelSet.h"
#include "platform/Status.h"

namespace lexiscoop {

// How a load or change of a stored list ends: a Status, OK when done (a
// change that is decided but completes at the next reader or writer is
// done too); NotFound when there is no stored list of that name,
// Corruption when the stored file is not whole, InvalidArgument when the
// name cannot name a list (message empty), IoError when the change failed
// before anything was written (systemError() says why: an errno or a
// refusal code of DictionaryTransaction.h). The message of a failure about a
// file is that file's path.
// The level sets and known-word lists of the user, one file each in the
// folders "levelsets" and "known" of the user's data folder (see
// ListFileFormat.h). Every change is a dictionary transaction on the data
// folder (its lock, intent record and all-or-nothing renames), and a change
// reads the file again under the lock, so changes of other processes made
// in the meantime are kept. A damaged file is reported and never written
// over (it may be removed).
class ListStore {
 public:
  explicit ListStore(std::string userFolder);

  // The names (CP932) of the stored sets / known lists, in CompareText order.
  std::vector<std::string> SetNames() const;
  std::vector<std::string> KnownListNames() const;

  Status LoadSet(const std::string& name, UserLevelSet& set) const;
  Status LoadKnownList(const std::string& name, KnownWordList& list) const;

  // Stores `set` under its name, replacing an earlier set of that name.
  Status SaveSet(const UserLevelSet& set);
  Status RemoveSet(const std::string& name);

  // Adds `add` to and then removes `remove` from the known list `name`
  // (headwords, ASCII letter case ignored), creating it when `create`.
  // `changed` counts the headwords added or removed.
  Status ChangeKnownList(const std::string& name, const std::vector<std::string>& add,
                                   const std::vector<std::string>& remove, bool create, int& changed);
  Status RemoveKnownList(const std::string& name);

  std::string SetPath(const std::string& name) const;
  std::string KnownListPath(const std::string& name) const;

 private:
  Status Store(const std::string& path, std::string bytes);
  Status Remove(const std::string& path);

  std::string userFolder_;
};

// True when `name` (CP932) can name a list: 1..64 bytes, no control
// character or '/', not starting with '.', and made of characters CP932 has.
bool IsListName(const std::string& name);

}  // namespace lexiscoop
