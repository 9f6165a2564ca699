#include "profile/ProfileJob.h"

namespace lexiscoop {

ProfileJob::ProfileJob(ProfileFiles files, std::shared_ptr<const LevelLookup> levels, int threads)
    : files_(std::move(files)), levels_(std::move(levels)) {
  progress_.KeepFinished();  // the window shows each file's row as it is done
  thread_ = std::thread([this, threads] {
    results_ = RunProfiles(files_, *levels_, threads, &progress_, &stop_);
    finished_.store(true, std::memory_order_release);
  });
}

ProfileJob::~ProfileJob() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

std::vector<TextProfile> ProfileJob::TakeResults() {
  if (thread_.joinable()) thread_.join();
  return std::move(results_);
}

}  // namespace lexiscoop
