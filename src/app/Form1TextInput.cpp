// The ways a text comes in: a file (open dialog or drop), the clipboard and
// the sample text of start-up.

#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QProgressBar>
#include <QStatusBar>
#include <QUrl>

#include "analysis/MyParser.h"
#include "app/ClipboardText.h"
#include "app/AppTexts.h"
#include "app/Form1.h"
#include "app/OriginalPreview.h"
#include "app/ReadingPane.h"
#include "app/RecentFiles.h"
#include "app/RunController.h"
#include "platform/Cp932.h"
#include "ui/BusyCursor.h"
#include "ui/Dialogs.h"
#include "views/WindowCaption.h"

namespace lexiscoop {

void TForm1::SetCaptionName(const std::string& cp932Name) {
  caption_ = CaptionNaming(cp932Name);
  ShowCaption();
}

QString TForm1::TextBaseName() const {
  const QString& path = run_->LastFileName();
  return path.isEmpty() ? QString() : QFileInfo(path).completeBaseName();
}

std::string TForm1::ShownCaption() const {
  const std::string note = run_->ShowsResults() ? StoppedNote(run_->Result()) : std::string();
  return note.empty() ? caption_ : caption_ + " (" + note + ")";
}

void TForm1::ShowCaption() { setWindowTitle(QString::fromStdString(Utf8FromCp932(ShownCaption()))); }

void TForm1::OpenTextFile(const QString& path) {
  Guarded([&] { run_->OpenFile(path); });
}

void TForm1::TextFileOpened(const QString& path) {
  SetCaptionName(Cp932FromUtf8(QFileInfo(path).fileName().toStdString()));
  QFile file(path);
  originalHead_ = file.open(QIODevice::ReadOnly) ? file.read(kOriginalHeadBytes) : QByteArray();
  recentFiles_->Add(path);
  SetAwaitingAnalysis(true);
}

void TForm1::ShowLoadProgress(int percent) {
  if (run_->State() != RunState::Loading) return;
  ProgressBar1->setValue(percent);
  statusBar()->showMessage(Qs(texts::kLoadingFormat).arg(run_->LoadingName(), QString::number(percent)));
}

void TForm1::OpenRecentFile(const QString& path) {
  if (run_->Busy()) return;
  if (!QFileInfo(path).isFile()) {
    recentFiles_->Remove(path);
    dialogs_->Inform(this, Qs(texts::kRecentFileGoneFormat).arg(path));
    return;
  }
  OpenTextFile(path);
}

void TForm1::SetCurrentText(const std::string& cp932, const QByteArray& original) {
  Guarded([&] { AssignCurrentText(cp932, original); });
}

void TForm1::AssignCurrentText(const std::string& cp932, const QByteArray& original) {
  BusyCursor busy;
  if (!run_->AssignText(cp932)) return;
  originalHead_ = original.left(kOriginalHeadBytes);
  if (const std::optional<std::string> caption = CaptionForText(run_->Text().FullText())) {
    caption_ = *caption;
    ShowCaption();
  }
  SetAwaitingAnalysis(true);
}

void TForm1::acLoadFromFileExecute() {
  const QString path = dialogs_->ChooseTextFile(this, recentFiles_->StartFolder());
  if (path.isEmpty()) return;
  QCoreApplication::processEvents();  // let the dialog disappear first
  OpenTextFile(path);
}

void TForm1::acClipToTextExecute() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  SetCurrentText(ClipboardTextToCp932(data), data != nullptr ? data->text().left(kOriginalHeadBytes).toUtf8() : QByteArray());
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (dictionaryLoaded_ && !run_->Busy() && event->mimeData()->hasUrls()) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TForm1::dropEvent(QDropEvent* event) {
  if (!dictionaryLoaded_ || run_->Busy() || !event->mimeData()->hasUrls()) {
    event->ignore();
    return;
  }
  const QList<QUrl> urls = event->mimeData()->urls();
  event->acceptProposedAction();
  if (urls.size() == 1) {
    activateWindow();
    OpenTextFile(urls.constFirst().toLocalFile());
  } else {
    dialogs_->Inform(this, Qs(texts::kDropOneFile));
  }
  activateWindow();
}

}  // namespace lexiscoop
