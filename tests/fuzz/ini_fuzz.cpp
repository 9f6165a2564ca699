// Feeds arbitrary bytes to the settings reader as the profile file. Whatever
// the bytes: the profile it writes reads back as the same profile (the
// written form is a fixed point, every key keeps its value), a value set
// with WriteString survives the file (cut at its first line break, trailing
// blanks dropped by the reader), and ReadInteger agrees with a plain
// reference parse of the value.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/IniFile.h"

namespace {

using lexiscoop::TIniFile;

// Aborts, naming the line of the check that failed.
void Check(bool condition, int line = __builtin_LINE()) {
  if (condition) return;
  std::fprintf(stderr, "check on line %d failed\n", line);
  std::abort();
}

const std::string& ProfilePath() {
  static const std::string path = [] {
    std::string tmpl = lexiscoop::FolderExists("/dev/shm") ? "/dev/shm/lexiscoop-ini-XXXXXX"
                                                           : "/tmp/lexiscoop-ini-XXXXXX";
    Check(mkdtemp(tmpl.data()) != nullptr);
    static const std::string folder = tmpl;
    std::atexit([] { std::filesystem::remove_all(folder); });
    return tmpl + "/lexiscoop.ini";
  }();
  return path;
}

void WritePlain(const std::string& path, std::string_view bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  Check(fd >= 0);
  Check(write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()));
  close(fd);
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Reference: blanks, an optional sign, 1 to 10 significant digits, blanks,
// and the value inside the 32-bit range.
bool ReferenceInt32(std::string_view text, int& value) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  while (text.size() > 1 && text[0] == '0') text.remove_prefix(1);
  if (text.size() > 10) return false;
  int64_t magnitude = 0;
  for (const char c : text) magnitude = magnitude * 10 + (c - '0');
  const int64_t result = negative ? -magnitude : magnitude;
  if (result < INT32_MIN || result > INT32_MAX) return false;
  value = static_cast<int>(result);
  return true;
}

// The "section", "key" pairs the profile text holds, found the plain way.
std::vector<std::pair<std::string, std::string>> KeysOf(std::string_view text) {
  std::vector<std::pair<std::string, std::string>> keys;
  std::string section;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = TrimBlanks(text.substr(pos, end - pos));
    pos = end + 2;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      section = std::string(TrimBlanks(line.substr(1, line.size() - 2)));
    } else if (!line.empty() && line.front() != ';') {
      const size_t eq = line.find('=');
      if (eq != std::string_view::npos && eq > 0) keys.emplace_back(section, TrimBlanks(line.substr(0, eq)));
    }
  }
  return keys;
}

std::string AlphaNumeric(std::string_view bytes, std::string_view fallback) {
  std::string name;
  for (const char c : bytes) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) name += c;
  }
  return name.empty() ? std::string(fallback) : name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string& path = ProfilePath();
  WritePlain(path, bytes);
  const TIniFile first(path);
  const std::string text = first.Text();

  // The written form reads back as itself, key for key.
  WritePlain(path, text);
  TIniFile second(path);
  Check(second.Text() == text);
  const std::string kMissing("\x01missing");
  for (const auto& [section, key] : KeysOf(text)) {
    const std::string value = first.ReadString(section, key, kMissing);
    Check(second.ReadString(section, key, kMissing) == value);
    int expected = 0;
    const int fallback = -7;
    const bool number = ReferenceInt32(value, expected);
    Check(first.ReadInteger(section, key, fallback) == (number ? expected : fallback));
  }

  // A value set survives the file. The section and key names come from the
  // first bytes, the value from the rest.
  const size_t cut = std::min<size_t>(size, 16);
  const std::string section = AlphaNumeric(bytes.substr(0, cut / 2), "system");
  const std::string key = AlphaNumeric(bytes.substr(cut / 2, cut - cut / 2), "Width");
  const std::string_view value = bytes.substr(cut);
  second.WriteString(section, key, value);
  Check(second.UpdateFile().ok());
  const TIniFile third(path);
  std::string_view expected = value.substr(0, value.find_first_of("\r\n"));
  while (!expected.empty() && (expected.back() == ' ' || expected.back() == '\t')) expected.remove_suffix(1);
  Check(third.ReadString(section, key, kMissing) == expected);
  Check(third.Text() == second.Text());
  return 0;
}
