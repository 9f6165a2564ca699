#include "lists/ListFileFormat.h"

#include <charconv>
#include <cstdint>
#include <cstdio>

#include "dictionary/DictionaryBounds.h"
#include "platform/Fnv1a.h"

namespace lexiscoop {
namespace {

std::string Hex(uint32_t value, int digits) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*x", digits, value);
  return buffer;
}

void AddLine(std::string& out, std::string_view line) {
  out += line;
  out += "\r\n";
}

std::string Finish(std::string body, size_t total) {
  const uint32_t check = Fnv1a32(body);
  AddLine(body, "end\t" + std::to_string(total) + "\t" + Hex(check, 8));
  return body;
}

// A headword or name as stored: no byte below 0x20 (so no tab or break).
bool IsStorable(std::string_view text, size_t maxBytes) {
  if (text.empty() || text.size() > maxBytes) return false;
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
  }
  return true;
}

// Reads CR LF lines of a stored file, refusing anything else.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : bytes_(bytes) {}
  bool Next(std::string_view& line) {
    const size_t end = bytes_.find("\r\n", at_);
    if (end == std::string_view::npos) return false;
    line = bytes_.substr(at_, end - at_);
    at_ = end + 2;
    return line.find('\r') == std::string_view::npos && line.find('\n') == std::string_view::npos;
  }
  size_t Offset() const { return at_; }
  bool AtEnd() const { return at_ == bytes_.size(); }

 private:
  std::string_view bytes_;
  size_t at_ = 0;
};

bool ParseNumber(std::string_view text, size_t& value, int base = 10) {
  if (text.empty() || text.size() > 10) return false;
  uint64_t parsed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed, base);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  value = static_cast<size_t>(parsed);
  return true;
}

// Splits `line` at tabs into exactly `n` fields.
bool Fields(std::string_view line, std::string_view* fields, size_t n) {
  for (size_t i = 0; i + 1 < n; ++i) {
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return false;
    fields[i] = line.substr(0, tab);
    line.remove_prefix(tab + 1);
  }
  fields[n - 1] = line;
  return true;
}

bool ReadHeader(LineReader& lines, std::string_view magic, std::string& name) {
  std::string_view line;
  if (!lines.Next(line) || line != magic) return false;
  std::string_view fields[2];
  if (!lines.Next(line) || !Fields(line, fields, 2) || fields[0] != "name" || !IsStorable(fields[1], kMaxListNameBytes)) {
    return false;
  }
  name.assign(fields[1]);
  return true;
}

// Checks the end line at the reader's place against the bytes before it.
bool ReadEnd(LineReader& lines, std::string_view bytes, std::string_view line, size_t total) {
  const size_t bodyEnd = lines.Offset() - line.size() - 2;
  std::string_view fields[3];
  size_t count = 0;
  size_t check = 0;
  return Fields(line, fields, 3) && fields[0] == "end" && ParseNumber(fields[1], count) && count == total &&
         fields[2].size() == 8 && ParseNumber(fields[2], check, 16) && check == Fnv1a32(bytes.substr(0, bodyEnd)) &&
         lines.AtEnd();
}

}  // namespace

std::string EncodeLevelSet(const UserLevelSet& set) {
  std::string out;
  AddLine(out, kLevelSetMagic);
  AddLine(out, "name\t" + set.name);
  size_t total = 0;
  for (const UserLevel& level : set.levels) {
    AddLine(out, "level\t" + level.key + "\t" + Hex(level.colour & 0xFFFFFF, 6) + "\t" +
                     std::to_string(level.headwords.size()) + "\t" + level.name);
    for (const std::string& headword : level.headwords) AddLine(out, headword);
    total += level.headwords.size();
  }
  return Finish(std::move(out), total);
}

std::string EncodeKnownList(const KnownWordList& list) {
  std::string out;
  AddLine(out, kKnownListMagic);
  AddLine(out, "name\t" + list.name);
  for (const std::string& headword : list.headwords) AddLine(out, headword);
  return Finish(std::move(out), list.headwords.size());
}

bool DecodeLevelSet(std::string_view bytes, UserLevelSet& out) {
  if (bytes.size() > kMaxStoredListBytes) return false;
  LineReader lines(bytes);
  out = {};
  if (!ReadHeader(lines, kLevelSetMagic, out.name)) return false;
  size_t total = 0;
  for (std::string_view line;;) {
    if (!lines.Next(line)) return false;
    if (line.starts_with("end\t")) return ReadEnd(lines, bytes, line, total);
    std::string_view fields[5];
    size_t count = 0;
    size_t colour = 0;
    if (!Fields(line, fields, 5) || fields[0] != "level" || out.levels.size() >= kMaxUserLevels ||
        !IsStorable(fields[1], 16) || fields[2].size() != 6 || !ParseNumber(fields[2], colour, 16) ||
        !ParseNumber(fields[3], count) || !IsStorable(fields[4], kMaxListNameBytes) || count > bytes.size() / 3) {
      return false;
    }
    UserLevel level{std::string(fields[4]), std::string(fields[1]), static_cast<uint32_t>(colour), {}};
    level.headwords.reserve(count);
    for (size_t i = 0; i < count; ++i) {
      if (!lines.Next(line) || !IsStorable(line, kMaxHeadwordBytes)) return false;
      level.headwords.emplace_back(line);
    }
    total += count;
    out.levels.push_back(std::move(level));
  }
}

bool DecodeKnownList(std::string_view bytes, KnownWordList& out) {
  if (bytes.size() > kMaxStoredListBytes) return false;
  LineReader lines(bytes);
  out = {};
  if (!ReadHeader(lines, kKnownListMagic, out.name)) return false;
  for (std::string_view line;;) {
    if (!lines.Next(line)) return false;
    if (line.starts_with("end\t")) return ReadEnd(lines, bytes, line, out.headwords.size());
    if (!IsStorable(line, kMaxHeadwordBytes)) return false;
    out.headwords.emplace_back(line);
  }
}

}  // namespace lexiscoop
