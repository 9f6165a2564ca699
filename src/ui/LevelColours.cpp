#include "ui/LevelColours.h"

#include <algorithm>
#include <cmath>

namespace lexiscoop {
namespace {

double Linear(double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }

double Luminance(const QColor& c) {
  return 0.2126 * Linear(c.redF()) + 0.7152 * Linear(c.greenF()) + 0.0722 * Linear(c.blueF());
}

}  // namespace

bool IsDarkPalette(const QPalette& palette) { return palette.color(QPalette::Base).lightness() < 128; }

QColor LevelColour(WordLevel level, bool dark, const LevelSet& levels) {
  const LevelInfo& info = levels[level];
  return QColor::fromRgb(dark ? info.darkColour : info.lightColour);
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
