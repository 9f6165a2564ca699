#pragma once

#include <atomic>
#include <mutex>
#include <cstdint>
#include <string>
#include <vector>

#include "profile/TextProfile.h"

namespace lexiscoop {

class LevelLookup;

// The files of a profile, found from the paths given: a file is taken as it
// is; a folder gives the regular files in it (with `recursive`, in all its
// sub-folders too, without following links to folders), sorted by path,
// names starting with "." left out. A path that does not exist, or a folder
// that cannot be read, becomes a Failed profile in `failures`, at its place.
struct ProfileFiles {
  std::vector<std::string> paths;
  std::vector<int64_t> sizes;  // bytes of each file, 0 if unknown
  std::vector<TextProfile> failures;
  // For every failure, how many paths come before it: its place in the order.
  std::vector<size_t> failurePlaces;
  int64_t TotalBytes() const;
};
ProfileFiles CollectProfileFiles(const std::vector<std::string>& paths, bool recursive);

// Progress of a run, read by another thread while it goes on.
struct ProfileProgress {
  std::atomic<int64_t> filesDone{0};
  std::atomic<int64_t> bytesDone{0};

  // Hands over the profiles finished since the last call, in the order they
  // finished (the run's result keeps the files' order).
  std::vector<TextProfile> TakeFinished();
  // A worker's profile is finished: kept for TakeFinished once asked for.
  void Finished(const TextProfile& profile);
  // Keeps the finished profiles from now on (before the run starts).
  void KeepFinished() { keepFinished_ = true; }

 private:
  std::mutex mutex_;
  std::vector<TextProfile> finished_;
  bool keepFinished_ = false;
};

// Profiles every file on `threads` worker threads (at least 1; at most one
// per file), each taking the next file as it finishes one, all reading the
// one shared lookup. Results are in the order of `files.paths`, failures of
// the collection put in their places, so the output never depends on the
// number of threads. A `stop` set to true makes the workers end the file
// they are on at its next word; that file and the ones not started are left
// out.
std::vector<TextProfile> RunProfiles(const ProfileFiles& files, const LevelLookup& levels, int threads,
                                     ProfileProgress* progress = nullptr, const std::atomic<bool>* stop = nullptr);

// Every core the machine has (at least 1).
int DefaultProfileThreads();

}  // namespace lexiscoop
