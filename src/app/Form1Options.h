#pragma once

#include <cstdint>
#include <string>

#include "app/TextFileLoader.h"

namespace lexiscoop {

class TDialogs;

// Where the main window finds its files and how it reaches the user.
struct TForm1Options {
  // The program folder: the dictionary, the level lists and help/ are here.
  // Empty: the folder of the running executable.
  std::string programFolder;
  // The settings file. Empty: <user config folder>/lexiscoop.ini.
  std::string settingsPath;
  // Message boxes, the open dialog and the document opener. Null: the real
  // Qt ones. Not owned; must outlive the window.
  TDialogs* dialogs = nullptr;
  // Files of at least this many bytes are read on a worker thread while the
  // window shows progress and offers Stop; smaller ones at once.
  int64_t backgroundLoadBytes = int64_t{4} << 20;
  // How a file is read into a text holder. Empty: TMyParser::LoadFile.
  TextFileLoader::ReadFunction readText;
};

}  // namespace lexiscoop
