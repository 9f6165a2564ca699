#pragma once

#include <string>

#include "cli/CliApp.h"

namespace lexiscoop {

class TMyParser;

// Loads FILE into the holder ("-" reads standard input). Throws
// std::runtime_error with a user-facing message for a missing or unreadable
// file; the holder's own errors (EFileOpenError, EParserError) pass through.
void LoadTextFile(TMyParser& parser, const std::string& path);

}  // namespace lexiscoop
