#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lexiscoop {

// Replaces the file at `path` with `bytes` so that a failed or interrupted
// save never loses the old file: the bytes go to a temporary file in the same
// folder, which is flushed to disk and then renamed over the old one. An
// existing file keeps its permission bits (a read-only file is replaced and
// stays read-only); a new file gets 0644. Returns 0, or the errno of the step
// that failed, in which case the old file is byte for byte as it was and no
// temporary file is left behind.
int WriteFileAtomically(const std::string& path, std::string_view bytes);

// The steps of WriteFileAtomically, for tests that make one of them fail.
enum class WriteStep { Open, Write, Flush, Rename };

// Makes the writes on this thread fail at `step` (with EIO) until reset with
// std::nullopt, after letting the next `passing` calls of
// WriteFileAtomically go through unharmed. For tests only.
void SetWriteFaultForTesting(std::optional<WriteStep> step, int passing = 0);

}  // namespace lexiscoop
