#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <memory>

class QFileDialog;
class QWidget;

namespace lexiscoop {

// Everything the window asks of the user or of the desktop that blocks or
// leaves the program: message boxes, the open-file dialog, the beep and the
// program registered for a document. The window reaches them only through
// this interface, so tests answer them from a script.
//
// Texts are the program's own texts as built (CR LF and lone CR line breaks
// included); an implementation that shows them turns the breaks into lines.
class TDialogs {
 public:
  virtual ~TDialogs() = default;

  // A modal message with an OK button.
  virtual void Inform(QWidget* parent, const QString& text) = 0;
  // The general error display: a failure's message with an OK button.
  virtual void Fail(QWidget* parent, const QString& text) = 0;
  // A modal Yes/No question; true for Yes.
  virtual bool Ask(QWidget* parent, const QString& text) = 0;
  virtual void Beep() = 0;
  // The open dialog for a text file, showing `folder` first; an empty
  // string when cancelled.
  virtual QString ChooseTextFile(QWidget* parent, const QString& folder) = 0;
  // Opens the document with the program registered for it; false when there
  // is none (for a local file: no opener, or none that names a program).
  virtual bool OpenUrl(const QUrl& url) = 0;
  // The save dialog of an export (Excel, CSV, flash-card TSV, JSON lines),
  // starting at `suggested`; the path carries the extension of the chosen
  // type. An empty string when cancelled (also what this base gives).
  virtual QString ChooseExportFile(QWidget* parent, const QString& suggested);
  // The open dialog for several text files; empty when cancelled.
  virtual QStringList ChooseTextFiles(QWidget* parent);
  // The dialog for a folder; an empty string when cancelled.
  virtual QString ChooseFolder(QWidget* parent);
  // A line of text the user types after `prompt`; an empty string when
  // cancelled (also what this base gives).
  virtual QString AskText(QWidget* parent, const QString& prompt);
  // The open dialog for word-list files (text, CSV, TSV, Excel), one or
  // `several`; empty when cancelled (also what this base gives).
  virtual QStringList ChooseListFiles(QWidget* parent, bool several);
  // A question answered by one of `buttons` (the first is the default), with
  // `details` shown in a scrolled box under `text` where not empty. The
  // index of the button chosen, or -1 when closed (also what this base gives).
  virtual int AskChoice(QWidget* parent, const QString& text, const QString& details, const QStringList& buttons);
};

// The real thing: QMessageBox, QFileDialog, QApplication::beep and
// QDesktopServices.
class TQtDialogs final : public TDialogs {
 public:
  void Inform(QWidget* parent, const QString& text) override;
  void Fail(QWidget* parent, const QString& text) override;
  bool Ask(QWidget* parent, const QString& text) override;
  void Beep() override;
  QString ChooseTextFile(QWidget* parent, const QString& folder) override;
  bool OpenUrl(const QUrl& url) override;
  QString ChooseExportFile(QWidget* parent, const QString& suggested) override;
  QStringList ChooseTextFiles(QWidget* parent) override;
  QString ChooseFolder(QWidget* parent) override;
  QString AskText(QWidget* parent, const QString& prompt) override;
  QStringList ChooseListFiles(QWidget* parent, bool several) override;
  int AskChoice(QWidget* parent, const QString& text, const QString& details, const QStringList& buttons) override;
};

// A message box of the program: its caption as title, `text` with its line
// breaks shown, and at least as wide as a window frame needs to show the
// whole title. Not shown yet.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                            QMessageBox::StandardButtons buttons);

// The open dialog for one text file, showing `folder`: Qt's own dialog, so
// that it speaks the program's language whatever the desktop is.
std::unique_ptr<QFileDialog> MakeTextFileDialog(QWidget* parent, const QString& folder);

// The text with CR LF and lone CR turned into LF, as a message box shows it.
QString DisplayLines(const QString& text);

}  // namespace lexiscoop
