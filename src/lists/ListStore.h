#pragma once

#include <string>
#include <vector>

#include "lists/UserLevelSet.h"

namespace lexiscoop {

// How a load or change of a stored list ended.
enum class ListStoreCode {
  Done,
  NoSuchList,   // no stored list of that name
  Damaged,      // the stored file is not whole (`file` names it); nothing written
  BadName,      // the name cannot name a list
  NotWritten,   // the change failed before anything was written (`error`)
  Pending,      // the change is decided but completes at the next reader or writer
};

struct ListStoreOutcome {
  ListStoreCode code = ListStoreCode::Done;
  int error = 0;     // errno where one is the cause
  std::string file;  // the file concerned (as a path of the file system)

  bool ok() const { return code == ListStoreCode::Done || code == ListStoreCode::Pending; }
};

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

  ListStoreOutcome LoadSet(const std::string& name, UserLevelSet& set) const;
  ListStoreOutcome LoadKnownList(const std::string& name, KnownWordList& list) const;

  // Stores `set` under its name, replacing an earlier set of that name.
  ListStoreOutcome SaveSet(const UserLevelSet& set);
  ListStoreOutcome RemoveSet(const std::string& name);

  // Adds `add` to and then removes `remove` from the known list `name`
  // (headwords, ASCII letter case ignored), creating it when `create`.
  // `changed` counts the headwords added or removed.
  ListStoreOutcome ChangeKnownList(const std::string& name, const std::vector<std::string>& add,
                                   const std::vector<std::string>& remove, bool create, int& changed);
  ListStoreOutcome RemoveKnownList(const std::string& name);

  std::string SetPath(const std::string& name) const;
  std::string KnownListPath(const std::string& name) const;

 private:
  ListStoreOutcome Store(const std::string& path, std::string bytes);
  ListStoreOutcome Remove(const std::string& path);

  std::string userFolder_;
};

// True when `name` (CP932) can name a list: 1..64 bytes, no control
// character or '/', not starting with '.', and made of characters CP932 has.
bool IsListName(const std::string& name);

}  // namespace lexiscoop
