#include "app/TextFileLoader.h"

#include <QFile>
#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>


namespace lexiscoop {

// What the worker shares with the loader: the loader to report to, cleared
// when the load is abandoned. The worker posts its progress and outcome
// under the mutex, so the loader cannot go away between the check and the
// post; a posted report whose loader has gone is dropped with the loader's
// events.
struct TextFileLoader::Job {
  std::mutex mutex;
  TextFileLoader* owner = nullptr;
  std::atomic<bool> abandoned{false};  // read by the worker at every step
  int percent = -1;                    // the last figure reported (worker only)
};

struct TextFileLoader::Outcome {
  QString path;
  std::unique_ptr<TMyParser> text;
  std::string error;  // CP932; empty when the text was read
};

TextFileLoader::TextFileLoader(ReadFunction read, LoadedFunction loaded, FailedFunction failed, QObject* parent)
    : QObject(parent), read_(std::move(read)), loaded_(std::move(loaded)), failed_(std::move(failed)) {
  if (!read_) {
    read_ = [](const std::string& nativePath, const LoadProgress& progress) {
      auto text = std::make_unique<TMyParser>();
      text->LoadFile(nativePath, progress);
      return text;
    };
  }
}

TextFileLoader::~TextFileLoader() { Cancel(); }

bool TextFileLoader::Start(const QString& path) {
  if (job_ != nullptr) return false;
  auto job = std::make_shared<Job>();
  job->owner = this;
  job_ = job;
  const std::string nativePath = QFile::encodeName(path).toStdString();
  std::thread([job, read = read_, path, nativePath] {
    auto outcome = std::make_shared<Outcome>();
    outcome->path = path;
    // Reports each new per cent, and stops the read once abandoned.
    const LoadProgress progress = [job](int64_t done, int64_t total) {
      if (job->abandoned.load(std::memory_order_relaxed)) return false;
      const int percent = total > 0 ? static_cast<int>(std::clamp<int64_t>(done * 100 / total, 0, 100)) : 0;
      if (percent == job->percent) return true;
      job->percent = percent;
      const std::lock_guard<std::mutex> lock(job->mutex);
      if (job->owner == nullptr) return false;
      TextFileLoader* owner = job->owner;
      QMetaObject::invokeMethod(
          owner, [owner, job, percent] { owner->Progress(job, percent); }, Qt::QueuedConnection);
      return true;
    };
    try {
      outcome->text = read(nativePath, progress);
    } catch (const std::exception& failure) {
      outcome->error = failure.what();
      if (outcome->error.empty()) outcome->error = "?";
    } catch (...) {
      outcome->error = "?";
    }
    const std::lock_guard<std::mutex> lock(job->mutex);
    if (job->owner == nullptr) return;  // abandoned: the text goes with this thread
    TextFileLoader* owner = job->owner;
    QMetaObject::invokeMethod(
        owner, [owner, job, outcome] { owner->Finish(job, outcome); }, Qt::QueuedConnection);
  }).detach();
  return true;
}

void TextFileLoader::Cancel() {
  if (job_ == nullptr) return;
  job_->abandoned = true;
  {
    const std::lock_guard<std::mutex> lock(job_->mutex);
    job_->owner = nullptr;
  }
  job_.reset();
}

void TextFileLoader::Progress(const std::shared_ptr<Job>& job, int percent) {
  if (job == job_) emit progressed(percent);
}

void TextFileLoader::Finish(const std::shared_ptr<Job>& job, const std::shared_ptr<Outcome>& outcome) {
  if (job != job_) return;  // cancelled after the worker had posted
  job_.reset();
  if (outcome->error.empty()) {
    loaded_(outcome->path, std::move(outcome->text));
  } else {
    failed_(outcome->path, outcome->error);
  }
}

}  // namespace lexiscoop
