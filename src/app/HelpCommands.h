#pragma once

#include <QObject>
#include <QString>
#include <string>

class QWidget;

namespace lexiscoop {

class ConjugationDictionary;
class HelpWindow;
class TDialogs;

// The ヘルプ menu's commands: the information box (the dictionary's counts,
// the version, the glosses' acknowledgement) and the documents, opened with
// their registered program or, where there is none, in the program's own
// help window.
class HelpCommands : public QObject {
  Q_OBJECT

 public:
  // `window`, `dialogs` and `dictionary` must outlive this object.
  HelpCommands(std::string programFolder, QWidget& window, TDialogs& dialogs, const ConjugationDictionary& dictionary);

  void ShowInformation();
  // The help index of the program folder.
  void OpenHelp();
  // Opens `path` (followed by `suffix`, a «#place» or an appended part);
  // tells the user when the file is missing.
  void OpenDocument(const QString& path, const QString& suffix);

 private:
  std::string programFolder_;
  QWidget& window_;
  TDialogs& dialogs_;
  const ConjugationDictionary& dictionary_;
  // Made on first use.
  HelpWindow* helpWindow_ = nullptr;
};

}  // namespace lexiscoop
