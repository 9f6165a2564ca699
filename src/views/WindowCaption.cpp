#include "views/WindowCaption.h"

#include "platform/Cp932.h"

namespace lexiscoop {

const std::string& CaptionBase() {
  static const Cp932Text kBase("レキシスクープ 単語拾い");
  return kBase.str();
}

std::string_view FileNamePart(std::string_view path) {
  // Separator bytes below 0x40 are never trail bytes of CP932 characters;
  // '\' (0x5C) is, so it is searched for on character boundaries.
  size_t start = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    const auto b = static_cast<unsigned char>(path[i]);
    if (IsLeadByte(b) && i + 1 < path.size()) {
      ++i;
    } else if (b == '\\' || b == ':' || b == '/') {
      start = i + 1;
    }
  }
  return path.substr(start);
}

std::string CaptionNaming(std::string_view name) {
  std::string caption = CaptionBase();
  caption += " / ";
  caption += name;
  return caption;
}

std::string CaptionForFile(std::string_view path) { return CaptionNaming(FileNamePart(path)); }

namespace {

// The first `maxBytes` bytes of `line` or fewer, never half a double-byte
// character, followed by "…" when anything was cut.
std::string ShortenedLine(std::string_view line, size_t maxBytes) {
  if (line.size() <= maxBytes) return std::string(line);
  size_t end = 0;
  while (end < line.size()) {
    const size_t length = IsLeadByte(static_cast<unsigned char>(line[end])) ? 2 : 1;
    if (end + length > maxBytes) break;
    end += length;
  }
  static const Cp932Text kEllipsis("…");
  return std::string(line.substr(0, end)) + kEllipsis.str();
}

}  // namespace

std::optional<std::string> CaptionForText(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    const std::string_view line = text.substr(pos, end - pos);
    for (char c : line) {
      if (static_cast<unsigned char>(c) > 0x20) return CaptionNaming(ShortenedLine(line, kMaxCaptionLineBytes));
    }
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
  return std::nullopt;
}

}  // namespace lexiscoop
