#include "platform/IniFile.h"

#include <cstdint>

#include "platform/AtomicFile.h"
#include "platform/Compare.h"
#include "platform/FileSystem.h"
#include "platform/TextTrim.h"

namespace lexiscoop {
namespace {

constexpr int64_t kMaxProfileBytes = 16 * 1024 * 1024;

std::string_view FirstLine(std::string_view s) {
  const size_t end = s.find_first_of("\r\n");
  return end == std::string_view::npos ? s : s.substr(0, end);
}

}  // namespace

bool ParseInt32(std::string_view text, int& value) {
  text = TrimSpacesAndTabs(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return false;
  int64_t magnitude = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > int64_t{INT32_MAX} + 1) return false;
  }
  const int64_t result = negative ? -magnitude : magnitude;
  if (result > INT32_MAX || result < INT32_MIN) return false;
  value = static_cast<int>(result);
  return true;
}

TIniFile::TIniFile(std::string path) : path_(std::move(path)) {
  std::string bytes;
  if (ReadWholeFile(path_, bytes, kMaxProfileBytes) != 0) return;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = bytes.size();
    Line line;
    line.text = bytes.substr(pos, end - pos);
    const std::string_view trimmed = TrimSpacesAndTabs(line.text);
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
      line.isSection = true;
      line.section = std::string(TrimSpacesAndTabs(trimmed.substr(1, trimmed.size() - 2)));
    } else if (!trimmed.empty() && trimmed.front() != ';') {
      const size_t eq = trimmed.find('=');
      if (eq != std::string_view::npos && eq > 0) {
        line.key = std::string(TrimSpacesAndTabs(trimmed.substr(0, eq)));
        line.value = std::string(trimmed.substr(eq + 1));
      }
    }
    lines_.push_back(std::move(line));
    if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ++end;
    pos = end + 1;
  }
}

int TIniFile::FindSection(std::string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].isSection && SameText(lines_[i].section, section)) return static_cast<int>(i);
  }
  return -1;
}

int TIniFile::SectionEnd(int header) const {
  size_t i = static_cast<size_t>(header) + 1;
  while (i < lines_.size() && !lines_[i].isSection) ++i;
  return static_cast<int>(i);
}

int TIniFile::FindKey(int header, std::string_view key) const {
  const int end = SectionEnd(header);
  for (int i = header + 1; i < end; ++i) {
    const Line& line = lines_[static_cast<size_t>(i)];
    if (!line.key.empty() && SameText(line.key, key)) return i;
  }
  return -1;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view fallback) const {
  const int header = FindSection(section);
  if (header < 0) return std::string(fallback);
  const int at = FindKey(header, key);
  if (at < 0) return std::string(fallback);
  return lines_[static_cast<size_t>(at)].value;
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  const int header = FindSection(section);
  if (header < 0) return fallback;
  const int at = FindKey(header, key);
  int value = 0;
  if (at < 0 || !ParseInt32(lines_[static_cast<size_t>(at)].value, value)) return fallback;
  return value;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  value = FirstLine(value);
  Line entry;
  entry.key = std::string(TrimSpacesAndTabs(FirstLine(key)));
  entry.value = std::string(value);
  entry.text = entry.key + "=" + entry.value;

  int header = FindSection(section);
  if (header < 0) {
    Line head;
    head.isSection = true;
    head.section = std::string(TrimSpacesAndTabs(FirstLine(section)));
    head.text = "[" + head.section + "]";
    lines_.push_back(std::move(head));
    lines_.push_back(std::move(entry));
    return;
  }
  const int at = FindKey(header, key);
  if (at >= 0) {
    lines_[static_cast<size_t>(at)] = std::move(entry);
    return;
  }
  // After the last non-blank line of the section, so that a blank line that
  // separates it from the next section stays where it is.
  int insertAt = SectionEnd(header);
  while (insertAt > header + 1 && TrimSpacesAndTabs(lines_[static_cast<size_t>(insertAt - 1)].text).empty()) --insertAt;
  lines_.insert(lines_.begin() + insertAt, std::move(entry));
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

std::string TIniFile::Text() const {
  std::string text;
  for (const Line& line : lines_) {
    text += line.text;
    text += "\r\n";
  }
  return text;
}

Status TIniFile::UpdateFile() const { return WriteFileAtomically(path_, Text()); }

}  // namespace lexiscoop
