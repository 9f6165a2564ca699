#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lexiscoop {

// The main window's caption base (CP932): "レキシスクープ 単語拾い".
const std::string& CaptionBase();

// The file-name part of a path: what follows the last '\', ':' or '/'.
std::string_view FileNamePart(std::string_view path);

// The caption that names a text: the base, " / " and the name.
std::string CaptionNaming(std::string_view name);

// The caption after a file has been opened: CaptionNaming(FileNamePart(path)).
std::string CaptionForFile(std::string_view path);

// The most of a text's first line that a caption shows.
inline constexpr size_t kMaxCaptionLineBytes = 200;

// The caption after a text has been set from a string: named by its first
// line that is not blank (bytes 0x00-0x20 only), untrimmed; nullopt when every
// line is blank (the caption then stays as it was). Lines end at CR LF, a
// lone CR or a lone LF. A line longer than kMaxCaptionLineBytes (a pasted
// paragraph) is cut there, on a character boundary, and ends in "…".
std::optional<std::string> CaptionForText(std::string_view text);

}  // namespace lexiscoop
