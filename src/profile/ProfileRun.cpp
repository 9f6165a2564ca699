#include "profile/ProfileRun.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <new>
#include <thread>
#include <utility>

#include "platform/FileSystem.h"

namespace lexiscoop {
namespace {

namespace fs = std::filesystem;

TextProfile FailedPath(const std::string& path, const std::string& why) {
  TextProfile profile;
  profile.path = path;
  profile.status = ProfileStatus::Failed;
  profile.error = why;
  return profile;
}

bool Hidden(const fs::path& path) {
  const std::string name = path.filename().string();
  return !name.empty() && name[0] == '.';
}

// The regular files below `folder`, sorted; "" or what went wrong.
std::string FilesInFolder(const std::string& folder, bool recursive, std::vector<std::string>& out) {
  std::vector<std::string> found;
  std::error_code error;
  if (recursive) {
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
      if (Hidden(it->path())) {
        if (it->is_directory(error)) it.disable_recursion_pending();
        continue;
      }
      if (it->is_regular_file(error)) found.push_back(it->path().string());
    }
  } else {
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
      if (!Hidden(it->path()) && it->is_regular_file(error)) found.push_back(it->path().string());
    }
  }
  if (error) return error.message();
  std::sort(found.begin(), found.end());
  out.insert(out.end(), found.begin(), found.end());
  return "";
}

}  // namespace

int64_t ProfileFiles::TotalBytes() const {
  int64_t total = 0;
  for (const int64_t size : sizes) total += size;
  return total;
}

ProfileFiles CollectProfileFiles(const std::vector<std::string>& paths, bool recursive) {
  ProfileFiles files;
  for (const std::string& path : paths) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    std::string failure;
    if (error || !fs::exists(status)) {
      failure = "no such file or folder";
    } else if (fs::is_directory(status)) {
      failure = FilesInFolder(path, recursive, files.paths);
    } else {
      files.paths.push_back(path);
    }
    if (!failure.empty()) {
      files.failures.push_back(FailedPath(path, failure));
      files.failurePlaces.push_back(files.paths.size());
    }
  }
  files.sizes.reserve(files.paths.size());
  for (const std::string& path : files.paths) files.sizes.push_back(std::max<int64_t>(0, FileSize(path)));
  return files;
}

std::vector<TextProfile> ProfileProgress::TakeFinished() {
  const std::lock_guard<std::mutex> lock(mutex_);
  return std::exchange(finished_, {});
}

void ProfileProgress::Finished(const TextProfile& profile) {
  if (!keepFinished_) return;
  const std::lock_guard<std::mutex> lock(mutex_);
  finished_.push_back(profile);
}

int DefaultProfileThreads() {
  const unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 1 : static_cast<int>(n);
}

std::vector<TextProfile> RunProfiles(const ProfileFiles& files, const LevelLookup& levels, int threads,
                                     ProfileProgress* progress, const std::atomic<bool>* stop) {
  const size_t count = files.paths.size();
  std::vector<TextProfile> results(count);
  std::vector<char> done(count, 0);
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (;;) {
      if (stop != nullptr && stop->load(std::memory_order_relaxed)) return;
      const size_t i = next.fetch_add(1, std::memory_order_relaxed);
      if (i >= count) return;
      try {
        results[i] = ProfileFile(files.paths[i], levels, stop);
      } catch (const std::bad_alloc&) {
        // Out of memory outside the file's own work: still that file's row.
        results[i].path = files.paths[i];
        results[i].status = ProfileStatus::Failed;
        results[i].error = kOutOfMemoryMessage;
      }
      // A file cut short by a stop is not its profile.
      if (stop != nullptr && stop->load(std::memory_order_relaxed)) return;
      done[i] = 1;
      if (progress != nullptr) {
        progress->bytesDone.fetch_add(files.sizes[i], std::memory_order_relaxed);
        progress->filesDone.fetch_add(1, std::memory_order_relaxed);
        progress->Finished(results[i]);
      }
    }
  };
  const size_t workers = std::min(count, static_cast<size_t>(std::max(1, threads)));
  std::vector<std::thread> pool;
  for (size_t t = 1; t < workers; ++t) pool.emplace_back(work);
  work();
  for (std::thread& thread : pool) thread.join();

  std::vector<TextProfile> ordered;
  ordered.reserve(count + files.failures.size());
  size_t failure = 0;
  for (size_t i = 0; i <= count; ++i) {
    while (failure < files.failures.size() && files.failurePlaces[failure] == i) {
      ordered.push_back(files.failures[failure++]);
    }
    if (i < count && done[i]) ordered.push_back(std::move(results[i]));
  }
  return ordered;
}

}  // namespace lexiscoop
