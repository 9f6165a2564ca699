#include "app/WindowSettings.h"

#include <cstdint>

#include "app/AppTexts.h"
#include "dictionary/CommaText.h"
#include "platform/IniFile.h"

namespace lexiscoop {

WindowBounds ReadWindowBounds(const TIniFile& ini, int screenWidth, int screenHeight) {
  const char* section = texts::kSettingsSection;
  WindowBounds bounds;
  bounds.width = ini.ReadInteger(section, "width", kDesignWidth);
  bounds.height = ini.ReadInteger(section, "height", screenHeight / 2);
  bounds.left = ini.ReadInteger(section, "left", (screenWidth - bounds.width) / 2);
  bounds.top = ini.ReadInteger(section, "top", screenHeight / 4);
  return bounds;
}

namespace {

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

bool Holds(const ScreenArea& area, int x, int y) {
  return static_cast<int64_t>(x) >= area.left && static_cast<int64_t>(x) < int64_t{area.left} + area.width &&
         static_cast<int64_t>(y) >= area.top && static_cast<int64_t>(y) < int64_t{area.top} + area.height;
}

}  // namespace

WindowBounds FitWindowBounds(WindowBounds bounds, const std::vector<ScreenArea>& areas) {
  if (areas.empty() || areas[0].width <= 0 || areas[0].height <= 0) return bounds;
  // The area the window's top-left corner lies in, else the primary one.
  const ScreenArea* area = &areas[0];
  bool placed = false;
  for (const ScreenArea& candidate : areas) {
    if (candidate.width > 0 && candidate.height > 0 && Holds(candidate, bounds.left, bounds.top)) {
      area = &candidate;
      placed = true;
      break;
    }
  }
  if (bounds.width < kMinWindowSide) bounds.width = kDesignWidth;
  if (bounds.height < kMinWindowSide) bounds.height = area->height / 2;
  bounds.width = Clamp(bounds.width, 1, area->width);
  bounds.height = Clamp(bounds.height, 1, area->height);
  if (!placed) {
    bounds.left = area->left + (area->width - bounds.width) / 2;
    bounds.top = area->top + area->height / 4;
  }
  bounds.left = Clamp(bounds.left, area->left, area->left + area->width - bounds.width);
  bounds.top = Clamp(bounds.top, area->top, area->top + area->height - bounds.height);
  return bounds;
}

void WriteWindowBounds(TIniFile& ini, const WindowBounds& bounds) {
  const char* section = texts::kSettingsSection;
  ini.WriteInteger(section, "left", bounds.left);
  ini.WriteInteger(section, "top", bounds.top);
  ini.WriteInteger(section, "width", bounds.width);
  ini.WriteInteger(section, "height", bounds.height);
}

std::vector<std::optional<int>> ParseColumnWidths(std::string_view value) {
  std::vector<std::optional<int>> widths;
  for (const std::string& item : ReadCommaText(value)) {
    int width = 0;
    if (ParseInt32(item, width)) {
      widths.emplace_back(width);
    } else {
      widths.emplace_back(std::nullopt);
    }
  }
  return widths;
}

std::string FormatColumnWidths(const std::vector<std::optional<int>>& widths) {
  size_t end = widths.size();
  while (end > 0 && !widths[end - 1]) --end;
  std::string text;
  for (size_t i = 0; i < end; ++i) {
    if (widths[i]) text += std::to_string(*widths[i]);
    text += ',';
  }
  return text;
}

}  // namespace lexiscoop
