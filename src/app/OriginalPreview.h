#pragma once

#include <QByteArray>
#include <QString>

#include <string_view>

namespace lexiscoop {

// How many bytes of a text's start OriginalPreview needs to cover a preview.
inline constexpr int kOriginalHeadBytes = 16384;

// The start of a text as it was written, for the text pane: `head`, the
// first bytes of the text as it came (UTF-8 or UTF-16, with or without a
// byte-order mark), cut where its conversion to CP932 covers `cp932Lead`.
// So «café» shows as written though «cafe» is counted. Empty when the text
// was CP932 already, or `head` does not convert to `cp932Lead`.
QString OriginalPreview(const QByteArray& head, std::string_view cp932Lead);

}  // namespace lexiscoop
