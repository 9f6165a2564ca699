#include "platform/Cp932.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/LatinFolding.h"

namespace lexiscoop {
namespace {

// One conversion with iconv. An input sequence that cannot be converted is
// replaced by `replacement` and skipped: one character of the source encoding.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  enum class Source { Utf8, Cp932, Utf16Le, Utf16Be };

  // Source bytes given to one iconv call.
  static constexpr size_t kChunkBytes = 256;

  // `growth`: the most bytes that one source byte can turn into, which sizes
  // the output at once (1 towards CP932, so a large text is never held at
  // more than twice its size).
  // `foldLatin`: a Latin letter with diacritics becomes its ASCII letters
  // (see AsciiFoldOf) rather than the replacement.
  std::string Run(std::string_view in, std::string_view replacement, Source source, size_t growth,
                  bool foldLatin = false) {
    std::string out;
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return std::string(in);
    if (in.empty()) return out;
    out.resize(in.size() * growth + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    size_t used = 0;
    while (srcLeft > 0) {
      // Short calls: on a character it cannot convert, iconv converts the
      // whole input of the call again up to it, so long calls made a text
      // full of such characters take microseconds per character.
      const size_t chunk = std::min(srcLeft, kChunkBytes);
      size_t chunkLeft = chunk;
      char* dst = out.data() + used;
      size_t dstLeft = out.size() - used;
      const size_t rc = iconv(cd_, &src, &chunkLeft, &dst, &dstLeft);
      used = out.size() - dstLeft;
      srcLeft -= chunk - chunkLeft;
      if (rc != static_cast<size_t>(-1)) continue;
      if (errno == E2BIG) {
        out.resize(out.size() + out.size() / 2 + 64);
        continue;
      }
      // A character cut by the end of the call, not of the text: read on.
      if (errno == EINVAL && chunkLeft < srcLeft) continue;
      // EILSEQ, or EINVAL at the end of the text: replace one source unit.
      size_t skip = BadCharacterLength(source, src, srcLeft);
      const char* fold = foldLatin ? AsciiFoldOf(CodePoint(source, src, skip)) : nullptr;
      const std::string_view instead = fold != nullptr ? std::string_view(fold) : replacement;
      src += skip;
      srcLeft -= skip;
      if (out.size() - used < instead.size()) out.resize(out.size() + out.size() / 2 + instead.size());
      std::memcpy(out.data() + used, instead.data(), instead.size());
      used += instead.size();
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(used);
    return out;
  }

  // The code point of the `length` bytes at `p` that BadCharacterLength
  // measured; 0 where they do not make one.
  static char32_t CodePoint(Source source, const char* p, size_t length) {
    const auto byte = [p](size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(p[i])); };
    switch (source) {
      case Source::Utf8: {
        const char32_t lead = byte(0);
        const size_t whole = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 1;
        if (length < 2 || length != whole) return 0;
        char32_t c = byte(0) & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
        for (size_t i = 1; i < length; ++i) c = (c << 6) | (byte(i) & 0x3F);
        return c;
      }
      case Source::Utf16Le:
      case Source::Utf16Be: {
        if (length != 2) return 0;  // a surrogate pair: no Latin letter
        return source == Source::Utf16Le ? (byte(1) << 8 | byte(0)) : (byte(0) << 8 | byte(1));
      }
      case Source::Cp932:
        break;
    }
    return 0;
  }

  // How many bytes of the character at `p` that iconv refused to skip.
  static size_t BadCharacterLength(Source source, const char* p, size_t left) {
    const auto b = static_cast<unsigned char>(p[0]);
    size_t n = 1;
    switch (source) {
      case Source::Utf8:
        if (b >= 0xF0 && b <= 0xF4) n = 4;
        else if (b >= 0xE0 && b <= 0xEF) n = 3;
        else if (b >= 0xC2 && b <= 0xDF) n = 2;
        // Skip only what really continues the sequence.
        for (size_t i = 1; i < n; ++i) {
          if (i >= left || (static_cast<unsigned char>(p[i]) & 0xC0) != 0x80) return i;
        }
        return n;
      case Source::Cp932:
        return 1;
      case Source::Utf16Le:
      case Source::Utf16Be: {
        if (left < 2) return left;
        const bool le = source == Source::Utf16Le;
        auto highByte = [&](size_t unit) { return static_cast<unsigned char>(p[2 * unit + (le ? 1 : 0)]); };
        // A pair only when a low surrogate follows the high one: a lone high
        // surrogate must not take the character after it along.
        const bool pair = left >= 4 && highByte(0) >= 0xD8 && highByte(0) <= 0xDB && highByte(1) >= 0xDC &&
                          highByte(1) <= 0xDF;
        return pair ? 4 : 2;
      }
    }
    return n <= left ? n : left;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::string Cp932FromUtf8(std::string_view utf8) {
  Converter c("CP932", "UTF-8");
  return c.Run(utf8, "?", Converter::Source::Utf8, 1);
}

std::string Cp932FromUtf8Text(std::string_view utf8) {
  Converter c("CP932", "UTF-8");
  return c.Run(utf8, "?", Converter::Source::Utf8, 1, true);
}

std::string Cp932FromUtf16Text(std::string_view utf16, bool bigEndian) {
  Converter c("CP932", bigEndian ? "UTF-16BE" : "UTF-16LE");
  return c.Run(utf16, "?", bigEndian ? Converter::Source::Utf16Be : Converter::Source::Utf16Le, 1, true);
}

std::string Utf8FromCp932(std::string_view cp932) {
  // ASCII is the same in both.
  bool ascii = true;
  for (char c : cp932) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      ascii = false;
      break;
    }
  }
  if (ascii) return std::string(cp932);
  Converter c("UTF-8", "CP932");
  // A lead byte without a valid trail is replaced alone, so the next byte is
  // read again as a character of its own.
  return c.Run(cp932, "\xEF\xBF\xBD", Converter::Source::Cp932, 2);
}

std::string Cp932FromUtf16(std::string_view utf16, bool bigEndian) {
  Converter c("CP932", bigEndian ? "UTF-16BE" : "UTF-16LE");
  return c.Run(utf16, "?", bigEndian ? Converter::Source::Utf16Be : Converter::Source::Utf16Le, 1);
}

}  // namespace lexiscoop
