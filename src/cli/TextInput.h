#pragma once

#include <string>

#include "cli/CliApp.h"

namespace lexiscoop {

class TMyParser;

// Makes FILE the holder's text ("-" reads standard input), read with
// ReadTextFile, so the file is not locked. Throws EFileOpenError for a file
// that is missing, not a regular file, unreadable or too large, and
// std::runtime_error for standard input that cannot be read.
void LoadTextFile(TMyParser& parser, const std::string& path);

}  // namespace lexiscoop
