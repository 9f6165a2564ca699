#pragma once

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "profile/LevelLookup.h"
#include "profile/ProfileRun.h"

namespace lexiscoop {

// One profile run in the background: RunProfiles on a thread of its own,
// which a window starts, watches (Progress, Finished) and can stop. The job
// owns its files and shares the lookup, so the caller may change its own
// dictionary meanwhile.
class ProfileJob {
 public:
  ProfileJob(ProfileFiles files, std::shared_ptr<const LevelLookup> levels, int threads);
  // Stops the run and waits for it.
  ~ProfileJob();
  ProfileJob(const ProfileJob&) = delete;
  ProfileJob& operator=(const ProfileJob&) = delete;

  // Asks the workers to end after the files they are on.
  void Stop() { stop_ = true; }
  bool Stopped() const { return stop_; }
  // True once the run has ended (completed or stopped).
  bool Finished() const { return finished_.load(std::memory_order_acquire); }
  const ProfileProgress& Progress() const { return progress_; }
  // The profiles finished since the last call (see ProfileProgress).
  std::vector<TextProfile> TakeFinished() { return progress_.TakeFinished(); }
  const ProfileFiles& Files() const { return files_; }
  // Waits for the end and hands over the profiles (once).
  std::vector<TextProfile> TakeResults();

 private:
  ProfileFiles files_;
  std::shared_ptr<const LevelLookup> levels_;
  ProfileProgress progress_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> finished_{false};
  std::vector<TextProfile> results_;
  std::thread thread_;
};

}  // namespace lexiscoop
