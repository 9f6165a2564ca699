#include "app/WindowSettings.h"

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

std::string FormatColumnWidths(const std::vector<int>& widths) {
  std::string text;
  for (int width : widths) {
    text += std::to_string(width);
    text += ',';
  }
  return text;
}

}  // namespace lexiscoop
