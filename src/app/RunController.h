#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "analysis/Analysis.h"
#include "app/RunState.h"
#include "app/TextFileLoader.h"

namespace lexiscoop {

class Lexicon;
namespace tagging {
class TaggerModel;
}
class TMyParser;

// The main window's text and its analysis: the text holder, the run's
// result, the background load and the window's one RunState. It owns no
// widget; the window follows it through its signals.
class RunController : public QObject {
  Q_OBJECT

 public:
  // Files of at least `backgroundLoadBytes` bytes (or every file, when
  // `readText` is given) are read on a worker thread.
  RunController(int64_t backgroundLoadBytes, TextFileLoader::ReadFunction readText, QObject* parent = nullptr);
  ~RunController() override;
  RunController(const RunController&) = delete;
  RunController& operator=(const RunController&) = delete;

  RunState State() const { return state_; }
  // Loading, Running or Rebuilding: nothing may replace the text, the
  // dictionary or the result meanwhile.
  bool Busy() const;
  // A run's results are shown (also while the list is rebuilt from them, or
  // a file loads over them).
  bool ShowsResults() const;
  // 抽出 may start a run: on a new text, or again after a stopped one.
  bool CanAnalyze() const;

  const TMyParser& Text() const { return *parser_; }
  const AnalysisResult& Result() const { return result_; }
  AnalysisResult& Result() { return result_; }
  // The lexicon the results shown were classified with.
  const std::shared_ptr<const Lexicon>& AnalysedLexicon() const { return analysedLexicon_; }
  // The path opened last (also one that named no file), or empty for a text
  // that came from no file.
  const QString& LastFileName() const { return lastFileName_; }
  // The file name of the background load under way.
  const QString& LoadingName() const { return loadingName_; }

  // Makes the file's contents the current text: nothing for the path
  // opened last, nor while busy; a path that names no file is remembered
  // and ignored. A large file loads in the background. Either way
  // textReplaced follows once the text is in. Throws what the text holder
  // throws.
  void OpenFile(const QString& path);
  // Makes `cp932` the current text; false (nothing changed) while busy or
  // when it already is the current text. Throws what the text holder throws.
  bool AssignText(const std::string& cp932);
  // A new text or a new dictionary: the results are gone, 抽出 is offered.
  void AwaitAnalysis();
  // Whether the results shown were classified with another lexicon than
  // `current` (and nothing is busy with them).
  bool ResultsOutdated(const std::shared_ptr<const Lexicon>& current) const;

  // Enters Running, calls `started`, scans the text, calling `pump` with
  // the progress, and classifies the words with `lexicon`, reading the
  // ambiguous ones in their sentences with `model` unless it is null: then
  // ResultsShown, or Stopped after Stop. False (and nothing done) while
  // busy; false with the result cleared for an empty text. A failure puts
  // the state back to AwaitingAnalysis and is rethrown.
  bool Run(std::shared_ptr<const Lexicon> lexicon, std::shared_ptr<const tagging::TaggerModel> model,
           const std::function<void()>& started, const std::function<void(int percent)>& pump);
  // 中止: abandons a load at once, or ends the run at its next word.
  void Stop();
  // The list rebuild over the results shown.
  void BeginRebuild();
  void EndRebuild();

  // The window asks to close: true when it may close now (a load under way
  // is abandoned); false when a run or rebuild must unwind first, which is
  // asked to stop: closeDue follows once it has ended.
  bool RequestClose();

 signals:
  // The state changed from `previous` to `state`.
  void stateChanged(RunState state, RunState previous);
  // The current text is about to be replaced: views of it must let go.
  void textAboutToBeReplaced();
  // A file's text is the current text; `path` as it was opened.
  void fileOpened(const QString& path);
  // The background load has done `percent` of its work.
  void loadProgressed(int percent);
  // A close asked for during a run or rebuild may go ahead now.
  void closeDue();
  // The background load failed with `cp932Message`; the text stays as it was.
  void loadFailed(const std::string& cp932Message);

 private:
  void SetState(RunState state);
  // Leaves Loading for the state the load started from.
  void EndLoading();
  void TextFileLoaded(const QString& path, std::unique_ptr<TMyParser> text);

  int64_t backgroundLoadBytes_;
  bool readsEveryFileInBackground_;
  RunState state_ = RunState::NoText;
  // The settled state that Loading or Rebuilding returns to.
  RunState resumeState_ = RunState::NoText;
  std::unique_ptr<TMyParser> parser_;
  AnalysisResult result_;
  std::shared_ptr<const Lexicon> analysedLexicon_;
  // The path last opened (a repeat is ignored), and the file the current
  // text was read from (canonical path; its lock is held) or empty.
  QString lastFileName_;
  QString loadedFile_;
  QString loadingName_;
  TextFileLoader* loader_ = nullptr;
  int stopRequest_ = 0;
  bool closeRequested_ = false;
};

}  // namespace lexiscoop
