#pragma once

#include <cstdint>
#include <string>

namespace lexiscoop {

// A file's identity and version: what tells that a file read earlier may have
// changed since. A file replaced by a rename has a new inode and change time;
// one written in place has a new size, modification or change time.
struct FileStamp {
  bool exists = false;
  uint64_t device = 0;
  uint64_t inode = 0;
  int64_t size = 0;
  int64_t modified = 0;  // ns since the epoch
  int64_t changed = 0;   // status change, ns since the epoch
  bool operator==(const FileStamp&) const = default;
};

// The stamp of `path` now; exists is false when it cannot be read by stat.
FileStamp StampOf(const std::string& path);

}  // namespace lexiscoop
