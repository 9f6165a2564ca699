#pragma once

#include <functional>
#include <string>

namespace lexiscoop {

// The user's home folder: $HOME when it is absolute, else the user
// database's entry, else "/tmp".
std::string UserHomeFolder();

// The per-user data folder of the program: $XDG_DATA_HOME/lexiscoop when
// XDG_DATA_HOME is set and absolute, else <home>/.local/share/lexiscoop.
// Neither created nor tested here.
std::string XdgUserDataFolder();

// True when this process may create and replace files in `folder` (an
// existing folder it can write to and enter).
bool FolderIsWritable(const std::string& folder);

// Where the user's own files (the my… dictionary, level-list and gloss
// files, the lock and intent record of a change) are kept: the program
// folder when `canWrite(programFolder)`, as for a copy in the user's own
// folders; else XdgUserDataFolder(), as for an installed package whose
// folder belongs to the system.
std::string UserDataFolder(const std::string& programFolder,
                           const std::function<bool(const std::string&)>& canWrite = FolderIsWritable);

}  // namespace lexiscoop
