#pragma once

#include <QString>

namespace lexiscoop {

class TForm1;

// What --smoke-test does: load `textFile` into the window, run Extract, check
// that the run produced a summary, optionally save a picture of the window
// to `screenshot`, and close the window. Returns the process exit code:
// 0 when the run worked and no message box would have been shown.
int RunSmokeTest(TForm1& form, const QString& textFile, const QString& screenshot, int messagesSoFar);

}  // namespace lexiscoop
