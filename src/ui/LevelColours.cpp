#include "ui/LevelColours.h"

#include <algorithm>
#include <cmath>

namespace lexiscoop {
namespace {

struct Shades {
  QRgb light;  // for light backgrounds
  QRgb dark;   // for dark backgrounds
};

constexpr Shades kShades[kWordLevelCount] = {
    {0xFF0072B2, 0xFF56B4E9},  // Basic: blue / sky blue
    {0xFF007A5A, 0xFF2FC79A},  // Junior: bluish green
    {0xFF8F5D00, 0xFFE69F00},  // ToUniversity: orange
    {0xFFA8467E, 0xFFE08DBD},  // General: reddish purple
    {0xFF5F5F5F, 0xFFB0B0B0},  // Other: grey
    {0xFFB34700, 0xFFFF7A33},  // None: vermillion
};

double Linear(double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }

double Luminance(const QColor& c) {
  return 0.2126 * Linear(c.redF()) + 0.7152 * Linear(c.greenF()) + 0.0722 * Linear(c.blueF());
}

}  // namespace

bool IsDarkPalette(const QPalette& palette) { return palette.color(QPalette::Base).lightness() < 128; }

QColor LevelColour(WordLevel level, bool dark) {
  const Shades& shades = kShades[LevelIndex(level)];
  return QColor::fromRgb(dark ? shades.dark : shades.light);
}

QColor LevelColour(WordLevel level, const QPalette& palette) {
  return LevelColour(level, IsDarkPalette(palette));
}

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace lexiscoop
