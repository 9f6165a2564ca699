#pragma once

#include <string>

class QMimeData;

namespace lexiscoop {

// The clipboard's text as CP932 (empty when it holds none):
// - bytes offered as text/plain with a Shift-JIS character set declared
//   (shift_jis, cp932, windows-31j, …) are taken as they are;
// - bytes offered as text/plain;charset=utf-8 are converted from UTF-8;
// - bytes offered as text/plain with no character set are read as a file
//   is (TextToCp932: byte-order marks, then UTF-8 or Shift-JIS, whichever
//   reading is more plausible);
// - otherwise the text Qt hands over is converted from Unicode.
std::string ClipboardTextToCp932(const QMimeData* data);

}  // namespace lexiscoop
