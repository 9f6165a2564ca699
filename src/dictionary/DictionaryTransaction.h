#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/AtomicFile.h"
#include "platform/FileLock.h"
#include "platform/Status.h"

namespace lexiscoop {

// The files of a change in the data folder: the lock every reader and writer
// of the user's files takes, and the intent record of a change in progress.
inline constexpr const char* kLockFileName = "lexiscoop.lock";
inline constexpr const char* kJournalFileName = "lexiscoop.journal";

// Why a change was refused, besides an errno (> 0) and kLockNotRegularFile;
// ChangeRefusalText words each.
inline constexpr int kJournalNamesOutside = -21;    // the intent record names a file not ours
inline constexpr int kJournalNotRegularFile = -22;  // the intent record is a folder, link, FIFO...
inline constexpr int kUserFileDanglingLink = -23;   // a user's file links to nothing
inline constexpr int kJournalTargetIsLink = -24;    // the intent record would rename over a link

// The message (ASCII) of a refusal that is not an errno, naming the file:
// «lexiscoop.journal: names a file outside the data folder; nothing was
// done»; "" for an errno.
std::string ChangeRefusalText(int rc);

// The status of an outcome `rc` of a change (0, an errno or a refusal code):
// OK for 0; a refusal carries its ChangeRefusalText as its message (and the
// errno, for a lock that could not be taken in time); any other errno is
// Status::FromErrno with no message.
Status ChangeStatus(int rc);

// How a change ended.
enum class CommitState {
  Applied,     // every file holds the change
  NotWritten,  // no file was changed
  Pending,     // the change is decided (its intent record is on disk) but
               // not every file could be replaced yet; the next reader or
               // writer completes it
};

struct CommitOutcome {
  CommitState state = CommitState::Applied;
  Status status;  // ChangeStatus of the failure; OK when Applied
};

// One change of the user's files as a transaction: all of it or none of it
// reaches the disk, whatever fails and whenever the process dies.
//
// Begin takes the exclusive lock of the data folder, completes a change that
// a crash interrupted and removes temporary files that failed writers left
// beside the user's files. The caller then reads the files (as they are now,
// under the lock), hands the new versions to Replace and calls Commit:
// every new version is written and synced beside its file, then the intent
// record naming them is written, synced and renamed into place (the moment
// the change is decided), then the files are renamed over the old ones and
// the record removed. The lock is released when the object goes.
class DictionaryTransaction {
 public:
  // `dataFolder` holds the lock and the intent record ("" = the current
  // folder); `userFiles` are the files a change may touch, whose stale
  // temporaries Begin removes.
  DictionaryTransaction(std::string dataFolder, std::vector<std::string> userFiles, LockWaitNotice notice = {});
  ~DictionaryTransaction();
  DictionaryTransaction(const DictionaryTransaction&) = delete;
  DictionaryTransaction& operator=(const DictionaryTransaction&) = delete;

  // OK, or why the change cannot go ahead (see ChangeStatus): the lock
  // cannot be taken, or an interrupted change cannot be completed or may not
  // be.
  Status Begin();

  // Makes `bytes` the new content of `path`, one of the user's files, when
  // the change commits. A symbolic link is followed to the file it names;
  // a link to nothing makes Commit refuse (kUserFileDanglingLink).
  void Replace(const std::string& path, std::string bytes);

  // Writes the change. Only after a successful Begin.
  CommitOutcome Commit();

 private:
  struct Change {
    std::string name;    // bare name of the user's file
    std::string target;  // the file written (links followed), absolute
    std::string bytes;
    bool dangling = false;
  };

  void RemoveStaleTemporaries() const;
  void Discard(std::vector<StagedFile>& staged) const;

  std::string dataFolder_;
  std::vector<std::string> userFiles_;
  std::vector<Change> changes_;
  LockWaitNotice notice_;
  FileLock lock_;
  int64_t lockedAt_ = 0;  // ns since the epoch
};

// Completes or discards the change an intent record in `dataFolder`
// describes: every listed new version that still exists is renamed over its
// file, then the record is removed; a damaged record is removed alone (its
// change was never decided). `userFiles` are the user's files a record may
// name (by bare name; the usual files in `dataFolder` where not given). A
// record that names anything else, or whose new version is not a regular
// file there, is left alone with nothing done (kJournalNamesOutside); no
// link but a user's own file, as a writer follows it, is followed. The
// caller holds the exclusive lock. OK when no record is left, else the
// refusal or the errno of the rename that failed (see ChangeStatus).
Status CompleteInterruptedChange(const std::string& dataFolder, const std::vector<std::string>& userFiles = {});

// True when an intent record waits in `dataFolder`.
bool HasInterruptedChange(const std::string& dataFolder);

// A reader's hold on the user's files: the shared lock of the data folder,
// taken after any interrupted change has been completed, so that the files
// read under it are all from one state. A reader never makes the lock file:
// where it is missing no change was ever made, the hold is empty, and a
// reader that finds the file after reading must read again under the lock.
class DictionaryReadLock {
 public:
  // OK, or why an interrupted change could not be completed (the files may
  // then be half changed; see ChangeStatus), the record then left as it is.
  // `userFiles` as for CompleteInterruptedChange.
  Status Acquire(const std::string& dataFolder, const std::vector<std::string>& userFiles = {},
              const LockWaitNotice& notice = {});
  bool Held() const { return lock_.Held(); }

  static bool LockFileExists(const std::string& dataFolder);

 private:
  int AcquireCode(const std::string& dataFolder, const std::vector<std::string>& userFiles,
                  const LockWaitNotice& notice);

  FileLock lock_;
};

// The temporary files named after `target` ("<name>.tmp-XXXXXX" beside it)
// that were last changed before `before` (ns since the epoch).
std::vector<std::string> StaleTemporariesOf(const std::string& target, int64_t before);

// The system clock in ns since the epoch, as file times count.
int64_t WallClockNanoseconds();

}  // namespace lexiscoop
