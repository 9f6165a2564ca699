#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <string>

class QMimeData;
class QPlainTextEdit;
class QUrl;
class QWidget;

namespace lexiscoop {

class RecentFiles;
class RunController;
class StatusLine;
class TDialogs;

// The ways a text comes in (a file from the open dialog, the recent files or
// a drop, the clipboard, the program itself) and how the window names it:
// the caption, its base name for save dialogs, and the text pane's preview.
// Errors go to the general error display over the window.
class TextInputController : public QObject {
  Q_OBJECT

 public:
  // What the controller works with; all must outlive it.
  struct Parts {
    QWidget& window;
    TDialogs& dialogs;
    RunController& run;
    RecentFiles& recentFiles;
    QPlainTextEdit& textPane;
    StatusLine& status;
  };

  TextInputController(Parts parts, QObject* parent);

  // Makes the file's contents the current text (nothing happens for the path
  // loaded last, nor for a path that names no file).
  void OpenFile(const QString& path);
  // Makes `cp932` the current text unless it already is; `original`: its
  // first bytes as it came, when it was converted.
  void SetText(const std::string& cp932, const QByteArray& original = {});
  // The sample text of start-up becomes the current text.
  void SetSampleText();
  // ファイル → 開く: asks for a file and opens it.
  void ChooseFile();
  // The clipboard's text becomes the current text.
  void PasteText();
  // Whether a drag of `data` may be dropped on the window.
  bool AcceptsDrop(const QMimeData& data) const;
  // Opens the one file dropped; more are refused with a message.
  void Drop(const QList<QUrl>& urls);

  // The current text's file name without its extension; empty for a text
  // that came from no file.
  QString TextBaseName() const;
  // The caption of the text (CP932), marked with the stopped note while the
  // results of a stopped run are shown.
  std::string ShownCaption() const;
  // Makes ShownCaption the window's title.
  void ShowCaption();
  // Shows the current text's start in the text pane and its size in the
  // first status panel.
  void ShowPreview();

 signals:
  // A new text is current; it awaits analysis.
  void textReplaced();

 private:
  void FileOpened(const QString& path);
  // ファイル → 最近使ったファイル: opens `path`, or tells the user that it is
  // gone and drops it from the list.
  void OpenRecentFile(const QString& path);
  void AssignText(const std::string& cp932, const QByteArray& original);

  Parts parts_;
  std::string caption_;  // CP932
  // The first bytes of the current text as it came, before its conversion
  // to CP932; the text pane shows them where they differ (café, not cafe).
  QByteArray originalHead_;
};

}  // namespace lexiscoop
