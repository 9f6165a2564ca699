#include "app/RunController.h"

#include <QFile>
#include <QFileInfo>
#include <utility>

#include "analysis/MyParser.h"
#include "dictionary/Lexicon.h"
#include "platform/FileSystem.h"
#include "ui/BusyCursor.h"
#include "views/ContextReading.h"

namespace lexiscoop {

RunController::RunController(int64_t backgroundLoadBytes, TextFileLoader::ReadFunction readText, QObject* parent)
    : QObject(parent),
      backgroundLoadBytes_(backgroundLoadBytes),
      readsEveryFileInBackground_(static_cast<bool>(readText)),
      parser_(std::make_unique<TMyParser>()) {
  loader_ = new TextFileLoader(
      std::move(readText),
      [this](const QString& path, std::unique_ptr<TMyParser> text) { TextFileLoaded(path, std::move(text)); },
      [this](const QString&, const std::string& message) {
        EndLoading();
        emit loadFailed(message);
      },
      this);
  connect(loader_, &TextFileLoader::progressed, this, [this](int percent) {
    if (state_ == RunState::Loading) emit loadProgressed(percent);
  });
}

RunController::~RunController() = default;

bool RunController::Busy() const {
  return state_ == RunState::Loading || state_ == RunState::Running || state_ == RunState::Rebuilding;
}

bool RunController::ShowsResults() const {
  const RunState settled = Busy() && state_ != RunState::Running ? resumeState_ : state_;
  return settled == RunState::ResultsShown || settled == RunState::Stopped;
}

bool RunController::CanAnalyze() const {
  return state_ == RunState::AwaitingAnalysis || state_ == RunState::Stopped;
}

void RunController::SetState(RunState state) {
  if (state == state_) return;
  const RunState previous = state_;
  state_ = state;
  emit stateChanged(state, previous);
  if ((previous == RunState::Running || previous == RunState::Rebuilding) && closeRequested_) {
    closeRequested_ = false;
    emit closeDue();
  }
}

void RunController::OpenFile(const QString& path) {
  if (Busy() || path == lastFileName_) return;
  const std::string nativePath = QFile::encodeName(path).toStdString();
  if (!FileExists(nativePath)) {
    // Remembered: the same path chosen again does nothing.
    lastFileName_ = path;
    return;
  }
  if (QFileInfo(path).canonicalFilePath() == loadedFile_) {
    // The file of the current text, which holds its lock: it is read again
    // in place.
    BusyCursor busy;
    emit textAboutToBeReplaced();
    loadedFile_.clear();
    parser_->LoadFile(nativePath);
    TextFileLoaded(path, std::move(parser_));
    return;
  }
  if (static_cast<int64_t>(QFileInfo(path).size()) < backgroundLoadBytes_ && !readsEveryFileInBackground_) {
    auto text = std::make_unique<TMyParser>();
    {
      BusyCursor busy;
      text->LoadFile(nativePath);
    }
    TextFileLoaded(path, std::move(text));
    return;
  }
  // A large file is read on a worker: the window keeps painting, and 中止
  // abandons the load. The current text stays until the new one is in.
  loadingName_ = QFileInfo(path).fileName();
  resumeState_ = state_;
  SetState(RunState::Loading);
  loader_->Start(path);
}

void RunController::EndLoading() {
  if (state_ != RunState::Loading) return;
  loader_->Cancel();
  SetState(resumeState_);
}

void RunController::TextFileLoaded(const QString& path, std::unique_ptr<TMyParser> text) {
  EndLoading();
  lastFileName_ = path;
  loadedFile_ = QFileInfo(path).canonicalFilePath();
  emit textAboutToBeReplaced();
  parser_ = std::move(text);
  emit fileOpened(path);
}

bool RunController::AssignText(const std::string& cp932) {
  if (Busy() || cp932 == parser_->FullText()) return false;
  lastFileName_.clear();
  loadedFile_.clear();
  emit textAboutToBeReplaced();
  parser_->AssignText(cp932);
  return true;
}

void RunController::AwaitAnalysis() {
  if (state_ == RunState::Loading) {
    resumeState_ = RunState::AwaitingAnalysis;
    return;
  }
  SetState(RunState::AwaitingAnalysis);
}

bool RunController::ResultsOutdated(const std::shared_ptr<const Lexicon>& current) const {
  return (state_ == RunState::ResultsShown || state_ == RunState::Stopped) && analysedLexicon_ != current;
}

bool RunController::Run(std::shared_ptr<const Lexicon> lexicon, std::shared_ptr<const tagging::TaggerModel> model,
                        const std::function<void()>& started, const std::function<void(int percent)>& pump) {
  if (Busy()) return false;
  if (parser_->FullText().empty()) {
    result_.Clear();
    return false;
  }
  stopRequest_ = 0;
  SetState(RunState::Running);
  ScanEnd end = ScanEnd::Completed;
  try {
    if (started) started();
    ScanControl control;
    control.pump = pump;
    control.stopRequest = &stopRequest_;
    end = AnalyseText(*parser_, result_, lexicon, std::move(model), control);
  } catch (...) {
    SetState(RunState::AwaitingAnalysis);
    throw;
  }
  analysedLexicon_ = std::move(lexicon);
  SetState(end == ScanEnd::Stopped ? RunState::Stopped : RunState::ResultsShown);
  return true;
}

void RunController::Stop() {
  if (state_ == RunState::Loading) {
    EndLoading();
    return;
  }
  stopRequest_ = 1;
}

void RunController::BeginRebuild() {
  if (Busy()) return;
  resumeState_ = state_;
  SetState(RunState::Rebuilding);
}

void RunController::EndRebuild() {
  if (state_ == RunState::Rebuilding) SetState(resumeState_);
}

bool RunController::RequestClose() {
  if (state_ == RunState::Running || state_ == RunState::Rebuilding) {
    // The scan or rebuild loop is still on the stack: stop it and close
    // once it has unwound.
    stopRequest_ = 1;
    closeRequested_ = true;
    return false;
  }
  EndLoading();
  return true;
}

}  // namespace lexiscoop
