#include "views/SentenceWindow.h"

#include <cstring>

namespace lexiscoop {
namespace {

bool IsWordByte(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

constexpr size_t kWordsAround = 2;  // the tagger looks two words back and ahead
constexpr size_t kReach = 256;      // bytes looked at either side of an occurrence

bool EndsSentence(unsigned char c) { return c == '.' || c == '!' || c == '?'; }

// Where the window of the occurrence at `offset` starts: two words back, at
// most kReach bytes, not before a sentence's end or Japanese text. Shift-JIS
// bytes may follow a double-byte lead byte in the ASCII range, so a window
// that meets a byte above 0x7F starts at the first blank after it.
size_t WindowStart(std::string_view text, size_t offset) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t floor = offset > kReach ? offset - kReach : 0;
  size_t words = 0, i = offset;
  bool inWord = true;
  while (i > floor) {
    const unsigned char c = bytes[i - 1];
    if (c >= 0x80) {
      while (i < offset && bytes[i] != ' ' && bytes[i] != '\t' && bytes[i] != '\n') ++i;
      return i;
    }
    if (EndsSentence(c) || (c == '\n' && i >= 2 && bytes[i - 2] == '\n') ||
        (c == '\n' && i >= 3 && bytes[i - 2] == '\r' && bytes[i - 3] == '\n'))
      return i;
    const bool word = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '\'' || c == '-';
    if (word && !inWord && ++words > kWordsAround) return i;
    inWord = word;
    --i;
  }
  return i;
}

}  // namespace

size_t WindowAround(std::string_view text, size_t offset, std::vector<std::string_view>& tokens) {
  tokens.clear();
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t size = text.size();
  size_t hit = kNoToken;
  int lineBreaks = 0;
  for (size_t i = WindowStart(text, offset); i < size;) {
    if (hit != kNoToken && (tokens.size() > hit + kWordsAround || i > offset + kReach)) break;
    const unsigned char c = bytes[i];
    if (IsWordByte(c)) {
      size_t end = i + 1;
      while (end < size && (IsWordByte(bytes[end]) ||
                            ((bytes[end] == '\'' || bytes[end] == '-') && end + 1 < size && IsWordByte(bytes[end + 1]))))
        ++end;
      if (i == offset) hit = tokens.size();
      else if (i < offset && end > offset) return kNoToken;
      tokens.push_back(text.substr(i, end - i));
      lineBreaks = 0;
      i = end;
    } else if (c == '\n') {
      if (++lineBreaks >= 2) {
        if (hit != kNoToken) break;
        tokens.clear();
      }
      ++i;
    } else if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c >= 0x80) {
      if (hit != kNoToken) break;
      tokens.clear();
      i += IsLeadByte(c) && i + 1 < size ? 2 : 1;
    } else {
      tokens.push_back(text.substr(i, 1));
      if (EndsSentence(c)) {
        if (hit != kNoToken) break;
        tokens.clear();
      }
      ++i;
    }
    if (hit == kNoToken && i > offset) return kNoToken;
  }
  return hit;
}

// Each token goes in eight bytes at a time, its last bytes with its length.
uint64_t WindowKey(std::span<const std::string_view> tokens, size_t hit) {
  uint64_t hash = 0x9E3779B97F4A7C15ULL ^ hit;
  auto add = [&hash](uint64_t word) {
    hash = (hash ^ word) * 0xFF51AFD7ED558CCDULL;
    hash ^= hash >> 32;
  };
  for (const std::string_view token : tokens) {
    size_t at = 0;
    uint64_t word;
    for (; at + 8 <= token.size(); at += 8) {
      std::memcpy(&word, token.data() + at, 8);
      add(word);
    }
    word = static_cast<uint64_t>(token.size()) << 56;
    for (int shift = 0; at < token.size(); ++at, shift += 8) {
      word ^= static_cast<uint64_t>(static_cast<unsigned char>(token[at])) << shift;
    }
    add(word);
  }
  return hash;
}

}  // namespace lexiscoop
