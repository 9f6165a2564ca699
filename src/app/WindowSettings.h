#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexiscoop {

class TIniFile;

// The main window's place as kept in the settings file's [system] section.
struct WindowBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The window's design width, the default when no width is stored.
constexpr int kDesignWidth = 743;

// Reads "width", "height", "left" and "top", in this order, with the
// defaults 743, screen height div 2, (screen width - the width read) div 2
// and screen height div 4 (divisions truncate toward zero).
WindowBounds ReadWindowBounds(const TIniFile& ini, int screenWidth, int screenHeight);

// A rectangle of the screen, in the same terms as the window's place.
using ScreenArea = WindowBounds;

// The smallest window the settings may ask for; a smaller stored size is
// not the user's and gives the default.
constexpr int kMinWindowSide = 200;

// `bounds` as read, made to fit the available screen: the first of `areas`
// (the primary screen's area without panels) holds the defaults; a window
// whose stored place falls on none of the areas takes the default place on
// the first. A size below kMinWindowSide gives the default size; a size
// beyond the area is cut to it; the place is then moved so that the whole
// window lies inside its area.
WindowBounds FitWindowBounds(WindowBounds bounds, const std::vector<ScreenArea>& areas);

// Writes the four bounds.
void WriteWindowBounds(TIniFile& ini, const WindowBounds& bounds);

// The items of a "ColWidth" value: items are separated by commas or blanks
// and may be double-quoted; each is the width it reads as (a decimal
// integer), or nullopt where the item is not one.
std::vector<std::optional<int>> ParseColumnWidths(std::string_view value);

// «60,150,70,60,»: every width in decimal followed by a comma; a width left
// out (nullopt) is an empty item, except at the end, where it is dropped.
std::string FormatColumnWidths(const std::vector<std::optional<int>>& widths);

}  // namespace lexiscoop
