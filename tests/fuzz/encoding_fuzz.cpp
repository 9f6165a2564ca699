// Feeds arbitrary bytes to the input-encoding detection and conversion, and
// to the CP932 <-> UTF-8 converters. Whatever the bytes: a text taken as
// CP932 comes back byte for byte; a converted text is never longer than its
// source (no CP932 character takes more bytes than its UTF-8 or UTF-16
// form); the detection agrees with a plain UTF-8 validator; and the UTF-8
// made from any bytes is well-formed.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/Cp932.h"
#include "platform/InputEncoding.h"

namespace {

using namespace lexiscoop;

// Aborts, naming the line of the check that failed.
void Check(bool condition, int line = __builtin_LINE()) {
  if (condition) return;
  std::fprintf(stderr, "check on line %d failed\n", line);
  std::abort();
}

// Validates UTF-8 the long way, code point by code point: no overlong form,
// no surrogate, nothing above U+10FFFF. Sets `nonAscii` when a byte >= 0x80
// occurs.
bool ValidUtf8(std::string_view s, bool& nonAscii) {
  nonAscii = false;
  for (size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    nonAscii = true;
    size_t len;
    uint32_t cp;
    if ((b & 0xE0) == 0xC0) {
      len = 2;
      cp = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      len = 3;
      cp = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
      len = 4;
      cp = b & 0x07;
    } else {
      return false;
    }
    if (i + len > s.size()) return false;
    for (size_t k = 1; k < len; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = cp << 6 | (c & 0x3F);
    }
    static constexpr uint32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const TextEncoding encoding = DetectTextEncoding(bytes);
  const std::string text = TextToCp932(bytes);

  bool nonAscii = false;
  const bool utf8 = ValidUtf8(bytes, nonAscii);
  const std::string_view view(bytes);
  if (view.substr(0, 3) == "\xEF\xBB\xBF") {
    Check(encoding == TextEncoding::Utf8Bom);
  } else if (view.substr(0, 2) == "\xFF\xFE") {
    Check(encoding == TextEncoding::Utf16Le);
  } else if (view.substr(0, 2) == "\xFE\xFF") {
    Check(encoding == TextEncoding::Utf16Be);
  } else {
    Check(encoding == (utf8 && nonAscii ? TextEncoding::Utf8 : TextEncoding::Cp932));
  }
  if (encoding == TextEncoding::Cp932) {
    Check(text == bytes);
  } else {
    Check(text.size() <= bytes.size());
  }

  // Both directions of the CP932 converter, on the raw bytes.
  const std::string asUtf8 = Utf8FromCp932(bytes);
  bool ignored = false;
  Check(ValidUtf8(asUtf8, ignored));
  Check(Cp932FromUtf8(bytes).size() <= size);
  Check(Cp932FromUtf16(bytes, false).size() <= size);
  Check(Cp932FromUtf16(bytes, true).size() <= size);
  return 0;
}
