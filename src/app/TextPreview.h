#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

namespace lexiscoop {

class TMyParser;

// The text pane's preview of `text`: its first bytes, cut before a
// double-byte character left half, as the text was written where
// `originalHead` (its first bytes before conversion) converts to what is
// counted, and a line saying the rest is left out where it is.
QString TextPreview(const TMyParser& text, const QByteArray& originalHead);

// A status text (CP932) with what a zero byte of `text` left uncounted, if
// any, for the status bar.
QString StatusWithZeroByteNotice(const std::string& status, std::string_view text);

}  // namespace lexiscoop
