#pragma once

#include <memory>
#include <string>

class QWidget;

namespace lexiscoop {

class ConjugationDictionary;
class StatusLine;
class TDialogs;

// The main window's dictionary: made over the program folder, loaded at
// start-up with every file that did not load named to the user, and loaded
// again when another program changed its files.
class WindowDictionary {
 public:
  // The level lists are addressed by bare file name in `programFolder`,
  // which the program makes its current folder at start-up. The user's own
  // files go there too, unless the folder is the system's (an installed
  // package): then to the user's data folder. `window`, `dialogs` and
  // `status` must outlive this object.
  WindowDictionary(const std::string& programFolder, QWidget& window, TDialogs& dialogs, StatusLine& status);
  ~WindowDictionary();
  WindowDictionary(const WindowDictionary&) = delete;
  WindowDictionary& operator=(const WindowDictionary&) = delete;

  // Loads the dictionary and the level lists; false, after telling the
  // user where the shipped dictionary belongs, when there is none.
  bool Load();
  // True once Load has found the dictionary.
  bool Loaded() const { return loaded_; }
  // Loads again when the files changed on disk since the last load; true
  // when it did.
  bool ReloadIfChangedOnDisk();

  ConjugationDictionary& Get() const { return *dictionary_; }

 private:
  bool CheckDictionaryFile();
  // Names every dictionary or level file that exists but did not load, and
  // a change that could not be completed.
  void ReportDamagedFiles();

  std::string programFolder_;
  QWidget& window_;
  TDialogs& dialogs_;
  std::unique_ptr<ConjugationDictionary> dictionary_;
  bool loaded_ = false;
};

}  // namespace lexiscoop
