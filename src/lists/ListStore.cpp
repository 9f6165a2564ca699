#include "lists/ListStore.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unordered_set>

#include "dictionary/DictionaryTransaction.h"
#include "lists/ListFileFormat.h"
#include "platform/AtomicFile.h"
#include "platform/Compare.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/FolderPath.h"

namespace lexiscoop {
namespace {

// The kinds of ending a load or change of a stored list has.
enum class ListStoreCode { Done, NoSuchList, Damaged, BadName, NotWritten, Pending };

Status Outcome(ListStoreCode code, int error, const std::string& path) {
  switch (code) {
    case ListStoreCode::Done:
    case ListStoreCode::Pending:  // decided; the next reader or writer completes it
      return Status::OK();
    case ListStoreCode::NoSuchList:
      return Status::NotFound(path, ENOENT);
    case ListStoreCode::Damaged:
      return Status::Corruption(path, error);
    case ListStoreCode::BadName:
      return Status::InvalidArgument({});
    case ListStoreCode::NotWritten:
      break;
  }
  return Status::IoError(path, error);
}

constexpr const char* kSetFolder = "levelsets";
constexpr const char* kKnownFolder = "known";

std::string FoldedKey(std::string_view word) {
  std::string key(word);
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

std::vector<std::string> NamesIn(const std::string& folder, const std::string& extension) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = readdir(dir)) {
    const std::string file = entry->d_name;
    if (file.size() <= extension.size() || file.compare(file.size() - extension.size(), extension.size(), extension) != 0) {
      continue;
    }
    const std::string name = Cp932FromUtf8(file.substr(0, file.size() - extension.size()));
    if (IsListName(name)) names.push_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
  return names;
}

// Reads a stored file under the readers' lock: Done, NoSuchList, Damaged
// or NotWritten (unreadable).
template <typename T>
Status ReadStored(const std::string& folder, const std::string& path, T& out,
                            bool (*decode)(std::string_view, T&)) {
  DictionaryReadLock lock;
  lock.Acquire(folder);
  std::string bytes;
  const int rc = ReadWholeFile(path, bytes, static_cast<int64_t>(kMaxStoredListBytes));
  if (rc == ENOENT) return Outcome(ListStoreCode::NoSuchList, rc, path);
  if (rc == EFBIG) return Outcome(ListStoreCode::Damaged, rc, path);
  if (rc != 0) return Outcome(ListStoreCode::NotWritten, rc, path);
  if (!decode(bytes, out)) return Outcome(ListStoreCode::Damaged, EBADMSG, path);
  return Outcome(ListStoreCode::Done, 0, path);
}

// A change that could not begin: the list's path, and the refusal where
// there is one.
Status NotBegun(const Status& why, const std::string& path) {
  if (why.message().empty()) return Outcome(ListStoreCode::NotWritten, why.systemError(), path);
  return Status::IoError(path + ": " + why.message(), why.systemError());
}

Status FromCommit(const CommitOutcome& outcome, const std::string& path) {
  switch (outcome.state) {
    case CommitState::Applied:
      return Outcome(ListStoreCode::Done, 0, path);
    case CommitState::Pending:
      return Outcome(ListStoreCode::Pending, outcome.status.systemError(), path);
    case CommitState::NotWritten:
      break;
  }
  return NotBegun(outcome.status, path);
}

}  // namespace

bool IsListName(const std::string& name) {
  if (name.empty() || name.size() > kMaxListNameBytes || name[0] == '.') return false;
  for (size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (IsLeadByte(c)) {
      ++i;  // its trail byte may be any value but is never a '/' of the file name
      continue;
    }
    if (c < 0x20 || c == 0x7F || c == '/') return false;
  }
  return Cp932FromUtf8(Utf8FromCp932(name)) == name;
}

ListStore::ListStore(std::string userFolder) : userFolder_(std::move(userFolder)) {}

std::string ListStore::SetPath(const std::string& name) const {
  return JoinPath(JoinPath(userFolder_, kSetFolder), Utf8FromCp932(name) + kLevelSetExtension);
}

std::string ListStore::KnownListPath(const std::string& name) const {
  return JoinPath(JoinPath(userFolder_, kKnownFolder), Utf8FromCp932(name) + kKnownListExtension);
}

std::vector<std::string> ListStore::SetNames() const {
  return NamesIn(JoinPath(userFolder_, kSetFolder), kLevelSetExtension);
}

std::vector<std::string> ListStore::KnownListNames() const {
  return NamesIn(JoinPath(userFolder_, kKnownFolder), kKnownListExtension);
}

Status ListStore::LoadSet(const std::string& name, UserLevelSet& set) const {
  if (!IsListName(name)) return Outcome(ListStoreCode::BadName, 0, {});
  return ReadStored(userFolder_, SetPath(name), set, &DecodeLevelSet);
}

Status ListStore::LoadKnownList(const std::string& name, KnownWordList& list) const {
  if (!IsListName(name)) return Outcome(ListStoreCode::BadName, 0, {});
  return ReadStored(userFolder_, KnownListPath(name), list, &DecodeKnownList);
}

Status ListStore::Store(const std::string& path, std::string bytes) {
  CreateFolderPath(FolderOf(path));
  DictionaryTransaction change(userFolder_, {path});
  if (const Status begun = change.Begin(); !begun.ok()) return NotBegun(begun, path);
  std::string old;
  const int rc = ReadWholeFile(path, old, static_cast<int64_t>(kMaxStoredListBytes));
  if (rc == 0) {
    // Only a whole file of the same kind is replaced.
    UserLevelSet set;
    KnownWordList list;
    if (!DecodeLevelSet(old, set) && !DecodeKnownList(old, list)) return Outcome(ListStoreCode::Damaged, EBADMSG, path);
  } else if (rc != ENOENT) {
    return Outcome(rc == EFBIG ? ListStoreCode::Damaged : ListStoreCode::NotWritten, rc, path);
  }
  change.Replace(path, std::move(bytes));
  return FromCommit(change.Commit(), path);
}

Status ListStore::Remove(const std::string& path) {
  DictionaryTransaction change(userFolder_, {path});
  if (const Status begun = change.Begin(); !begun.ok()) return NotBegun(begun, path);
  if (!FileExists(path)) return Outcome(ListStoreCode::NoSuchList, ENOENT, path);
  if (unlink(path.c_str()) != 0) return Outcome(ListStoreCode::NotWritten, errno, path);
  SyncFolder(FolderOf(path));
  return Outcome(ListStoreCode::Done, 0, path);
}

Status ListStore::SaveSet(const UserLevelSet& set) {
  if (!IsListName(set.name)) return Outcome(ListStoreCode::BadName, 0, {});
  return Store(SetPath(set.name), EncodeLevelSet(set));
}

Status ListStore::RemoveSet(const std::string& name) {
  if (!IsListName(name)) return Outcome(ListStoreCode::BadName, 0, {});
  return Remove(SetPath(name));
}

Status ListStore::RemoveKnownList(const std::string& name) {
  if (!IsListName(name)) return Outcome(ListStoreCode::BadName, 0, {});
  return Remove(KnownListPath(name));
}

Status ListStore::ChangeKnownList(const std::string& name, const std::vector<std::string>& add,
                                            const std::vector<std::string>& remove, bool create, int& changed) {
  changed = 0;
  if (!IsListName(name)) return Outcome(ListStoreCode::BadName, 0, {});
  const std::string path = KnownListPath(name);
  CreateFolderPath(FolderOf(path));
  DictionaryTransaction change(userFolder_, {path});
  if (const Status begun = change.Begin(); !begun.ok()) return NotBegun(begun, path);
  // The list as it is now, under the lock: what others added since stays.
  KnownWordList list;
  std::string old;
  const int rc = ReadWholeFile(path, old, static_cast<int64_t>(kMaxStoredListBytes));
  if (rc == ENOENT) {
    if (!create) return Outcome(ListStoreCode::NoSuchList, rc, path);
    list.name = name;
  } else if (rc != 0) {
    return Outcome(rc == EFBIG ? ListStoreCode::Damaged : ListStoreCode::NotWritten, rc, path);
  } else if (!DecodeKnownList(old, list)) {
    return Outcome(ListStoreCode::Damaged, EBADMSG, path);
  }
  std::unordered_set<std::string> present;
  for (const std::string& headword : list.headwords) present.insert(FoldedKey(headword));
  for (const std::string& headword : add) {
    if (present.insert(FoldedKey(headword)).second) {
      list.headwords.push_back(headword);
      ++changed;
    }
  }
  std::unordered_set<std::string> dropped;
  for (const std::string& headword : remove) {
    if (present.erase(FoldedKey(headword)) > 0) dropped.insert(FoldedKey(headword));
  }
  if (!dropped.empty()) {
    std::erase_if(list.headwords, [&](const std::string& h) { return dropped.count(FoldedKey(h)) > 0; });
    changed += static_cast<int>(dropped.size());
  }
  if (changed == 0 && rc == 0) return Outcome(ListStoreCode::Done, 0, path);
  change.Replace(path, EncodeKnownList(list));
  return FromCommit(change.Commit(), path);
}

}  // namespace lexiscoop
