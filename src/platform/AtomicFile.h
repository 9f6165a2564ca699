#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lexiscoop {

// Replaces the file at `path` with `bytes` so that a failed or interrupted
// save never loses the old file: the bytes go to a temporary file in the same
// folder, which is flushed to disk and then renamed over the old one. A
// symbolic link is followed: the file it points to is replaced and the link
// stays. An existing file keeps its permission bits (a read-only file is
// replaced and stays read-only); a new file gets 0644. Returns 0, or the
// errno of the step that failed, in which case the old file is byte for byte
// as it was and no temporary file is left behind.
int WriteFileAtomically(const std::string& path, std::string_view bytes);

// The file that writing `path` replaces: `path` itself, or, when it is a
// symbolic link, the file at the end of the chain of links (which need not
// exist yet). A loop of links gives `path` itself.
std::string ResolveWriteTarget(const std::string& path);

// A complete new version of a file, written and synced under a temporary
// name "<target>.tmp-XXXXXX" beside it, waiting to be renamed over it.
struct StagedFile {
  std::string tempPath;
  std::string target;  // the file it replaces (links already followed)
};

// Writes `bytes` to a new temporary file beside `target` (which must already
// be resolved), syncs it and gives it the target's permission bits (0644 for
// a new file). Returns 0 and fills `staged`, or an errno with nothing left
// behind.
int StageFile(const std::string& target, std::string_view bytes, StagedFile& staged);

// Renames a staged file over its target. Returns 0 or the errno; on failure
// the temporary file is kept (it may still be renamed later).
int RenameStaged(const StagedFile& staged);

// Makes the renames and removals inside `folder` durable ("" = the current
// folder). Returns 0 or an errno.
int SyncFolder(const std::string& folder);

// The steps of a write, for tests that make one of them fail.
enum class WriteStep { Open, Write, Flush, Rename };

// Makes every occurrence of `step` on this thread fail (with EIO) until
// reset with std::nullopt, after letting the next `passing` occurrences go
// through unharmed. Each staged file has one Open, Write and Flush; each
// rename of a staged file is one Rename. For tests only.
void SetWriteFaultForTesting(std::optional<WriteStep> step, int passing = 0);

}  // namespace lexiscoop
