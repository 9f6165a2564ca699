#pragma once

#include <QColor>
#include <QPalette>

#include "analysis/WordLevel.h"

namespace lexiscoop {

// The colours of the levels, after the Okabe–Ito palette (distinguishable
// with the common forms of colour blindness): 基本 blue, 中学 bluish green,
// 大学受験 orange, 一般 reddish purple, その他 grey, 未登録 vermillion. Each
// level has a darker shade for light backgrounds and a lighter one for dark
// backgrounds, both at least 4.5:1 against the background they are for.

// True when `palette`'s base (text background) is dark.
bool IsDarkPalette(const QPalette& palette);

// The level's text colour on a light (`dark` false) or dark background, the
// level being one of `levels`.
QColor LevelColour(WordLevel level, bool dark, const LevelSet& levels = ShippedLevels());

// The level's colour for text drawn on `palette`'s base.
QColor LevelColour(WordLevel level, const QPalette& palette);

// The WCAG contrast ratio of two colours (1 to 21).
double ContrastRatio(const QColor& a, const QColor& b);

}  // namespace lexiscoop
