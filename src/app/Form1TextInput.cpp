// The ways a text comes in: a file (open dialog or drop), the clipboard and
// the sample text of start-up.

#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

#include "analysis/MyParser.h"
#include "app/ClipboardText.h"
#include "app/AppTexts.h"
#include "app/Form1.h"
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
  setWindowTitle(QString::fromStdString(Utf8FromCp932(caption_)));
}

void TForm1::OpenTextFile(const QString& path) {
  Guarded([&] { LoadTextFile(path); });
}

void TForm1::LoadTextFile(const QString& path) {
  if (running_ || rebuilding_ || path == lastFileName_) return;
  lastFileName_ = path;
  const std::string nativePath = QFile::encodeName(path).toStdString();
  if (!FileExists(nativePath)) return;
  SetCaptionName(Cp932FromUtf8(QFileInfo(path).fileName().toStdString()));
  readingPane_->Clear();  // it shows the text that is about to go
  parser_->LoadFile(nativePath);
  recentFiles_->Add(path);
  SetAwaitingAnalysis(true);
}

void TForm1::OpenRecentFile(const QString& path) {
  if (running_ || rebuilding_) return;
  if (!QFileInfo(path).isFile()) {
    recentFiles_->Remove(path);
    dialogs_->Inform(this, Qs(texts::kRecentFileGoneFormat).arg(path));
    return;
  }
  OpenTextFile(path);
}

void TForm1::SetCurrentText(const std::string& cp932) {
  Guarded([&] { AssignCurrentText(cp932); });
}

void TForm1::AssignCurrentText(const std::string& cp932) {
  if (running_ || rebuilding_ || cp932 == parser_->FullText()) return;
  lastFileName_.clear();
  BusyCursor busy;
  readingPane_->Clear();  // it shows the text that is about to go
  parser_->AssignText(cp932);
  if (const std::optional<std::string> caption = CaptionForText(parser_->FullText())) {
    caption_ = *caption;
    setWindowTitle(QString::fromStdString(Utf8FromCp932(caption_)));
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
  SetCurrentText(ClipboardTextToCp932(QGuiApplication::clipboard()->mimeData()));
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (dropTarget_ && !running_ && !rebuilding_ && event->mimeData()->hasUrls()) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TForm1::dropEvent(QDropEvent* event) {
  if (!dropTarget_ || running_ || rebuilding_ || !event->mimeData()->hasUrls()) {
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
