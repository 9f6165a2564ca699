#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Status.h"

namespace lexiscoop {

// A profile file of "[section]" headers and "key=value" lines, read whole when
// the object is made and written back whole by UpdateFile. Section and key
// names compare without regard to ASCII letter case; values are kept as
// written (CP932 bytes). Lines the reader does not understand are kept and
// written back unchanged. Written line breaks are CR LF.
class TIniFile {
 public:
  // Reads `path`; a missing or unreadable file gives an empty profile.
  explicit TIniFile(std::string path);

  const std::string& Path() const { return path_; }

  // The value of `key`, or `fallback` when the section or key is missing.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // The value read as a decimal integer (optional sign, blanks around it
  // allowed, 32-bit range); `fallback` when missing or not such a number.
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;

  // Sets the value, adding the section and the key where they are missing.
  // Values must not hold line breaks; they are cut at the first one.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);

  // The whole profile as it would be written.
  std::string Text() const;
  // Replaces the file atomically with Text().
  Status UpdateFile() const;

 private:
  struct Line {
    std::string text;    // the whole line as read or written, without its break
    std::string key;     // key of a "key=value" line, empty otherwise
    std::string value;
    bool isSection = false;
    std::string section;  // name of a "[section]" line
  };

  // Index of the section header, or -1.
  int FindSection(std::string_view section) const;
  // Index of the key line inside the section starting at `header`, or -1.
  int FindKey(int header, std::string_view key) const;
  // One past the last line that belongs to the section starting at `header`.
  int SectionEnd(int header) const;

  std::string path_;
  std::vector<Line> lines_;
};

// Parses a decimal integer in the 32-bit range: optional blanks, an optional
// sign, at least one digit, optional blanks. Returns false for anything else.
bool ParseInt32(std::string_view text, int& value);

}  // namespace lexiscoop
