#pragma once

#include <QWidget>
#include <exception>

#include "platform/Cp932.h"
#include "ui/Dialogs.h"

namespace lexiscoop {

// Runs `command`; a failure it raises (its message in CP932) goes to the
// general error display over `parent`.
template <class Command>
void RunGuarded(TDialogs& dialogs, QWidget* parent, Command&& command) {
  try {
    command();
  } catch (const std::exception& failure) {
    dialogs.Fail(parent, QString::fromStdString(Utf8FromCp932(failure.what())));
  }
}

}  // namespace lexiscoop
