#pragma once

#include <functional>
#include <string_view>

namespace lexiscoop {

// Shows a message to the user. The text is CP932. The window installs a
// message box at start-up; until something is installed, messages go to
// standard error as UTF-8.
using MessageHandler = std::function<void(std::string_view cp932Text)>;

// Installs `handler` (an empty function restores the default). Call once at
// start-up, before any other thread runs.
void SetMessageHandler(MessageHandler handler);

// Shows `cp932Text` through the installed handler.
void ShowMessage(std::string_view cp932Text);

}  // namespace lexiscoop
