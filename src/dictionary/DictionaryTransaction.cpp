#include "dictionary/DictionaryTransaction.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <set>

#include "platform/FileSystem.h"
#include "platform/FolderPath.h"

namespace lexiscoop {
namespace {

// Intent record: "LXJ1\n", the number of files, for each the temporary path
// and the target path as "<length>:<bytes>\n", then "END <check>\n" where
// check is the FNV-1a hash (hex) of everything before it.
constexpr char kJournalMagic[] = "LXJ1\n";
constexpr size_t kMaxJournalBytes = 1 << 20;

uint64_t Fnv1a(std::string_view bytes) {
  uint64_t hash = 1469598103934665603ull;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string Hex(uint64_t value) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, value >>= 4) text[static_cast<size_t>(i)] = kDigits[value & 15];
  return text;
}

void PutField(std::string& out, std::string_view field) {
  out += std::to_string(field.size());
  out += ':';
  out += field;
  out += '\n';
}

bool TakeField(std::string_view& in, std::string& field) {
  const size_t colon = in.find(':');
  if (colon == std::string_view::npos || colon == 0 || colon > 9) return false;
  size_t length = 0;
  for (size_t i = 0; i < colon; ++i) {
    if (in[i] < '0' || in[i] > '9') return false;
    length = length * 10 + static_cast<size_t>(in[i] - '0');
  }
  if (in.size() < colon + 1 + length + 1 || in[colon + 1 + length] != '\n') return false;
  field.assign(in.substr(colon + 1, length));
  in.remove_prefix(colon + 1 + length + 1);
  return !field.empty();
}

std::string JournalText(const std::vector<StagedFile>& staged) {
  std::string text = kJournalMagic;
  text += std::to_string(staged.size()) + "\n";
  for (const StagedFile& file : staged) {
    PutField(text, file.tempPath);
    PutField(text, file.target);
  }
  text += "END " + Hex(Fnv1a(text)) + "\n";
  return text;
}

// The files of an intent record; false for a damaged one.
bool ParseJournal(std::string_view text, std::vector<StagedFile>& files) {
  const size_t end = text.rfind("END ");
  if (end == std::string_view::npos || text.substr(end) != "END " + Hex(Fnv1a(text.substr(0, end))) + "\n") {
    return false;
  }
  std::string_view in = text.substr(0, end);
  if (in.substr(0, sizeof kJournalMagic - 1) != kJournalMagic) return false;
  in.remove_prefix(sizeof kJournalMagic - 1);
  const size_t line = in.find('\n');
  if (line == std::string_view::npos) return false;
  in.remove_prefix(line + 1);
  files.clear();
  while (!in.empty()) {
    StagedFile file;
    if (!TakeField(in, file.tempPath) || !TakeField(in, file.target)) return false;
    files.push_back(std::move(file));
  }
  return true;
}

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

bool IsTemporarySuffix(std::string_view suffix) {
  if (suffix.size() != 6) return false;
  for (const char c : suffix) {
    const bool alnum = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!alnum) return false;
  }
  return true;
}

}  // namespace

DictionaryTransaction::DictionaryTransaction(std::string dataFolder, std::vector<std::string> userFiles)
    : dataFolder_(std::move(dataFolder)), userFiles_(std::move(userFiles)) {}

DictionaryTransaction::~DictionaryTransaction() = default;

int DictionaryTransaction::Begin() {
  // A fresh installation may not have the folder yet.
  if (!dataFolder_.empty() && !FolderExists(dataFolder_)) CreateFolderPath(dataFolder_);
  if (const int rc = lock_.Acquire(LockPath(dataFolder_), FileLock::Mode::Exclusive); rc != 0) return rc;
  lockedAt_ = WallClockNanoseconds();
  if (const int rc = CompleteInterruptedChange(dataFolder_); rc != 0) {
    lock_.Release();
    return rc;
  }
  RemoveStaleTemporaries();
  return 0;
}

void DictionaryTransaction::RemoveStaleTemporaries() const {
  std::vector<std::string> targets;
  for (const std::string& file : userFiles_) targets.push_back(ResolveWriteTarget(file));
  targets.push_back(JournalPath(dataFolder_));
  for (const std::string& target : targets) {
    for (const std::string& stale : StaleTemporariesOf(target, lockedAt_)) unlink(stale.c_str());
  }
}

void DictionaryTransaction::Replace(const std::string& path, std::string bytes) {
  changes_.push_back({AbsolutePath(ResolveWriteTarget(path)), std::move(bytes)});
}

void DictionaryTransaction::Discard(std::vector<StagedFile>& staged) const {
  for (const StagedFile& file : staged) unlink(file.tempPath.c_str());
  staged.clear();
}

CommitOutcome DictionaryTransaction::Commit() {
  if (!lock_.Held()) return {CommitState::NotWritten, ENOLCK};
  if (changes_.empty()) return {};
  std::vector<StagedFile> staged;
  for (const Change& change : changes_) {
    const std::string folder = FolderOf(change.target);
    if (!folder.empty() && !FolderExists(folder)) CreateFolderPath(folder);
    StagedFile file;
    if (const int rc = StageFile(change.target, change.bytes, file); rc != 0) {
      Discard(staged);
      return {CommitState::NotWritten, rc};
    }
    staged.push_back(std::move(file));
  }
  // The new files' names must be on disk before the record that lists them.
  SyncFoldersOf(staged);

  StagedFile journal;
  const std::string journalPath = AbsolutePath(JournalPath(dataFolder_));
  if (const int rc = StageFile(journalPath, JournalText(staged), journal); rc != 0) {
    Discard(staged);
    return {CommitState::NotWritten, rc};
  }
  if (const int rc = RenameStaged(journal); rc != 0) {
    unlink(journal.tempPath.c_str());
    Discard(staged);
    return {CommitState::NotWritten, rc};
  }
  // Decided: from here on the change is completed, now or by the next
  // holder of the lock.
  SyncFolder(FolderOf(journalPath));
  for (const StagedFile& file : staged) {
    if (const int rc = RenameStaged(file); rc != 0) return {CommitState::Pending, rc};
  }
  SyncFoldersOf(staged);
  if (unlink(journalPath.c_str()) != 0) return {CommitState::Applied, 0};
  SyncFolder(FolderOf(journalPath));
  changes_.clear();
  return {};
}

int CompleteInterruptedChange(const std::string& dataFolder) {
  const std::string path = JournalPath(dataFolder);
  if (!Exists(path)) return 0;
  std::string text;
  const int rc = ReadWholeFile(path, text, kMaxJournalBytes);
  std::vector<StagedFile> files;
  if (rc == 0 && ParseJournal(text, files)) {
    for (const StagedFile& file : files) {
      // A new version that is gone was renamed before the interruption.
      if (!Exists(file.tempPath)) continue;
      if (const int renamed = RenameStaged(file); renamed != 0) return renamed;
    }
    SyncFoldersOf(files);
  } else if (rc != 0 && rc != EFBIG) {
    return rc;
  }
  if (unlink(path.c_str()) != 0 && errno != ENOENT) return errno;
  SyncFolder(FolderOf(path));
  return 0;
}

bool HasInterruptedChange(const std::string& dataFolder) { return Exists(JournalPath(dataFolder)); }

bool DictionaryReadLock::LockFileExists(const std::string& dataFolder) { return Exists(LockPath(dataFolder)); }

int DictionaryReadLock::Acquire(const std::string& dataFolder) {
  const std::string lockPath = LockPath(dataFolder);
  const bool locked = lock_.Acquire(lockPath, FileLock::Mode::Shared) == 0;
  if (!HasInterruptedChange(dataFolder)) return 0;
  // Completing the change takes the writers' lock; the change this reader
  // then reads is whole.
  int rc = locked ? lock_.Change(FileLock::Mode::Exclusive) : lock_.Acquire(lockPath, FileLock::Mode::Exclusive);
  if (rc == 0) rc = CompleteInterruptedChange(dataFolder);
  if (lock_.Held()) {
    lock_.Change(FileLock::Mode::Shared);
  } else {
    lock_.Acquire(lockPath, FileLock::Mode::Shared);
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
