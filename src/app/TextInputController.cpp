#include "app/TextInputController.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>
#include <QWidget>

#include "analysis/MyParser.h"
#include "app/AppTexts.h"
#include "app/ClipboardText.h"
#include "app/GuardedCommand.h"
#include "app/OriginalPreview.h"
#include "app/RecentFiles.h"
#include "app/RunController.h"
#include "app/StatusLine.h"
#include "app/TextPreview.h"
#include "platform/Cp932.h"
#include "ui/BusyCursor.h"
#include "ui/Dialogs.h"
#include "views/WindowCaption.h"

namespace lexiscoop {

TextInputController::TextInputController(Parts parts, QObject* parent)
    : QObject(parent), parts_(parts), caption_(Cp932FromUtf8(texts::kCaptionBase)) {
  connect(&parts_.run, &RunController::fileOpened, this,
          [this](const QString& path) { RunGuarded(parts_.dialogs, &parts_.window, [&] { FileOpened(path); }); });
  connect(&parts_.recentFiles, &RecentFiles::openRequested, this, &TextInputController::OpenRecentFile);
}

void TextInputController::OpenFile(const QString& path) {
  RunGuarded(parts_.dialogs, &parts_.window, [&] { parts_.run.OpenFile(path); });
}

void TextInputController::FileOpened(const QString& path) {
  caption_ = CaptionNaming(Cp932FromUtf8(QFileInfo(path).fileName().toStdString()));
  ShowCaption();
  QFile file(path);
  originalHead_ = file.open(QIODevice::ReadOnly) ? file.read(kOriginalHeadBytes) : QByteArray();
  parts_.recentFiles.Add(path);
  emit textReplaced();
}

void TextInputController::OpenRecentFile(const QString& path) {
  if (parts_.run.Busy()) return;
  if (!QFileInfo(path).isFile()) {
    parts_.recentFiles.Remove(path);
    parts_.dialogs.Inform(&parts_.window, Qs(texts::kRecentFileGoneFormat).arg(path));
    return;
  }
  OpenFile(path);
}

void TextInputController::SetText(const std::string& cp932, const QByteArray& original) {
  RunGuarded(parts_.dialogs, &parts_.window, [&] { AssignText(cp932, original); });
}

void TextInputController::AssignText(const std::string& cp932, const QByteArray& original) {
  BusyCursor busy;
  if (!parts_.run.AssignText(cp932)) return;
  originalHead_ = original.left(kOriginalHeadBytes);
  if (const std::optional<std::string> caption = CaptionForText(parts_.run.Text().FullText())) {
    caption_ = *caption;
    ShowCaption();
  }
  emit textReplaced();
}

void TextInputController::SetSampleText() {
  std::string sample;
  for (const char* line : texts::kSampleLines) {
    if (!sample.empty()) sample += "\r\n";
    sample += Cp932FromUtf8(line);
  }
  SetText(sample);
}

void TextInputController::ChooseFile() {
  const QString path = parts_.dialogs.ChooseTextFile(&parts_.window, parts_.recentFiles.StartFolder());
  if (path.isEmpty()) return;
  QCoreApplication::processEvents();  // let the dialog disappear first
  OpenFile(path);
}

void TextInputController::PasteText() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  SetText(ClipboardTextToCp932(data), data != nullptr ? data->text().left(kOriginalHeadBytes).toUtf8() : QByteArray());
}

bool TextInputController::AcceptsDrop(const QMimeData& data) const { return !parts_.run.Busy() && data.hasUrls(); }

void TextInputController::Drop(const QList<QUrl>& urls) {
  if (urls.size() == 1) {
    parts_.window.activateWindow();
    OpenFile(urls.constFirst().toLocalFile());
  } else {
    parts_.dialogs.Inform(&parts_.window, Qs(texts::kDropOneFile));
  }
  parts_.window.activateWindow();
}

QString TextInputController::TextBaseName() const {
  const QString& path = parts_.run.LastFileName();
  return path.isEmpty() ? QString() : QFileInfo(path).completeBaseName();
}

std::string TextInputController::ShownCaption() const {
  const std::string note = parts_.run.ShowsResults() ? StoppedNote(parts_.run.Result()) : std::string();
  return note.empty() ? caption_ : caption_ + " (" + note + ")";
}

void TextInputController::ShowCaption() {
  parts_.window.setWindowTitle(QString::fromStdString(Utf8FromCp932(ShownCaption())));
}

void TextInputController::ShowPreview() {
  const TMyParser& text = parts_.run.Text();
  parts_.textPane.setUpdatesEnabled(false);
  parts_.textPane.setPlainText(TextPreview(text, originalHead_));
  parts_.textPane.setUpdatesEnabled(true);
  parts_.status.Set(0, StatusWithZeroByteNotice(ByteCountText(text.ByteCount()), text.FullText()));
}

}  // namespace lexiscoop
