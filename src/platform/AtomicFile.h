#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/Status.h"

namespace lexiscoop {

// Replaces the file at `path` with `bytes` so that a failed or interrupted
// save never loses the old file: the bytes go to a temporary file in the same
// folder, which is flushed to disk and then renamed over the old one. A
// symbolic link is followed: the file it points to is replaced and the link
// stays. An existing file keeps its permission bits (a read-only file is
// replaced and stays read-only); a new file gets 0644. On failure the status
// carries the errno of the step that failed, the old file is byte for byte
// as it was and no temporary file is left behind.
//
// A character device or a FIFO (`/dev/null`, `/dev/stdout` on a pipe) is
// written to directly, as a user who names one means; a block device is
// refused (EINVAL), a folder too (EISDIR). Temporary files of the same target
// that a killed writer left behind (no live process holds them) are removed
// first.
Status WriteFileAtomically(const std::string& path, std::string_view bytes);

// The same for a writer that makes the file itself by name (a library that
// opens and writes the file): `fill` is called with the name of the
// temporary file, already created and empty, and writes the whole new
// content to it; its failure is returned with nothing replaced. For a device
// or FIFO the content is made in a temporary file under $TMPDIR (or /tmp)
// and then copied to it.
Status WriteFileAtomicallyThrough(const std::string& path,
                                  const std::function<Status(const std::string& tempPath)>& fill);

// The file that writing `path` replaces: `path` itself, or, when it is a
// symbolic link, the file at the end of the chain of links (which need not
// exist yet). A loop of links gives `path` itself.
std::string ResolveWriteTarget(const std::string& path);

// An open file whose exclusive flock tells RemoveAbandonedTemporaries that
// its writer is alive; closed (and the flock let go) with the object.
class HeldFile {
 public:
  HeldFile() = default;
  explicit HeldFile(int fd) : fd_(fd) {}
  HeldFile(HeldFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  HeldFile& operator=(HeldFile&& other) noexcept;
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  ~HeldFile() { Close(); }

  void Close();

 private:
  int fd_ = -1;
};

// A complete new version of a file, written and synced under a temporary
// name "<target>.tmp-XXXXXX" beside it, waiting to be renamed over it. It
// stays held while it waits, so that no other writer of the target takes
// it for one a killed writer left.
struct StagedFile {
  std::string tempPath;
  std::string target;  // the file it replaces (links already followed)
  HeldFile hold;
};

// Writes `bytes` to a new temporary file beside `target` (which must already
// be resolved), syncs it and gives it the target's permission bits (0644 for
// a new file). While the file is written it is held under an exclusive
// flock, by which a later writer tells a live writer's file from one that a
// killed writer left. Returns 0 and fills `staged`, or an errno with nothing left
// behind.
int StageFile(const std::string& target, std::string_view bytes, StagedFile& staged);

// Renames a staged file over its target. Returns 0 or the errno; on failure
// the temporary file is kept (it may still be renamed later).
int RenameStaged(const StagedFile& staged);

// Makes the renames and removals inside `folder` durable ("" = the current
// folder). Returns 0 or an errno.
int SyncFolder(const std::string& folder);

// Removes the temporary files of `target` ("<target>.tmp-XXXXXX" beside it)
// that no live writer holds: those a killed writer left behind.
void RemoveAbandonedTemporaries(const std::string& target);

// Removes the regular file `path` (no link followed) when no live writer
// holds it. Returns true when it was removed.
bool RemoveIfAbandoned(const std::string& path);

// The steps of a write, for tests that make one of them fail.
enum class WriteStep { Open, Write, Flush, Rename };

// Makes every occurrence of `step` on this thread fail (with EIO) until
// reset with std::nullopt, after letting the next `passing` occurrences go
// through unharmed. Each staged file has one Open, Write and Flush; each
// rename of a staged file is one Rename. For tests only.
void SetWriteFaultForTesting(std::optional<WriteStep> step, int passing = 0);

}  // namespace lexiscoop
