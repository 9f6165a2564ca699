#pragma once

// The texts that both windows show, written once here in UTF-8, and Qs(),
// which turns such a text into a QString.

#include <QString>

namespace lexiscoop::texts {

// The program's name: the caption of every message box and of the main window.
inline constexpr char kCaptionBase[] = "レキシスクープ 単語拾い";

}  // namespace lexiscoop::texts

namespace lexiscoop {

inline QString Qs(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace lexiscoop
