#pragma once

#include <QObject>
#include <functional>
#include <string>

class QAction;
class QPlainTextEdit;

namespace lexiscoop {

class ReadingPane;
class RunController;
class WordListController;

// The main window's copy commands: the selected words (with or without their
// counts), the statistics report and its percent column, and Ctrl+C, which
// copies what the focused widget has selected before the selected words.
class CopyCommands : public QObject {
  Q_OBJECT

 public:
  // What the commands read; all must outlive this object. `caption` gives
  // the report's caption (CP932).
  struct Sources {
    const RunController& run;
    const WordListController& words;
    ReadingPane& reading;
    const QPlainTextEdit& statistics;
    std::function<std::string()> caption;
  };

  // `copyWords` is the command whose shortcut is Ctrl+C.
  CopyCommands(Sources sources, QAction& copyWords, QObject* parent);

  void CopyWords();
  void CopyWordsWithCounts();
  void CopyStatisticsReport();
  // The percent column of the shown statistics.
  void CopyPercentColumn();
  // Copies the selection of the widget that has the focus (a text pane's
  // selected text, the context lines); false when that widget has nothing
  // of its own to copy.
  bool CopyFocusedSelection();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Sources sources_;
  QAction& copyWords_;
};

}  // namespace lexiscoop
