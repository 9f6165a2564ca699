#include "platform/InputEncoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/Cp932.h"
#include "platform/EncodingPlausibility.h"

namespace lexiscoop {
namespace {

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

// True when the bytes are well-formed UTF-8 and at least one is non-ASCII.
bool IsUtf8WithNonAscii(std::string_view s) {
  bool nonAscii = false;
  size_t i = 0;
  const size_t n = s.size();
  while (i < n) {
    // Skip plain ASCII eight bytes at a time.
    while (i + 8 <= n) {
      uint64_t chunk;
      std::memcpy(&chunk, s.data() + i, 8);
      if (chunk & 0x8080808080808080ull) break;
      i += 8;
    }
    if (i >= n) break;
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    nonAscii = true;
    size_t len;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (b >= 0xC2 && b <= 0xDF) len = 2;
    else if (b == 0xE0) { len = 3; lo = 0xA0; }
    else if (b >= 0xE1 && b <= 0xEC) len = 3;
    else if (b == 0xED) { len = 3; hi = 0x9F; }
    else if (b >= 0xEE && b <= 0xEF) len = 3;
    else if (b == 0xF0) { len = 4; lo = 0x90; }
    else if (b >= 0xF1 && b <= 0xF3) len = 4;
    else if (b == 0xF4) { len = 4; hi = 0x8F; }
    else return false;
    if (i + len > n) return false;
    const auto b1 = static_cast<unsigned char>(s[i + 1]);
    if (b1 < lo || b1 > hi) return false;
    for (size_t k = 2; k < len; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += len;
  }
  return nonAscii;
}

// True when the code unit at the even offset `at` of UTF-16 text is ASCII.
bool AsciiUnitAt(std::string_view utf16, size_t at, bool bigEndian) {
  const auto high = static_cast<unsigned char>(utf16[at + (bigEndian ? 0 : 1)]);
  const auto low = static_cast<unsigned char>(utf16[at + (bigEndian ? 1 : 0)]);
  return high == 0 && low < 0x80;
}

// Where the next piece of `text` ends: before the last ASCII character at or
// before `pieceBytes`, else before the first one after it, else at the end.
// A decoder starts afresh at an ASCII character, so cutting there changes
// nothing in the conversion.
size_t PieceEnd(std::string_view text, size_t pieceBytes, bool utf16, bool bigEndian) {
  if (text.size() <= pieceBytes) return text.size();
  const size_t unit = utf16 ? 2 : 1;
  auto ascii = [&](size_t at) {
    return utf16 ? at + 1 < text.size() && AsciiUnitAt(text, at, bigEndian)
                 : static_cast<unsigned char>(text[at]) < 0x80;
  };
  const size_t start = pieceBytes / unit * unit;
  for (size_t at = start; at >= unit; at -= unit) {
    if (ascii(at)) return at;
  }
  for (size_t at = start + unit; at < text.size(); at += unit) {
    if (ascii(at)) return at;
  }
  return text.size();
}

// UTF-16 without a byte-order mark: English text in it has a zero byte in
// nearly every unit, on the same side; Japanese characters have none, and
// only a few of them (U+4E00 一) a zero low byte. A CP932 text, which the
// reader ends at its first zero byte, has no such pattern.
std::optional<TextEncoding> Utf16WithoutMark(std::string_view bytes) {
  if (bytes.size() < 8 || bytes.size() % 2 != 0) return std::nullopt;
  // The first 64 KB decide.
  const size_t units = std::min<size_t>(bytes.size(), 65536) / 2;
  size_t zeroFirst = 0;
  size_t zeroSecond = 0;
  for (size_t i = 0; i < units; ++i) {
    zeroFirst += bytes[2 * i] == '\0';
    zeroSecond += bytes[2 * i + 1] == '\0';
  }
  if (zeroSecond * 3 >= units * 2 && zeroFirst * 8 < zeroSecond) return TextEncoding::Utf16LeNoBom;
  if (zeroFirst * 3 >= units * 2 && zeroSecond * 8 < zeroFirst) return TextEncoding::Utf16BeNoBom;
  return std::nullopt;
}

}  // namespace

bool IsUtf16(TextEncoding encoding) {
  return encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be ||
         encoding == TextEncoding::Utf16LeNoBom || encoding == TextEncoding::Utf16BeNoBom;
}

bool IsBigEndian(TextEncoding encoding) {
  return encoding == TextEncoding::Utf16Be || encoding == TextEncoding::Utf16BeNoBom;
}

size_t ByteOrderMarkBytes(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8Bom: return 3;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be: return 2;
    default: return 0;
  }
}

TextEncoding DetectTextEncoding(std::string_view bytes) {
  if (StartsWith(bytes, "\xEF\xBB\xBF")) return TextEncoding::Utf8Bom;
  if (StartsWith(bytes, "\xFF\xFE")) return TextEncoding::Utf16Le;
  if (StartsWith(bytes, "\xFE\xFF")) return TextEncoding::Utf16Be;
  if (const std::optional<TextEncoding> wide = Utf16WithoutMark(bytes)) return *wide;
  if (!IsUtf8WithNonAscii(bytes)) return TextEncoding::Cp932;
  // Well-formed UTF-8 with non-ASCII bytes may be CP932 all the same: half-
  // width katakana pair up into UTF-8 sequences. The likelier reading wins;
  // a tie keeps the bytes as they are.
  if (!IsWellFormedCp932(bytes)) return TextEncoding::Utf8;
  const EncodingPlausibility score = ScoreReadings(bytes);
  return score.utf8 > score.cp932 ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

std::string TextToCp932(std::string bytes) {
  // One piece: the whole text at once.
  return *TextToCp932InPieces(std::move(bytes), SIZE_MAX, {});
}

std::optional<std::string> TextToCp932InPieces(std::string bytes, size_t pieceBytes,
                                               const std::function<bool(size_t done, size_t total)>& step) {
  const size_t total = bytes.size();
  const TextEncoding encoding = DetectTextEncoding(bytes);
  if (encoding == TextEncoding::Cp932) {
    if (step && !step(total, total)) return std::nullopt;
    return bytes;
  }
  const bool utf16 = IsUtf16(encoding);
  const bool bigEndian = IsBigEndian(encoding);
  size_t done = ByteOrderMarkBytes(encoding);
  std::string_view rest = std::string_view(bytes).substr(done);
  std::string out;
  pieceBytes = std::max<size_t>(pieceBytes, 2);
  if (rest.size() > pieceBytes) out.reserve(rest.size());
  while (!rest.empty()) {
    const size_t cut = PieceEnd(rest, pieceBytes, utf16, bigEndian);
    const std::string_view piece = rest.substr(0, cut);
    std::string converted = utf16 ? Cp932FromUtf16Text(piece, bigEndian) : Cp932FromUtf8Text(piece);
    if (out.empty()) {
      out = std::move(converted);  // a text in one piece is not copied again
    } else {
      out += converted;
    }
    rest.remove_prefix(cut);
    done += cut;
    if (step && !step(done, total)) return std::nullopt;
  }
  return out;
}

}  // namespace lexiscoop
