#include "cli/PackText.h"

#include <stdexcept>
#include <string_view>

#include "platform/Cp932.h"
#include "platform/InputEncoding.h"

namespace lexiscoop {
namespace {

// The text seen as code units of 1 byte (CP932, UTF-8) or 2 bytes (UTF-16).
struct Units {
  std::string_view bytes;
  size_t width;
  bool bigEndian;

  size_t Count() const { return bytes.size() / width; }
  unsigned At(size_t i) const {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + i * width;
    if (width == 1) return p[0];
    return bigEndian ? (p[0] << 8 | p[1]) : (p[1] << 8 | p[0]);
  }
  std::string_view Slice(size_t from, size_t to) const { return bytes.substr(from * width, (to - from) * width); }
};

size_t Questions(std::string_view cp932) {
  size_t n = 0;
  for (const char c : cp932) n += c == '?';
  return n;
}

std::string Cp932Of(std::string_view line, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom: return Cp932FromUtf8(line);
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16LeNoBom: return Cp932FromUtf16(line, false);
    case TextEncoding::Utf16Be:
    case TextEncoding::Utf16BeNoBom: return Cp932FromUtf16(line, true);
    case TextEncoding::Cp932: break;
  }
  return std::string(line);
}

}  // namespace

std::string PackTextToCp932(const std::string& name, std::string bytes) {
  const TextEncoding encoding = DetectTextEncoding(bytes);
  const size_t skip = ByteOrderMarkBytes(encoding);
  const bool wide = IsUtf16(encoding);
  const Units units{std::string_view(bytes).substr(skip), wide ? 2u : 1u, IsBigEndian(encoding)};

  // Lines end at CR LF, a lone CR or a lone LF, as the list reads them.
  size_t line = 1;
  size_t start = 0;
  const size_t count = units.Count();
  for (size_t i = 0; i <= count; ++i) {
    const unsigned unit = i < count ? units.At(i) : '\n';
    if (unit == 0) {
      throw std::runtime_error(name + ": line " + std::to_string(line) +
                               ": holds a zero byte, which would end the list there; nothing was written");
    }
    if (unit != '\r' && unit != '\n') continue;
    if (encoding != TextEncoding::Cp932) {
      const std::string_view text = units.Slice(start, i);
      size_t given = 0;
      for (size_t j = start; j < i; ++j) given += units.At(j) == '?';
      if (Questions(Cp932Of(text, encoding)) > given) {
        throw std::runtime_error(name + ": line " + std::to_string(line) +
                                 ": holds a character that Shift-JIS (CP932) cannot hold; nothing was written");
      }
    }
    if (unit == '\r' && i + 1 < count && units.At(i + 1) == '\n') ++i;
    start = i + 1;
    ++line;
  }
  return TextToCp932(std::move(bytes));
}

}  // namespace lexiscoop
