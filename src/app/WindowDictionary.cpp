#include "app/WindowDictionary.h"

#include <QCoreApplication>
#include <QWidget>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "app/AppTexts.h"
#include "app/StatusLine.h"
#include "dictionary/CompressStringList.h"
#include "dictionary/ConjugationDictionary.h"
#include "dictionary/DictionaryFiles.h"
#include "dictionary/DictionaryTransaction.h"
#include "editor/EditorTexts.h"
#include "platform/Cp932.h"
#include "platform/UserDataFolder.h"
#include "ui/Dialogs.h"

namespace lexiscoop {

WindowDictionary::WindowDictionary(const std::string& programFolder, QWidget& window, TDialogs& dialogs,
                                   StatusLine& status)
    : programFolder_(programFolder),
      window_(window),
      dialogs_(dialogs),
      dictionary_(std::make_unique<ConjugationDictionary>(programFolder, programFolder, UserDataFolder(programFolder))) {
  // Another program's change holds the files: say so and keep painting.
  dictionary_->SetLockWaitNotice([&status](int) {
    status.ShowMessage(Qs(texts::kDictionaryBusy), 500);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
  });
}

WindowDictionary::~WindowDictionary() = default;

bool WindowDictionary::Load() {
  if (!CheckDictionaryFile()) return false;
  dictionary_->ReloadDictionary(false);
  loaded_ = true;
  ReportDamagedFiles();
  return true;
}

bool WindowDictionary::ReloadIfChangedOnDisk() {
  if (!loaded_ || !dictionary_->FilesChangedOnDisk()) return false;
  dictionary_->ReloadDictionary(false);
  return true;
}

bool WindowDictionary::CheckDictionaryFile() {
  if (dictionary_->HasDictionaryFile()) return true;
  const QString shippedName = QString::fromLatin1(kShippedDictionaryFile);
  const QString message = Qs(texts::kNoDictionaryFormat).arg(shippedName) + QStringLiteral("\r\n\r\n") +
                          Qs(texts::kNeedDictionaryFormat)
                              .arg(window_.windowTitle(), shippedName, QString::fromStdString(programFolder_));
  dialogs_.Inform(&window_, message);
  return false;
}

void WindowDictionary::ReportDamagedFiles() {
  // The window goes on with what loaded, but says which file it could not
  // read; the editor never writes over it.
  std::vector<std::pair<std::string, Status>> damaged;
  if (Status loaded = dictionary_->DictionaryLoadStatus(); !loaded.ok()) {
    damaged.emplace_back(dictionary_->DictionaryPath(), std::move(loaded));
  }
  for (int level = 1; level <= kLevelCount; ++level) {
    if (Status loaded = dictionary_->LevelLoadStatus(level); !loaded.ok()) {
      damaged.emplace_back(dictionary_->LevelPath(level), std::move(loaded));
    }
  }
  for (const auto& [path, status] : damaged) {
    // A file gone since it was found is named as missing.
    const std::string message =
        status.IsNotFound() ? TCompressStringList::MissingFileMessage(path) : DamagedFileMessage(path);
    dialogs_.Inform(&window_, QString::fromStdString(Utf8FromCp932(message)));
  }
  if (const Status& interrupted = dictionary_->InterruptedChangeStatus(); !interrupted.ok()) {
    const std::string& refusal = interrupted.message();
    dialogs_.Inform(&window_, Qs(texts::kInterruptedChangeFormat)
                                  .arg(QString::fromStdString(refusal.empty() ? std::strerror(interrupted.systemError())
                                                                              : refusal)));
  }
}

}  // namespace lexiscoop
