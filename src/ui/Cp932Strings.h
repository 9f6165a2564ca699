#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "platform/Cp932.h"

namespace lexiscoop {

// The widgets' text from the core's CP932 bytes, and back. A byte sequence
// that is not CP932 reads as U+FFFD; a character CP932 lacks writes as "?".
inline QString FromCp932(std::string_view cp932) { return QString::fromStdString(Utf8FromCp932(cp932)); }
inline std::string ToCp932(const QString& text) { return Cp932FromUtf8(text.toStdString()); }

}  // namespace lexiscoop
