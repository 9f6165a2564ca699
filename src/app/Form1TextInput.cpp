// The ways a text comes in: a file (open dialog or drop), the clipboard and
// the sample text of start-up.

#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
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
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "ui/BusyCursor.h"
#include "ui/Dialogs.h"
#include "views/WindowCaption.h"

namespace lexiscoop {

void TForm1::SetCaptionName(const std::string& cp932Name) {
  caption_ = CaptionNaming(cp932Name);
  ShowCaption();
}

QString TForm1::TextBaseName() const {
  return lastFileName_.isEmpty() ? QString() : QFileInfo(lastFileName_).completeBaseName();
}

std::string TForm1::ShownCaption() const {
  const std::string note = awaiting_ ? std::string() : StoppedNote(result_);
  return note.empty() ? caption_ : caption_ + " (" + note + ")";
}

void TForm1::ShowCaption() { setWindowTitle(QString::fromStdString(Utf8FromCp932(ShownCaption()))); }

void TForm1::OpenTextFile(const QString& path) {
  Guarded([&] { LoadTextFile(path); });
}

void TForm1::LoadTextFile(const QString& path) {
  if (running_ || rebuilding_ || loading_ || path == lastFileName_) return;
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
    readingPane_->Clear();  // it shows the text that is about to go
    loadedFile_.clear();
    parser_->LoadFile(nativePath);
    TextFileLoaded(path, std::move(parser_));
    return;
  }
  if (static_cast<int64_t>(QFileInfo(path).size()) < options_.backgroundLoadBytes && !options_.readText) {
    auto text = std::make_unique<TMyParser>();
    {
      BusyCursor busy;
      text->LoadFile(nativePath);
    }
    TextFileLoaded(path, std::move(text));
    return;
  }
  // A large file is read on a worker: the window keeps painting, shows that
  // it is busy, and 中止 abandons the load. The current text stays until the
  // new one is in.
  loading_ = true;
  loadingName_ = QFileInfo(path).fileName();
  QGuiApplication::setOverrideCursor(Qt::BusyCursor);
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setTextVisible(true);
  ShowLoadProgress(0);
  SwapAnalyzeButton(acStopAnalize);
  UpdateCommandStates();
  loader_->Start(path);
}

void TForm1::ShowLoadProgress(int percent) {
  if (!loading_) return;
  ProgressBar1->setValue(percent);
  statusBar()->showMessage(Qs(texts::kLoadingFormat).arg(loadingName_, QString::number(percent)));
}

void TForm1::FinishLoading() {
  if (!loading_) return;
  loading_ = false;
  loader_->Cancel();
  QGuiApplication::restoreOverrideCursor();
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setValue(0);
  statusBar()->clearMessage();
  SwapAnalyzeButton(acAnalize);
  UpdateCommandStates();
}

void TForm1::TextFileLoaded(const QString& path, std::unique_ptr<TMyParser> text) {
  FinishLoading();
  lastFileName_ = path;
  loadedFile_ = QFileInfo(path).canonicalFilePath();
  SetCaptionName(Cp932FromUtf8(QFileInfo(path).fileName().toStdString()));
  readingPane_->Clear();  // it shows the text that is about to go
  parser_ = std::move(text);
  QFile file(path);
  originalHead_ = file.open(QIODevice::ReadOnly) ? file.read(kOriginalHeadBytes) : QByteArray();
  recentFiles_->Add(path);
  SetAwaitingAnalysis(true);
}

void TForm1::OpenRecentFile(const QString& path) {
  if (running_ || rebuilding_ || loading_) return;
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
  if (running_ || rebuilding_ || loading_ || cp932 == parser_->FullText()) return;
  originalHead_ = original.left(kOriginalHeadBytes);
  lastFileName_.clear();
  loadedFile_.clear();
  BusyCursor busy;
  readingPane_->Clear();  // it shows the text that is about to go
  parser_->AssignText(cp932);
  if (const std::optional<std::string> caption = CaptionForText(parser_->FullText())) {
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
  if (dropTarget_ && !running_ && !rebuilding_ && !loading_ && event->mimeData()->hasUrls()) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TForm1::dropEvent(QDropEvent* event) {
  if (!dropTarget_ || running_ || rebuilding_ || loading_ || !event->mimeData()->hasUrls()) {
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
