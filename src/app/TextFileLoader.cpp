#include "app/TextFileLoader.h"

#include <QFile>
#include <exception>
#include <mutex>
#include <thread>

#include "analysis/MyParser.h"

namespace lexiscoop {

// What the worker shares with the loader: the loader to report to, cleared
// when the load is abandoned. The worker posts its outcome under the mutex,
// so the loader cannot go away between the check and the post; a posted
// outcome whose loader has gone is dropped with the loader's events.
struct TextFileLoader::Job {
  std::mutex mutex;
  TextFileLoader* owner = nullptr;
};

struct TextFileLoader::Outcome {
  QString path;
  std::unique_ptr<TMyParser> text;
  std::string error;  // CP932; empty when the text was read
};

TextFileLoader::TextFileLoader(ReadFunction read, LoadedFunction loaded, FailedFunction failed, QObject* parent)
    : QObject(parent), read_(std::move(read)), loaded_(std::move(loaded)), failed_(std::move(failed)) {
  if (!read_) {
    read_ = [](const std::string& nativePath) {
      auto text = std::make_unique<TMyParser>();
      text->LoadFile(nativePath);
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
    try {
      outcome->text = read(nativePath);
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
  {
    const std::lock_guard<std::mutex> lock(job_->mutex);
    job_->owner = nullptr;
  }
  job_.reset();
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
