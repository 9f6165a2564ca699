#include "dictionary/DictionaryTransaction.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <cstdint>
#include <ctime>
#include <set>

#include "dictionary/DictionaryFiles.h"
#include "dictionary/GlossTable.h"
#include "dictionary/IntentRecord.h"
#include "platform/FileSystem.h"
#include "platform/FolderPath.h"

namespace lexiscoop {
namespace {

constexpr size_t kMaxJournalBytes = 1 << 20;

bool Exists(const std::string& path) {
  struct stat st{};
  return lstat(path.c_str(), &st) == 0;
}

std::string JournalPath(const std::string& dataFolder) { return JoinPath(dataFolder, kJournalFileName); }

std::string LockPath(const std::string& dataFolder) { return JoinPath(dataFolder, kLockFileName); }

// Syncs each distinct folder of `files`' targets.
void SyncFoldersOf(const std::vector<StagedFile>& files) {
  std::set<std::string> folders;
  for (const StagedFile& file : files) folders.insert(FolderOf(file.target));
  for (const std::string& folder : folders) SyncFolder(folder);
}

// The user's files a record may name: those given, and the usual ones in
// `dataFolder` where no path is given for their name.
std::vector<std::string> KnownUserFiles(const std::string& dataFolder, const std::vector<std::string>& given) {
  std::vector<std::string> names{kUserDictionaryFile, kUserGlossFile};
  for (int level = 1; level <= kLevelCount; ++level) names.emplace_back(LevelFiles(level).user);
  std::vector<std::string> known;
  for (const std::string& name : names) {
    std::string path = JoinPath(dataFolder, name);
    for (const std::string& file : given) {
      if (BareName(file) == name) path = file;
    }
    known.push_back(std::move(path));
  }
  return known;
}

// True when `path` is a symbolic link whose chain of links ends nowhere.
bool IsDanglingLink(const std::string& path) {
  struct stat st{};
  if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return false;
  return stat(path.c_str(), &st) != 0;
}

// One rename of a roll-forward: `temp` over `target`, both bare names in
// the folder `folder`.
struct RollForwardStep {
  std::string folder;
  std::string temp;
  std::string target;
};

// Plans the renames of `entries` without changing anything: 0,
// kJournalNamesOutside when a new version is not a regular file of its
// own (a link, a folder), or kJournalTargetIsLink when a file to replace is
// a symbolic link: a record anyone may have written is never followed out
// of the folder it names.
int PlanRollForward(const std::string& dataFolder, const std::vector<IntentEntry>& entries,
                    const std::vector<std::string>& known, std::vector<RollForwardStep>& steps) {
  for (const IntentEntry& entry : entries) {
    std::string path;
    struct stat st{};
    if (const size_t slash = entry.target.find('/'); slash != std::string::npos) {
      // A list folder's file: the folder itself must be one, not a link.
      const std::string folder = JoinPath(dataFolder, entry.target.substr(0, slash));
      if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return kJournalNamesOutside;
      path = JoinPath(dataFolder, entry.target);
    }
    for (const std::string& file : known) {
      if (BareName(file) == entry.target) path = file;
    }
    if (path.empty()) return kJournalNamesOutside;
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) return kJournalTargetIsLink;
    RollForwardStep step{FolderOf(path), BareName(path) + ".tmp-" + entry.suffix, BareName(path)};
    const std::string temp = JoinPath(step.folder, step.temp);
    if (lstat(temp.c_str(), &st) != 0) {
      if (errno == ENOENT) continue;  // renamed before the interruption
      return errno;
    }
    if (!S_ISREG(st.st_mode)) return kJournalNamesOutside;
    steps.push_back(std::move(step));
  }
  return 0;
}

// Renames each step's new version over its file within the folder opened
// once, so that no link in the names is followed.
int RollForward(const std::vector<RollForwardStep>& steps) {
  for (const RollForwardStep& step : steps) {
    const int folder = open(step.folder.empty() ? "." : step.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return errno;
    struct stat st{};
    int rc = 0;
    if (fstatat(folder, step.temp.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
      rc = errno == ENOENT ? 0 : errno;
    } else if (!S_ISREG(st.st_mode)) {
      rc = kJournalNamesOutside;
    } else if (renameat(folder, step.temp.c_str(), folder, step.target.c_str()) != 0) {
      rc = errno;
    } else {
      fsync(folder);
    }
    close(folder);
    if (rc != 0) return rc;
  }
  return 0;
}

// The record's bytes, read without following a link or blocking on a FIFO:
// 0, kJournalNotRegularFile, EFBIG or an errno.
int ReadJournal(const std::string& path, std::string& text) {
  struct stat st{};
  if (lstat(path.c_str(), &st) != 0) return errno;
  if (!S_ISREG(st.st_mode)) return kJournalNotRegularFile;
  const int rc = ReadWholeFile(path, text, kMaxJournalBytes);
  return rc == EISDIR || rc == EINVAL ? kJournalNotRegularFile : rc;
}

}  // namespace

std::string ChangeRefusalText(int rc) {
  switch (rc) {
    case kJournalNamesOutside:
      return std::string(kJournalFileName) + ": names a file outside the data folder; nothing was done";
    case kJournalNotRegularFile:
      return std::string(kJournalFileName) +
             ": not a regular file (a folder, a link or a FIFO); no change can be made until it is removed";
    case kLockNotRegularFile:
      return std::string(kLockFileName) + ": not a regular file (a folder, a link or a FIFO); nothing was done";
    case kUserFileDanglingLink:
      return "a user's dictionary file is a symbolic link to nothing; nothing was done";
    case kJournalTargetIsLink:
      return std::string(kJournalFileName) +
             ": a file it names is a symbolic link, which an interrupted change is never completed through; "
             "nothing was done (put the file itself in the link's place, or remove " + kJournalFileName + ")";
    case ETIMEDOUT:
      return std::string(kLockFileName) + ": another program kept the dictionary locked for " +
             std::to_string(kLockWaitLimitMs / 1000) + " seconds; nothing was done";
    default:
      return {};
  }
}

namespace {

// CompleteInterruptedChange with the outcome as ChangeStatus's code.
int CompleteInterruptedChangeCode(const std::string& dataFolder, const std::vector<std::string>& userFiles);

}  // namespace

Status ChangeStatus(int rc) {
  if (rc == 0) return Status::OK();
  std::string refusal = ChangeRefusalText(rc);
  if (refusal.empty()) return Status::FromErrno(rc);
  switch (rc) {
    case kJournalNamesOutside:
      return Status::Corruption(std::move(refusal));
    case kUserFileDanglingLink:
      return Status::NotFound(std::move(refusal));
    case ETIMEDOUT:
      return Status::IoError(std::move(refusal), rc);
    default:  // a file of the change's that is not a regular file
      return Status::InvalidArgument(std::move(refusal));
  }
}

DictionaryTransaction::DictionaryTransaction(std::string dataFolder, std::vector<std::string> userFiles,
                                             LockWaitNotice notice)
    : dataFolder_(std::move(dataFolder)), userFiles_(std::move(userFiles)), notice_(std::move(notice)) {}

DictionaryTransaction::~DictionaryTransaction() = default;

Status DictionaryTransaction::Begin() {
  // A fresh installation may not have the folder yet.
  if (!dataFolder_.empty() && !FolderExists(dataFolder_)) CreateFolderPath(dataFolder_);
  if (const int rc = lock_.Acquire(LockPath(dataFolder_), FileLock::Mode::Exclusive, notice_); rc != 0) {
    return ChangeStatus(rc);
  }
  lockedAt_ = WallClockNanoseconds();
  if (const int rc = CompleteInterruptedChangeCode(dataFolder_, userFiles_); rc != 0) {
    lock_.Release();
    return ChangeStatus(rc);
  }
  RemoveStaleTemporaries();
  return Status::OK();
}

void DictionaryTransaction::RemoveStaleTemporaries() const {
  std::vector<std::string> targets;
  for (const std::string& file : userFiles_) {
    if (!IsDanglingLink(file)) targets.push_back(ResolveWriteTarget(file));
  }
  targets.push_back(JournalPath(dataFolder_));
  for (const std::string& target : targets) {
    // A file that a live writer holds is not stale, whatever its age.
    for (const std::string& stale : StaleTemporariesOf(target, lockedAt_)) RemoveIfAbandoned(stale);
  }
}

void DictionaryTransaction::Replace(const std::string& path, std::string bytes) {
  // A file of a list folder is named by folder and name, any other by name.
  std::string name = BareName(path);
  const std::string folder = FolderOf(AbsolutePath(path));
  if (FolderOf(folder) == WithoutTrailingSlashes(AbsolutePath(dataFolder_))) {
    const std::string sub = BareName(folder);
    if (std::find(std::begin(kUserListFolders), std::end(kUserListFolders), sub) != std::end(kUserListFolders)) {
      name = sub + "/" + name;
    }
  }
  changes_.push_back({std::move(name), AbsolutePath(ResolveWriteTarget(path)), std::move(bytes), IsDanglingLink(path)});
}

void DictionaryTransaction::Discard(std::vector<StagedFile>& staged) const {
  for (const StagedFile& file : staged) unlink(file.tempPath.c_str());
  staged.clear();
}

CommitOutcome DictionaryTransaction::Commit() {
  if (!lock_.Held()) return {CommitState::NotWritten, ChangeStatus(ENOLCK)};
  if (changes_.empty()) return {};
  for (const Change& change : changes_) {
    if (change.dangling) return {CommitState::NotWritten, ChangeStatus(kUserFileDanglingLink)};
  }
  std::vector<StagedFile> staged;
  std::vector<IntentEntry> entries;
  for (const Change& change : changes_) {
    const std::string folder = FolderOf(change.target);
    if (!folder.empty() && !FolderExists(folder)) CreateFolderPath(folder);
    StagedFile file;
    if (const int rc = StageFile(change.target, change.bytes, file); rc != 0) {
      Discard(staged);
      return {CommitState::NotWritten, ChangeStatus(rc)};
    }
    entries.push_back({change.name, file.tempPath.substr(file.tempPath.size() - 6)});
    staged.push_back(std::move(file));
  }
  // The new files' names must be on disk before the record that lists them.
  SyncFoldersOf(staged);

  StagedFile journal;
  const std::string journalPath = AbsolutePath(JournalPath(dataFolder_));
  if (const int rc = StageFile(journalPath, IntentRecordText(entries), journal); rc != 0) {
    Discard(staged);
    return {CommitState::NotWritten, ChangeStatus(rc)};
  }
  if (const int rc = RenameStaged(journal); rc != 0) {
    unlink(journal.tempPath.c_str());
    Discard(staged);
    return {CommitState::NotWritten, ChangeStatus(rc)};
  }
  // Decided: from here on the change is completed, now or by the next
  // holder of the lock.
  SyncFolder(FolderOf(journalPath));
  for (const StagedFile& file : staged) {
    if (const int rc = RenameStaged(file); rc != 0) return {CommitState::Pending, ChangeStatus(rc)};
  }
  SyncFoldersOf(staged);
  if (unlink(journalPath.c_str()) != 0) return {CommitState::Applied, Status::OK()};
  SyncFolder(FolderOf(journalPath));
  changes_.clear();
  return {};
}

namespace {

int CompleteInterruptedChangeCode(const std::string& dataFolder, const std::vector<std::string>& userFiles) {
  const std::string path = JournalPath(dataFolder);
  if (!Exists(path)) return 0;
  std::string text;
  const int rc = ReadJournal(path, text);
  if (rc != 0 && rc != EFBIG) return rc;
  if (rc == 0) {
    const std::vector<std::string> known = KnownUserFiles(dataFolder, userFiles);
    std::vector<IntentEntry> entries;
    const IntentRecordKind kind = ParseIntentRecord(text, known, entries);
    if (kind == IntentRecordKind::Outside) return kJournalNamesOutside;
    if (kind == IntentRecordKind::Valid) {
      // Every rename is checked before the first is made: a record refused
      // halfway would leave the files half changed.
      std::vector<RollForwardStep> steps;
      if (const int planned = PlanRollForward(dataFolder, entries, known, steps); planned != 0) return planned;
      if (const int renamed = RollForward(steps); renamed != 0) return renamed;
    }
  }
  // A damaged or oversized record decided nothing.
  if (unlink(path.c_str()) != 0 && errno != ENOENT) return errno;
  SyncFolder(FolderOf(path));
  return 0;
}

}  // namespace

Status CompleteInterruptedChange(const std::string& dataFolder, const std::vector<std::string>& userFiles) {
  return ChangeStatus(CompleteInterruptedChangeCode(dataFolder, userFiles));
}

bool HasInterruptedChange(const std::string& dataFolder) { return Exists(JournalPath(dataFolder)); }

bool DictionaryReadLock::LockFileExists(const std::string& dataFolder) { return Exists(LockPath(dataFolder)); }

Status DictionaryReadLock::Acquire(const std::string& dataFolder, const std::vector<std::string>& userFiles,
                                   const LockWaitNotice& notice) {
  return ChangeStatus(AcquireCode(dataFolder, userFiles, notice));
}

int DictionaryReadLock::AcquireCode(const std::string& dataFolder, const std::vector<std::string>& userFiles,
                                    const LockWaitNotice& notice) {
  const std::string lockPath = LockPath(dataFolder);
  const int lockRc = lock_.Acquire(lockPath, FileLock::Mode::Shared, notice);
  if (lockRc == kLockNotRegularFile || lockRc == ETIMEDOUT) return lockRc;
  if (!HasInterruptedChange(dataFolder)) return 0;
  // A record this reader may not complete is left alone, and said so.
  std::string text;
  if (const int rc = ReadJournal(JournalPath(dataFolder), text); rc == kJournalNotRegularFile) return rc;
  std::vector<IntentEntry> entries;
  if (ParseIntentRecord(text, KnownUserFiles(dataFolder, userFiles), entries) == IntentRecordKind::Outside) {
    return kJournalNamesOutside;
  }
  // Completing the change takes the writers' lock; the change this reader
  // then reads is whole.
  int rc = lock_.Held() ? lock_.Change(FileLock::Mode::Exclusive, notice)
                        : lock_.Acquire(lockPath, FileLock::Mode::Exclusive, notice);
  if (rc == 0) rc = CompleteInterruptedChangeCode(dataFolder, userFiles);
  if (lock_.Held()) {
    lock_.Change(FileLock::Mode::Shared, notice);
  } else {
    lock_.Acquire(lockPath, FileLock::Mode::Shared, notice);
  }
  return rc;
}

int64_t WallClockNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

std::vector<std::string> StaleTemporariesOf(const std::string& target, int64_t before) {
  std::vector<std::string> stale;
  const std::string folder = FolderOf(target);
  const std::string prefix = target.substr(folder.empty() ? 0 : folder.size() + (folder == "/" ? 0 : 1)) + ".tmp-";
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return stale;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (name.size() != prefix.size() + 6 || name.substr(0, prefix.size()) != prefix) continue;
    if (!IsTemporarySuffix(name.substr(prefix.size()))) continue;
    const std::string path = JoinPath(folder, std::string(name));
    struct stat st{};
    if (lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec < before) {
      stale.push_back(path);
    }
  }
  closedir(dir);
  return stale;
}

}  // namespace lexiscoop
