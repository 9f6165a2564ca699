#pragma once

#include <string>
#include <string_view>

namespace lexiscoop {

// True for the lead bytes of a code page 932 double-byte character
// (0x81-0x9F and 0xE0-0xFC).
constexpr bool IsLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Converts UTF-8 to CP932. Characters CP932 cannot hold, and bytes that are not
// valid UTF-8, become "?". Never fails.
std::string Cp932FromUtf8(std::string_view utf8);

// Cp932FromUtf8 and Cp932FromUtf16 for a text to be counted: a Latin letter
// with diacritics becomes its base letters (café → cafe, Æ → AE, ß → ss,
// the ligature ﬁ → fi, a combining mark nothing; see LatinFolding.h), so
// that no word is split where CP932 lacks a letter.
std::string Cp932FromUtf8Text(std::string_view utf8);
std::string Cp932FromUtf16Text(std::string_view utf16, bool bigEndian);

// Converts CP932 to UTF-8. Bytes that do not form a CP932 character become
// U+FFFD. Never fails.
std::string Utf8FromCp932(std::string_view cp932);

// Converts UTF-16 (little- or big-endian, without byte-order mark) to CP932;
// unmappable characters become "?".
std::string Cp932FromUtf16(std::string_view utf16, bool bigEndian);

// A UTF-8 literal of the program's own texts, converted to CP932 on first use.
// Use as a function-local static: static const Cp932Text kText{"..."};
class Cp932Text {
 public:
  explicit Cp932Text(std::string_view utf8) : text_(Cp932FromUtf8(utf8)) {}
  const std::string& str() const { return text_; }
  operator const std::string&() const { return text_; }

 private:
  std::string text_;
};

}  // namespace lexiscoop
