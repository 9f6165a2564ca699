#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lexiscoop {

// How the bytes of a text were written.
enum class TextEncoding {
  Cp932,    // plain CP932 or ASCII: taken as it is
  Utf8,     // UTF-8 holding non-ASCII bytes, no byte-order mark
  Utf8Bom,  // starts with EF BB BF
  Utf16Le,  // starts with FF FE
  Utf16Be,  // starts with FE FF
  Utf16LeNoBom,  // no byte-order mark, but every other byte zero: «h\0i\0»
  Utf16BeNoBom,  // the same, the zero bytes first: «\0h\0i»
};

// True for the UTF-16 encodings; big-endian for the BE ones.
bool IsUtf16(TextEncoding encoding);
bool IsBigEndian(TextEncoding encoding);
// The length of the encoding's byte-order mark (0, 2 or 3 bytes).
size_t ByteOrderMarkBytes(TextEncoding encoding);

// Tells the encoding of a text by its byte-order mark; else a text of an
// even number of bytes (8 or more), at least two thirds of whose two-byte
// units have a zero high byte and hardly any a zero low byte, is UTF-16
// without a mark; else
// a text that is well-formed UTF-8 with at least one non-ASCII byte is UTF-8 unless it is
// also well-formed CP932 and the CP932 reading is at least as plausible (see
// EncodingPlausibility.h); everything else is CP932.
TextEncoding DetectTextEncoding(std::string_view bytes);

// Returns the text as CP932: CP932 and ASCII texts come back byte for byte;
// UTF-8 and UTF-16 texts are converted (the byte-order mark dropped, Latin
// letters with diacritics folded to their base letters as Cp932FromUtf8Text
// does, other characters CP932 lacks become "?").
std::string TextToCp932(std::string bytes);

// TextToCp932 in pieces of about `pieceBytes` bytes of the text, each cut
// just before an ASCII character, so that the result is byte for byte that
// of TextToCp932. `step(done, total)` (which may be empty) is called after
// each piece with the bytes of the text converted so far; a text taken as
// it is counts as one piece. When `step` returns false the conversion stops
// and nullopt comes back.
std::optional<std::string> TextToCp932InPieces(std::string bytes, size_t pieceBytes,
                                               const std::function<bool(size_t done, size_t total)>& step);

}  // namespace lexiscoop
