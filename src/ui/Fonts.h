#pragma once

#include <QFont>

namespace lexiscoop {

// Maps the Windows font names the window asks for ("ＭＳ Ｐゴシック",
// "ＭＳ ゴシック" and their Latin names) to the IPA Gothic family. Safe to
// call more than once; only the first call does anything.
void InstallFontSubstitutions();

// The window font: "ＭＳ Ｐゴシック", 12 pixels.
QFont WindowFont();

// The fixed-pitch font of the report memo: "ＭＳ ゴシック", 12 pixels.
QFont FixedFont();

}  // namespace lexiscoop
