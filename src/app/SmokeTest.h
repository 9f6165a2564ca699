#pragma once

#include <QString>
#include <functional>

namespace lexiscoop {

class TForm1;

// What --smoke-test does: load `textFile` into the window, run Extract, check
// that the run produced a summary, optionally save a picture of the window
// to `screenshot`, and close the window. `messagesShown` tells how many
// message boxes the window has shown so far; any that appear while the test
// runs are failures, as nobody is there to answer them. Returns the process
// exit code: 0 when the file was read, the run worked and no message box
// appeared; 1 otherwise, with the reasons on standard error.
int RunSmokeTest(TForm1& form, const QString& textFile, const QString& screenshot,
                 const std::function<int()>& messagesShown);

}  // namespace lexiscoop
