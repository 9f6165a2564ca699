#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "analysis/MyParser.h"

namespace lexiscoop {

// Reads and converts a text file on a worker thread, so that the window
// keeps painting and can stop the load; the text comes back, on the thread
// that started the load, as a ready text holder that replaces the current
// one only then.
class TextFileLoader : public QObject {
  Q_OBJECT

 public:
  // Reads the file at the native path into a new text holder, calling
  // `progress` as it goes and stopping when it returns false; may throw
  // std::exception with a message (CP932) for the user. Runs on the worker.
  using ReadFunction =
      std::function<std::unique_ptr<TMyParser>(const std::string& nativePath, const LoadProgress& progress)>;
  using LoadedFunction = std::function<void(const QString& path, std::unique_ptr<TMyParser> text)>;
  using FailedFunction = std::function<void(const QString& path, const std::string& cp932Message)>;

  // `read` empty: TMyParser::LoadFile. `loaded` and `failed` are called on
  // this object's thread, after Start, for the load that is not cancelled.
  TextFileLoader(ReadFunction read, LoadedFunction loaded, FailedFunction failed, QObject* parent = nullptr);
  // A load under way is abandoned: the worker ends on its own and its text
  // is dropped.
  ~TextFileLoader() override;
  TextFileLoader(const TextFileLoader&) = delete;
  TextFileLoader& operator=(const TextFileLoader&) = delete;

  // Starts loading `path`; false (and nothing started) while a load is
  // under way.
  bool Start(const QString& path);
  // Abandons the load under way; neither callback is called for it. The
  // worker stops at its next progress step, which closes the file.
  void Cancel();
  bool Busy() const { return job_ != nullptr; }

 signals:
  // The load under way has done `percent` of its work (read and
  // converted); sent whenever the figure changes.
  void progressed(int percent);

 private:
  struct Job;
  struct Outcome;
  void Finish(const std::shared_ptr<Job>& job, const std::shared_ptr<Outcome>& outcome);
  void Progress(const std::shared_ptr<Job>& job, int percent);

  ReadFunction read_;
  LoadedFunction loaded_;
  FailedFunction failed_;
  std::shared_ptr<Job> job_;
};

}  // namespace lexiscoop
