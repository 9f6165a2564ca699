#pragma once

#include <cstdint>
#include <string>

namespace lexiscoop {

// True when `path` names an existing regular file (or a link to one).
bool FileExists(const std::string& path);

// True when `path` names an existing folder.
bool FolderExists(const std::string& path);

// The size of the file in bytes; -1 when it cannot be read.
int64_t FileSize(const std::string& path);

// Reads the whole file into `bytes`. Returns 0 or the errno of the failure;
// `bytes` is left empty on failure. Refuses anything but a regular file
// (EISDIR for a folder, EINVAL for a FIFO or device), and a file larger than
// `maxBytes` with EFBIG before reading it.
int ReadWholeFile(const std::string& path, std::string& bytes,
                  int64_t maxBytes = INT64_MAX);

// The folder part of a path: everything before the last '/', "/" for a file
// in the root, "" for a bare file name.
std::string FolderOf(const std::string& path);

// Joins a folder and a name with one '/'; a bare name when the folder is empty.
std::string JoinPath(const std::string& folder, const std::string& name);

// `path` without trailing '/' characters; "/" stays "/".
std::string WithoutTrailingSlashes(std::string path);

// `path` made absolute against the current folder (no links resolved);
// `path` itself when the current folder cannot be read.
std::string AbsolutePath(const std::string& path);

// The folder that holds the running executable ("" if unknown).
std::string ExecutableFolder();

}  // namespace lexiscoop
