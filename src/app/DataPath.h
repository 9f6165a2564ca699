#pragma once

#include <string>

namespace lexiscoop {

// The user's configuration folder, where the window keeps its settings file:
// $XDG_CONFIG_HOME when set and absolute, else $HOME/.config, else the home
// folder of the user database plus /.config. No trailing slash. The folder is
// neither created nor tested here.
std::string UserAppDataFolder();

// The same with a slash appended.
std::string UserAppDataFolderSlash();

}  // namespace lexiscoop
